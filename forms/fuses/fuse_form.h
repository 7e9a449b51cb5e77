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
// bit, captioned by the session's description of that device. It shows the session and hands
// the user's clicks to it; reads, writes and what a write must ask are the session's.
class TForm3 : public TForm {
    Q_OBJECT

public:
    explicit TForm3(Session &session);
    ~TForm3() override;

    using BitBoxes = std::array<TsuiCheckBox *, 8>;
    static constexpr int FuseGroupCount = 3;

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
    // Asks before a write that can lock the chip out of its programmer, or whose bits have no names.
    TsuiMessageDialog *lockoutDialog;

    // Handlers of "&Lesen" and "&Schreiben".
    void read_fuses();
    void write_fuses();

protected:
    void FormShow() override;
    void hideEvent(QHideEvent *event) override;

private:
    TsuiGroupBox *createFuseGroup(const QString &name, const QString &caption, int left, int width, QChar prefix,
                                  BitBoxes &boxes);
    QLabel *createValueLabel(const QString &name, int left);
    TsuiButton *createButton(const QString &name, const QString &caption, int left);
    // Captions the 24 boxes as the session's fuse description says.
    void show_session_description();
    // Shows the session's bytes: each box checked where its bit is 0, and the labels' texts.
    void show_session_fuses();
    // Names the three value labels after their fuses and values, for screen readers.
    void name_fuse_values();

    Session &session_;
};
