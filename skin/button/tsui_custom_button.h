#pragma once

#include "skin/themes/control_look.h"
#include "skin/themes/file_theme.h"

#include <QAbstractButton>
#include <QImage>
#include <QPointer>
#include <QString>

class QTimer;

// The skinned push button's state machine and drawing skeleton: hover, press, keyboard
// activation, accelerator, default and cancel buttons, the modal result and the auto-repeat
// event while the left button is held. Every paint is composed off-screen from the style's
// three-frame button strip (normal, hover, pressed) and copied in one step. Caption, mnemonic
// and click are Qt's button's; pressing keeps its own rules (a press dragged out stays released).
class TsuiCustomButton : public QAbstractButton, public ControlLook {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(bool AutoSize READ autoSize WRITE setAutoSize)
    Q_PROPERTY(bool TabStop READ tabStop WRITE setTabStop)
    Q_PROPERTY(TsuiFileTheme *FileTheme READ fileTheme WRITE setFileTheme)
    Q_PROPERTY(TsuiUIStyle UIStyle READ uiStyle WRITE setUIStyle)
    Q_PROPERTY(bool Cancel READ cancel WRITE setCancel)
    Q_PROPERTY(bool Default READ isDefault WRITE setDefault)
    Q_PROPERTY(bool Transparent READ transparent WRITE setTransparent)
    Q_PROPERTY(int ModalResult READ modalResult WRITE setModalResult)
    Q_PROPERTY(int FocusedRectMargin READ focusedRectMargin WRITE setFocusedRectMargin)
    Q_PROPERTY(int MouseContinuouslyDownInterval READ mouseContinuouslyDownInterval WRITE
                   setMouseContinuouslyDownInterval)

public:
    static constexpr int DefaultRepeatInterval = 100;
    static constexpr int DefaultFocusedRectMargin = 2;
    // What a strip that cannot be fetched is replaced by.
    static constexpr QSize BlankFrameSize{74, 21};
    static constexpr int StripFrameCount = 3;

    explicit TsuiCustomButton(QWidget *parent);
    ~TsuiCustomButton() override;

    // The caption is the button's text.
    QString caption() const { return text(); }
    void setCaption(const QString &caption) { setText(caption); }
    void setHint(const QString &hint) { setToolTip(hint); }

    bool autoSize() const { return auto_size_; }
    void setAutoSize(bool on);
    bool tabStop() const { return tab_stop_; }
    void setTabStop(bool on);
    bool cancel() const { return cancel_; }
    void setCancel(bool on) { cancel_ = on; }
    bool isDefault() const { return default_; }
    void setDefault(bool on);
    bool transparent() const { return transparent_; }
    void setTransparent(bool on);
    int modalResult() const { return modal_result_; }
    void setModalResult(int result) { modal_result_ = result; }
    int focusedRectMargin() const { return focused_rect_margin_; }
    void setFocusedRectMargin(int margin);
    int mouseContinuouslyDownInterval() const { return repeat_interval_; }
    // Takes effect at the next press.
    void setMouseContinuouslyDownInterval(int ms) { repeat_interval_ = ms; }

    // Whether Enter clicks this button: its Default flag, unless another skinned button of the
    // window has the focus (then that one is the default) or this one has it.
    bool activeDefault() const { return active_default_; }
    bool isPressed() const { return pressed_; }
    bool isMouseInside() const { return mouse_inside_; }

    // A click by program: the same as a user's, modal result and OnClick included. Every click,
    // also Qt's own (click(), an assistive tool's press), ends in the same place.
    void Click();

    // Enter or Escape offered by the window (see TsuiDialogKeyRouter); true when taken.
    bool DialogKey(int key);

signals:
    void OnClick();
    void OnMouseEnter();
    void OnMouseExit();
    void OnMouseContinuouslyDown();

protected:
    void ApplyLook() override { update(); }
    virtual void UpdateAutoSize();
    virtual void FontChanged();
    virtual void TransparentChanged();
    virtual void EnabledChanged() {}
    virtual void PaintFace(QPainter &canvas, const QImage &frame);
    virtual void PaintCaption(QPainter &canvas, const QString &caption);
    virtual void PaintFocus(QPainter &canvas);
    // Whether focus shows as a bold caption instead of the dotted rectangle.
    virtual bool FocusShownByBoldCaption() const { return false; }
    virtual void GetNormalPicture(QImage *bitmap);
    virtual void GetMouseOnPicture(QImage *bitmap);
    virtual void GetMouseDownPicture(QImage *bitmap);
    virtual void GetDisabledPicture(QImage *bitmap);

    // The face is drawn with its transparent colour; follows Transparent.
    bool frameTransparent() const { return frame_transparent_; }
    QColor fontColour() const;

    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void fetchFrame(int index, QImage *bitmap) const;
    QImage currentFrame();
    bool showsFocus() const { return hasFocus() && tab_stop_; }
    void stopRepeat();
    void clicked_by_qt();
    void attachToWindow();
    void focusAnnounced(QWidget *now);
    bool canTakeFocus() const;

    bool auto_size_ = false;
    bool tab_stop_ = true;
    bool cancel_ = false;
    bool default_ = false;
    bool active_default_ = false;
    bool transparent_ = false;
    bool frame_transparent_ = false;
    bool mouse_inside_ = false;
    bool pressed_ = false;
    // A left press began on the button; its release inside clicks, wherever the pointer went.
    bool click_armed_ = false;
    // The activation key whose press the button took while focused; only its release clicks.
    int armed_key_ = 0;
    int modal_result_ = 0;
    int focused_rect_margin_ = DefaultFocusedRectMargin;
    int repeat_interval_ = DefaultRepeatInterval;
    QTimer *repeat_timer_ = nullptr;
    QPointer<QWidget> attached_window_;
};
