#include "skin/menu/tsui_menu_item.h"

#include "handlers/handler_boundary.h"


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

void TsuiMenuItem::setChecked(bool checked)
{
    checked_ = checked;
    emit changed();
}

void TsuiMenuItem::setDefault(bool on)
{
    default_ = on;
    emit changed();
}

void TsuiMenuItem::setImageIndex(int index)
{
    image_index_ = index;
    emit changed();
}

void TsuiMenuItem::setShortCut(const QKeySequence &shortcut)
{
    shortcut_ = shortcut;
    emit changed();
}

QString TsuiMenuItem::shortCutText() const
{
    return shortcut_.toString(QKeySequence::NativeText);
}

QChar TsuiMenuItem::accelerator() const { return caption_accelerator(caption_); }

TsuiMenuItem *TsuiMenuItem::add(const QString &caption, std::function<void()> on_click)
{
    auto *item = new TsuiMenuItem(caption, this);
    if (on_click)
        connect_handler(item, &TsuiMenuItem::OnClick, this, std::move(on_click));
    adopt(item);
    return item;
}

void TsuiMenuItem::adopt(TsuiMenuItem *child)
{
    items_.push_back(child);
    connect(child, &TsuiMenuItem::changed, this, &TsuiMenuItem::changed);
    connect(child, &TsuiMenuItem::inserted, this, &TsuiMenuItem::inserted);
    connect(child, &QObject::destroyed, this, [this](QObject *gone) {
        std::erase_if(items_, [gone](const TsuiMenuItem *item) { return static_cast<const QObject *>(item) == gone; });
        emit changed();
    });
    emit inserted(child);
    emit changed();
}

void TsuiMenuItem::Click()
{
    if (enabled_ && !isSeparator())
        emit OnClick();
}

QChar caption_accelerator(const QString &caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) != QLatin1Char('&'))
            continue;
        if (caption.at(i + 1) == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return caption.at(i + 1).toLower();
    }
    return QChar();
}
