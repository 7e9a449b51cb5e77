#pragma once

#include "skin/form/tform.h"

#include <QPointer>
#include <QRect>
#include <QSize>

class QLabel;
class TsuiForm;

// The message window that a TsuiMessageDialog builds for one showing: a skinned frame with only
// a close button, a word-wrapping text label of fixed width and a picture for the icon. The
// dialog adds the buttons and sizes it. While it exists, Ctrl+C anywhere in it copies its
// caption, text and button captions to the clipboard.
class TfrmMsg : public TForm {
    Q_OBJECT

public:
    // The fixed layout, in client coordinates.
    static constexpr QSize LayoutClientSize{336, 130};
    static constexpr int MinimumClientWidth = 150;
    static constexpr QRect LabelRect{88, 64, 225, 13};
    static constexpr QRect ImageRect{24, 64, 40, 40};
    static constexpr int LayoutFontPixels = 11;
    static constexpr int ClipboardRuleLength = 27;

    TfrmMsg();
    ~TfrmMsg() override;

    // The text goes into the label, whose height then follows the wrapped lines.
    void setMessageText(const QString &text);
    // The control that gets the focus when the window opens.
    void setActiveControl(QWidget *control) { active_control_ = control; }
    QWidget *activeControl() const { return active_control_; }

    // Runs for every key pressed in the window before the focused control sees it.
    void FormKeyDown(int key, Qt::KeyboardModifiers shift);
    // What Ctrl+C puts on the clipboard.
    QString clipboardText() const;

    TsuiForm *suiForm1;
    QLabel *lbl;
    QLabel *Image1;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> active_control_;
};
