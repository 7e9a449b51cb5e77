#pragma once

#include "session/fuse_bytes.h"
#include "skin/form/tform.h"

#include <array>

class QLabel;
class Session;
class TsuiButton;
class TsuiCheckBox;
class TsuiForm;
class TsuiGroupBox;
class TsuiMessageDialog;

// The fuse window: the session's low, high and extended fuse bytes of the chosen device, bit by
// bit, with captions from the device's description file. Reads and writes are the session's.
class TForm3 : public TForm {
    Q_OBJECT

public:
    explicit TForm3(Session &session);

    using BitBoxes = std::array<TsuiCheckBox *, 8>;
    static constexpr int FuseGroupCount = 3;
    // The lockout question's result for "Schreiben".
    static constexpr int LockoutConfirmed = 6;

    // Box index 0 to 23: low bits 0 to 7, high bits 0 to 7, extended bits 0 to 7.
    TsuiCheckBox *bitBox(int index) const;

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

    // Gives the session the three bytes of the 24 boxes and shows them in the three labels.
    void recompute_fuse_values();
    // Handlers of "&Lesen" and "&Schreiben".
    void read_fuses();
    void write_fuses();

protected:
    void FormShow() override;

private:
    TsuiGroupBox *createFuseGroup(const QString &name, const QString &caption, int left, int width, QChar prefix,
                                  BitBoxes &boxes);
    QLabel *createValueLabel(const QString &name, int left);
    TsuiButton *createButton(const QString &name, const QString &caption, int left);
    void set_captions(const QStringList &lines);
    // Shows the session's bytes: each box checked where its bit is 0, and the labels' texts.
    void show_session_fuses();
    // Names the three value labels after their fuses and values, for screen readers.
    void name_fuse_values();
    // Shows the lockout question when the write would need it; true when the write may go on.
    bool confirm_lockout_risks();
    // The 24 bit names of the device the write goes to; the captions shown when its file is unreadable.
    QStringList lockout_bit_names() const;

    Session &session_;
};
