#pragma once

#include "avrdude/command_lines.h"
#include "session/fuse_bytes.h"
#include "session/fuse_description.h"
#include "session/fuse_lockout.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The application's state and what can be done with it, without any window: the avrdude path,
// the chip target, the command-line parameters, the fuse bytes, and the verbs. Each verb builds its
// avrdude command line and hands it to the one runner the windows supply, which runs it while the
// windows keep painting and reports into the log. Failures are thrown for the caller's handler.
class Session {
public:
    // Runs the command line and reports it; failure_lines are shown when the program cannot start.
    using Runner = std::function<void(const CommandLine &command, const QStringList &failure_lines)>;

    void setRunner(Runner runner) { runner_ = std::move(runner); }

    // The avrdude path every command line starts with: line 1 of options.ini, empty until loaded.
    const QString &avrdudePath() const { return avrdude_path_; }
    // Loads it from options.ini; throws when the file cannot be read, and keeps the old path then.
    void loadAvrdudePath();
    // Saves it into options.ini, whole or not at all, and takes it as the path from now on.
    void saveAvrdudePath(const QString &path);

    // Device, programmer and port, as the user typed or chose them; a choice that still shows the
    // start parameter it was set from targets that parameter's exact bytes.
    const QString &device() const { return device_; }
    // Another device forgets what the chip reported at the last read.
    void setDevice(const QString &device);
    const QString &programmer() const { return programmer_; }
    void setProgrammer(const QString &programmer) { programmer_ = programmer; }
    const QString &port() const { return port_; }
    void setPort(const QString &port) { port_ = port; }
    ChipTarget chipTarget() const;

    // The positional parameters Quillon was started with: device, programmer, port, HEX file.
    void setParameters(const QStringList &parameters) { parameters_ = parameters; }
    // Parameter 1 to 4; empty when not given.
    QString parameter(int number) const;

    // The fuse description the fuse window shows: the 24 captions, and whether the device has an
    // extended fuse. Loaded for the device as the window is shown; while it is shown, it follows
    // every change of the device.
    const QStringList &fuseCaptions() const { return fuse_captions_; }
    bool hasExtendedFuse() const { return extended_fuse_; }
    // Loads the device's description file, or no.fuse. A short file sets the captions it has and
    // throws at the first missing line, and the flag stays; no file at all throws and keeps all.
    void loadFuseDescription();
    // While set, another device loads its description at once (quietly: a broken file keeps what
    // it cannot set) and the observer is told.
    void setFuseDescriptionFollowsDevice(bool follows) { fuse_description_follows_device_ = follows; }
    void setFuseDescriptionObserver(std::function<void()> observer) { fuse_description_observer_ = std::move(observer); }

    // The fuse bytes the boxes show, and the labels' texts.
    const FuseBytes &fuseBytes() const { return fuse_bytes_; }
    const FuseTexts &fuseTexts() const { return fuse_texts_; }
    // The bytes are taken, and every label shows its number.
    void setFuseBytes(const FuseBytes &bytes);
    // The user changed the box of bit index 0 to 23 (low bits 0 to 7, high, extended): checked is
    // programmed, a 0. Every label shows its number.
    void setFuseBit(int index, bool programmed);
    // The bytes of the last read. They outlast the fuse window's showings; before the first good
    // read they are what the boxes show when the window first opens.
    const FuseBytes &lastReadFuseBytes() const { return last_read_; }
    // What the chip reported at the last read since the device was chosen, byte by byte.
    const LastFuseRead &chipReport() const { return chip_report_; }
    // The bytes a write sends: every extended box checked goes out as FF, and the extended byte
    // only for a device that has one.
    FuseByteValues intendedFuseWrite() const;
    // The question to ask before writeFuses(), if it must ask: for a device whose bits have no
    // names, always; otherwise when the write can lock the chip out. The names are always those of
    // the device the write goes to, never captions shown earlier.
    std::optional<QString> fuseWriteQuestion() const;
    // The questions before eraseChip() and programEeprom(): what the erase takes.
    QString chipEraseQuestion() const;
    QString eepromProgramQuestion() const;

    // The verbs.
    void runFreeCommand(const QString &arguments);
    void programFlash(const QString &file);
    void programEeprom(const QString &file);
    void readFlash(const QString &file);
    void readEeprom(const QString &file);
    void eraseChip();
    // Reads the three bytes through transfer files in a folder of this read's own. Whether or not
    // avrdude ran, it takes what avrdude left, then shows the last read bytes, which undoes box
    // changes not yet written when a file is missing. A file that holds no byte, or a folder that
    // is no longer the one made for the read, throws.
    void readFuses();
    void writeFuses();
    // Programs the file into flash on the target another tool named, as the user corrected it.
    void programExternal(const QString &device, const QString &programmer, const QString &port, const QString &file);

private:
    void run(const CommandLine &command, const QStringList &failure_lines) const;
    void takeTransferFile(const QString &file_name, FuseByte which);
    void showFuseBytes(const FuseBytes &bytes);
    std::optional<QStringList> deviceFuseNames() const;

    Runner runner_;
    QString avrdude_path_;
    QString device_;
    QString programmer_;
    QString port_;
    QStringList parameters_;
    QStringList fuse_captions_ = generic_fuse_captions();
    bool extended_fuse_ = false;
    bool fuse_description_follows_device_ = false;
    std::function<void()> fuse_description_observer_;
    FuseBytes fuse_bytes_;
    FuseBytes last_read_;
    LastFuseRead chip_report_;
    FuseTexts fuse_texts_;
};
