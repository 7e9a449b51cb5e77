#include "skin/menu/tsui_main_menu.h"

TsuiMenuItem::TsuiMenuItem(const QString &caption, QObject *parent)
    : QObject(parent)
    , caption_(caption)
{
}

void TsuiMenuItem::setCaption(const QString &caption)
{
    caption_ = caption;
    emit changed();
}

void TsuiMenuItem::setEnabled(bool enabled)
{
    enabled_ = enabled;
    emit changed();
}

TsuiMenuItem *TsuiMenuItem::add(const QString &caption, std::function<void()> on_click)
{
    auto *item = new TsuiMenuItem(caption, this);
    if (on_click)
        connect(item, &TsuiMenuItem::OnClick, this, std::move(on_click));
    items_.push_back(item);
    emit changed();
    return item;
}

void TsuiMenuItem::Click()
{
    if (enabled_ && !isSeparator())
        emit OnClick();
}

TsuiMainMenu::TsuiMainMenu(QObject *parent)
    : QObject(parent)
{
}

TsuiMenuItem *TsuiMainMenu::add(const QString &caption)
{
    auto *item = new TsuiMenuItem(caption, this);
    items_.push_back(item);
    connect(item, &TsuiMenuItem::changed, this, &TsuiMainMenu::changed);
    emit changed();
    return item;
}

void TsuiMainMenu::setUIStyle(TsuiUIStyle style)
{
    style_ = style;
    emit changed();
}
