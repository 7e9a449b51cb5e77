#pragma once

#include "skin/themes/ui_style.h"
#include "skin/menu/tsui_popup_menu.h"

#include <QImage>
#include <QMetaType>
#include <QObject>
#include <QPointer>

#include <vector>

class TsuiTitleBar;
class TsuiTitleBarButtons;

enum class TsuiTitleBarBtnType { suiMax = 0, suiMin = 1, suiClose = 2, suiHelp = 3, suiControlBox = 4, suiCustom = 5 };
Q_DECLARE_METATYPE(TsuiTitleBarBtnType)

// One button of a title bar: three pictures cut from the style's 18-frame button strip, and the
// action its type stands for.
class TsuiTitleBarButton : public QObject {
    Q_OBJECT
    Q_PROPERTY(TsuiUIStyle UIStyle READ uiStyle WRITE setUIStyle)
    Q_PROPERTY(TsuiTitleBarBtnType ButtonType READ buttonType WRITE setButtonType)
    Q_PROPERTY(bool Transparent READ transparent WRITE setTransparent)
    Q_PROPERTY(int Top READ top WRITE setTop)
    Q_PROPERTY(TsuiPopupMenu *ControlBoxMenu READ controlBoxMenu WRITE setControlBoxMenu)
    Q_PROPERTY(bool Visible READ visible WRITE setVisible)
    Q_PROPERTY(QImage PicNormal READ picNormal WRITE setPicNormal)
    Q_PROPERTY(QImage PicMouseOn READ picMouseOn WRITE setPicMouseOn)
    Q_PROPERTY(QImage PicMouseDown READ picMouseDown WRITE setPicMouseDown)

public:
    // The style's title button strip holds this many equal frames.
    static constexpr int StripFrameCount = 18;

    explicit TsuiTitleBarButton(TsuiTitleBarButtons *collection);

    TsuiUIStyle uiStyle() const { return style_; }
    void setUIStyle(TsuiUIStyle style);
    TsuiTitleBarBtnType buttonType() const { return type_; }
    // Only one button of a collection may be the control box; a second one is refused with an
    // error box and the type stays as it was.
    void setButtonType(TsuiTitleBarBtnType type);
    bool transparent() const { return transparent_; }
    void setTransparent(bool on);
    int top() const { return top_; }
    void setTop(int top);
    TsuiPopupMenu *controlBoxMenu() const { return control_box_menu_; }
    void setControlBoxMenu(TsuiPopupMenu *menu);
    bool visible() const { return visible_; }
    void setVisible(bool visible);
    QImage picNormal() const { return pic_normal_; }
    void setPicNormal(const QImage &picture);
    QImage picMouseOn() const { return pic_mouse_on_; }
    void setPicMouseOn(const QImage &picture);
    QImage picMouseDown() const { return pic_mouse_down_; }
    void setPicMouseDown(const QImage &picture);

    int index() const;
    TsuiTitleBar *titleBar() const;

    // Performs the button's action on the window that holds the title bar.
    void ButtonClick();
    // Loads the three pictures for the type from the style's strip; a maximize button gets the
    // restore pictures while its window is maximized.
    void loadPictures();
    // Sets the type without the control-box rule, for buttons the title bar makes itself.
    void initType(TsuiTitleBarBtnType type) { type_ = type; }
    void copyFrom(const TsuiTitleBarButton &other);

private:
    void changed();

    TsuiTitleBarButtons *collection_;
    TsuiUIStyle style_ = TsuiUIStyle::DeepBlue;
    TsuiTitleBarBtnType type_ = TsuiTitleBarBtnType::suiCustom;
    bool transparent_ = false;
    int top_ = 2;
    QPointer<TsuiPopupMenu> control_box_menu_;
    bool visible_ = true;
    QImage pic_normal_;
    QImage pic_mouse_on_;
    QImage pic_mouse_down_;
};

// The ordered buttons of one title bar; the first button is the rightmost of the right-side row.
class TsuiTitleBarButtons : public QObject {
    Q_OBJECT

public:
    explicit TsuiTitleBarButtons(TsuiTitleBar *owner);

    TsuiTitleBarButton *Add();
    int Count() const { return static_cast<int>(items_.size()); }
    TsuiTitleBarButton *Items(int index) const { return items_.at(static_cast<std::size_t>(index)); }
    int indexOf(const TsuiTitleBarButton *button) const;
    void Clear();
    // Replaces the buttons with copies of other's.
    void Assign(const TsuiTitleBarButtons &other);
    TsuiTitleBar *owner() const { return owner_; }

signals:
    void changed();

private:
    TsuiTitleBar *owner_;
    std::vector<TsuiTitleBarButton *> items_;
};
