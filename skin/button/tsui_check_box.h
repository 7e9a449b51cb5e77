#pragma once

#include "skin/themes/control_look.h"
#include "skin/themes/file_theme.h"
#include "skin/themes/theme_element.h"

#include <QAbstractButton>
#include <QColor>
#include <QImage>

// A check box whose OnClick is a change notification: it fires whenever Checked changes value,
// by a user's click or by the program, except while its window is being built. Assigning the
// value it already has fires nothing. The state picture comes from the style's four-frame strip
// (checked, unchecked, checked disabled, unchecked disabled); the caption sits beside it. The
// checked state, the caption's mnemonic and the toggle are Qt's checkable button's.
class TsuiCheckBox : public QAbstractButton, public ControlLook {
    Q_OBJECT
    Q_PROPERTY(TsuiUIStyle UIStyle READ uiStyle WRITE setUIStyle)
    Q_PROPERTY(TsuiFileTheme *FileTheme READ fileTheme WRITE setFileTheme)
    Q_PROPERTY(bool AutoSize READ autoSize WRITE setAutoSize)
    Q_PROPERTY(bool Checked READ isChecked WRITE setChecked)
    Q_PROPERTY(QString Caption READ text WRITE setText)
    Q_PROPERTY(QColor Color READ color WRITE setColor)
    Q_PROPERTY(bool ParentColor READ parentColor WRITE setParentColor)
    Q_PROPERTY(bool TabStop READ tabStop WRITE setTabStop)
    Q_PROPERTY(TCheckBoxState State READ state WRITE setState)
    Q_PROPERTY(bool Transparent READ transparent WRITE setTransparent)

public:
    // There is no third state on screen: cbGrayed is stored as unchecked.
    enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
    Q_ENUM(TCheckBoxState)

    static constexpr QSize DefaultSize{93, 17};
    static constexpr int StripFrameCount = 4;

    explicit TsuiCheckBox(QWidget *parent);

    bool autoSize() const { return auto_size_; }
    void setAutoSize(bool on);
    // Qt's setText is not virtual: the box takes its caption through this one, which also fits
    // the box to it.
    void setText(const QString &text);
    // Until a colour is set the box shows its parent's.
    QColor color() const;
    void setColor(const QColor &color);
    bool parentColor() const { return parent_color_; }
    void setParentColor(bool on);
    bool tabStop() const { return tab_stop_; }
    void setTabStop(bool on);
    TCheckBoxState state() const { return isChecked() ? cbChecked : cbUnchecked; }
    void setState(TCheckBoxState state) { setChecked(state == cbChecked); }
    bool transparent() const { return transparent_; }
    void setTransparent(bool on);

    // While loading, changes of Checked do not fire OnClick.
    void setLoading(bool loading) { loading_ = loading; }

    // A click by program: toggles as a user's click does, through Qt's click.
    void Click();

    // The size AutoSize gives: the picture and the caption in the current font.
    QSize sizeHint() const override;

signals:
    void OnClick();
    void OnDblClick();

protected:
    void ApplyLook() override;
    // What a click does to the state: Toggle().
    void nextCheckState() override;
    virtual bool NeedsFocusMark() const;
    virtual bool PictureTransparent() const { return false; }
    virtual ThemeElement PictureElement() const { return ThemeElement::CheckBoxImage; }
    virtual void CheckedChanged();
    virtual void BeforeToggle() {}
    virtual void Toggle();
    virtual bool KeyToggles() const { return true; }

    bool loading() const { return loading_; }
    bool canTakeFocus() const;
    // A left press arms the click that its release inside the control fires.
    void setClickArmed(bool armed) { click_armed_ = armed; }

    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    QImage picture(int frameIndex) const;
    QSize autoSizeFor(const QImage &picture) const;
    void applyAutoSize();

    bool auto_size_ = true;
    bool transparent_ = false;
    bool tab_stop_ = true;
    bool parent_color_ = true;
    bool loading_ = false;
    bool click_armed_ = false;
    // The toggle key whose press the box took while focused; only its release toggles.
    int armed_key_ = 0;
    QColor color_;
};
