#include "skin/titlebar/tsui_title_bar_button.h"

#include "skin/layout/mirroring.h"
#include "skin/themes/look_source.h"
#include "skin/window/main_window.h"
#include "skin/window/widget_set_error.h"
#include "skin/frameless/window_geometry.h"
#include "skin/menu/tsui_popup_menu.h"
#include "skin/titlebar/tsui_title_bar.h"


namespace {

// First frame of each type's normal, hover and pressed pictures in the 18-frame strip.
int first_frame(TsuiTitleBarBtnType type, bool restore)
{
    switch (type) {
    case TsuiTitleBarBtnType::suiControlBox:
        return 1;
    case TsuiTitleBarBtnType::suiHelp:
        return 4;
    case TsuiTitleBarBtnType::suiMax:
        return restore ? 10 : 7;
    case TsuiTitleBarBtnType::suiMin:
        return 13;
    case TsuiTitleBarBtnType::suiClose:
        return 16;
    case TsuiTitleBarBtnType::suiCustom:
        break;
    }
    return 0;
}

// A control-box menu in right-to-left mode opens this much further right.
constexpr int RightToLeftMenuShift = 176;

} // namespace

TsuiTitleBarButton::TsuiTitleBarButton(TsuiTitleBarButtons *collection)
    : QObject(collection)
    , collection_(collection)
{
}

TsuiTitleBar *TsuiTitleBarButton::titleBar() const { return collection_->owner(); }

int TsuiTitleBarButton::index() const { return collection_->indexOf(this); }

void TsuiTitleBarButton::changed() { emit collection_->changed(); }

void TsuiTitleBarButton::setUIStyle(TsuiUIStyle style)
{
    style_ = style;
    loadPictures();
}

void TsuiTitleBarButton::setButtonType(TsuiTitleBarBtnType type)
{
    if (type == TsuiTitleBarBtnType::suiControlBox) {
        for (int i = 0; i < collection_->Count(); ++i) {
            if (collection_->Items(i)->buttonType() == TsuiTitleBarBtnType::suiControlBox) {
                show_widget_set_error(titleBar(),
                                      QStringLiteral("Sorry, only one button's ButtonType property can be \"suiControlBox\""));
                return;
            }
        }
    }
    type_ = type;
    loadPictures();
}

void TsuiTitleBarButton::loadPictures()
{
    TsuiTitleBar *bar = titleBar();
    const LookSource look(bar ? bar->fileTheme() : nullptr, style_);
    transparent_ = look.flag(ThemeElement::TitleBarButtonTransparentBool);
    const bool restore = type_ == TsuiTitleBarBtnType::suiMax && bar && bar->hostMaximized();
    if (const int first = first_frame(type_, restore); first > 0) {
        pic_normal_ = look.frame(ThemeElement::TitleBarButtonImage, first, StripFrameCount);
        pic_mouse_on_ = look.frame(ThemeElement::TitleBarButtonImage, first + 1, StripFrameCount);
        pic_mouse_down_ = look.frame(ThemeElement::TitleBarButtonImage, first + 2, StripFrameCount);
        top_ = look.integer(ThemeElement::TitleBarButtonTopInt);
    }
    changed();
}

void TsuiTitleBarButton::setTransparent(bool on)
{
    transparent_ = on;
    changed();
}

void TsuiTitleBarButton::setTop(int top)
{
    top_ = top;
    changed();
}

void TsuiTitleBarButton::setControlBoxMenu(TsuiPopupMenu *menu)
{
    control_box_menu_ = menu;
    changed();
}

void TsuiTitleBarButton::setVisible(bool visible)
{
    visible_ = visible;
    changed();
}

void TsuiTitleBarButton::setPicNormal(const QImage &picture)
{
    pic_normal_ = picture;
    changed();
}

void TsuiTitleBarButton::setPicMouseOn(const QImage &picture)
{
    pic_mouse_on_ = picture;
    changed();
}

void TsuiTitleBarButton::setPicMouseDown(const QImage &picture)
{
    pic_mouse_down_ = picture;
    changed();
}

void TsuiTitleBarButton::copyFrom(const TsuiTitleBarButton &other)
{
    style_ = other.style_;
    type_ = other.type_;
    transparent_ = other.transparent_;
    top_ = other.top_;
    control_box_menu_ = other.control_box_menu_;
    visible_ = other.visible_;
    pic_normal_ = other.pic_normal_;
    pic_mouse_on_ = other.pic_mouse_on_;
    pic_mouse_down_ = other.pic_mouse_down_;
    changed();
}

void TsuiTitleBarButton::ButtonClick()
{
    TsuiTitleBar *bar = titleBar();
    QWidget *host = bar ? bar->window() : nullptr;
    if (!host)
        return;
    switch (type_) {
    case TsuiTitleBarBtnType::suiMax:
        if (host->isMaximized()) {
            host->showNormal();
        } else {
            host->showMaximized();
            if (!bar->onFrame())
                host->setGeometry(maximized_bounds(application_main_window()));
        }
        bar->UpdateMaxButtonPictures();
        break;
    case TsuiTitleBarBtnType::suiMin:
        if (host == application_main_window())
            minimize_application();
        else
            host->showMinimized();
        break;
    case TsuiTitleBarBtnType::suiClose:
        host->close();
        break;
    case TsuiTitleBarBtnType::suiControlBox:
        if (control_box_menu_) {
            QPoint at = bar->mapToGlobal(QPoint(0, bar->height()));
            if (mirrored_layout(bar))
                at.rx() += RightToLeftMenuShift;
            control_box_menu_->Popup(qMax(0, at.x()), at.y());
        }
        break;
    case TsuiTitleBarBtnType::suiHelp:
    case TsuiTitleBarBtnType::suiCustom:
        break;
    }
}

TsuiTitleBarButtons::TsuiTitleBarButtons(TsuiTitleBar *owner)
    : QObject(owner)
    , owner_(owner)
{
}

TsuiTitleBarButton *TsuiTitleBarButtons::Add()
{
    auto *button = new TsuiTitleBarButton(this);
    items_.push_back(button);
    emit changed();
    return button;
}

int TsuiTitleBarButtons::indexOf(const TsuiTitleBarButton *button) const
{
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i] == button)
            return static_cast<int>(i);
    return -1;
}

void TsuiTitleBarButtons::Clear()
{
    for (TsuiTitleBarButton *button : items_)
        delete button;
    items_.clear();
    emit changed();
}

void TsuiTitleBarButtons::Assign(const TsuiTitleBarButtons &other)
{
    if (&other == this)
        return;
    Clear();
    for (int i = 0; i < other.Count(); ++i)
        Add()->copyFrom(*other.Items(i));
}
