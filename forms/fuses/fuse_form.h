#pragma once

#include "avrdude/command_line.h"
#include "forms/fuses/fuse_bits.h"
#include "forms/fuses/fuse_lockout.h"
#include "skin/form/tform.h"

#include <array>

class QLabel;
class TForm1;
class TsuiButton;
class TsuiCheckBox;
class TsuiForm;
class TsuiGroupBox;
class TsuiMessageDialog;

// The fuse window: the low, high and extended fuse bytes of the device chosen in the main window,
// bit by bit, with captions from the device's description file. Reads and writes go through
// avrdude and report into the main window's log.
class TForm3 : public TForm {
    Q_OBJECT

public:
    explicit TForm3(TForm1 &main);

    using BitBoxes = std::array<TsuiCheckBox *, 8>;
    static constexpr int FuseGroupCount = 3;
    // The lockout question's result for "Schreiben".
    static constexpr int LockoutConfirmed = 6;

    // Box index 0 to 23: low bits 0 to 7, high bits 0 to 7, extended bits 0 to 7.
    TsuiCheckBox *bitBox(int index) const;
    // Whether the device shown last has an extended fuse; set on every showing.
    bool extendedFuseFlag() const { return ExtendedFuseFlag; }

    TsuiForm *suiForm1;
    TsuiCheckBox *suiCheckBox1; // legend "= 0"
    TsuiCheckBox *suiCheckBox2; // legend "= 1"
    TsuiGroupBox *suiGroupBox1; // LowFuse
    TsuiGroupBox *suiGroupBox2; // HighFuse
    TsuiGroupBox *suiGroupBox3; // EFuse
    BitBoxes l{};
    BitBoxes h{};
    BitBoxes e{};
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    TsuiButton *suiButton1; // &Lesen
    TsuiButton *suiButton2; // &Schreiben
    TsuiButton *suiButton3; // &Abbrechen
    // Asks before a write that can lock the chip out of its programmer.
    TsuiMessageDialog *lockoutDialog;

    // Builds the three bytes from the 24 boxes and shows them in the three labels.
    void recompute_fuse_values();
    // Handlers of "&Lesen" and "&Schreiben".
    void read_fuses();
    void write_fuses();
    // The avrdude command lines the two handlers run, from the main window's choices, the flag
    // and (for reading) the folder the transfer files go to, (for writing) the labels as they stand.
    CommandLine read_fuses_command_line(const QString &transfer_dir) const;
    CommandLine write_fuses_command_line() const;

protected:
    void FormShow() override;

private:
    TsuiGroupBox *createFuseGroup(const QString &name, const QString &caption, int left, int width, QChar prefix,
                                  BitBoxes &boxes);
    QLabel *createValueLabel(const QString &name, int left);
    TsuiButton *createButton(const QString &name, const QString &caption, int left);
    void set_captions(const QStringList &lines);
    // Sets each group's boxes from a byte: checked where the bit is 0. Every box that changes
    // recomputes the labels through its click event.
    void set_boxes_from(const StoredFuseValues &values);
    // Names the three value labels after their fuses and values, for screen readers.
    void name_fuse_values();
    // Takes one transfer file avrdude left into the label and the stored value.
    void take_transfer_file(int fuse, const QString &file_name, QLabel *label, int &stored_value);
    // The bytes a write sends as the labels stand: the extended one only with the flag set.
    FuseByteValues intended_fuse_bytes() const;
    // Shows the lockout question when the write would need it; true when the write may go on.
    bool confirm_lockout_risks();
    // The 24 bit names of the device the write goes to; the captions shown when its file is unreadable.
    QStringList lockout_bit_names() const;

    TForm1 &main_;
    bool ExtendedFuseFlag = false;
    LastFuseRead last_read_;
};
