#include "skin/titlebar/tsui_title_bar_section.h"

#include "skin/window/widget_set_error.h"
#include "skin/paint/device_pixels.h"
#include "skin/titlebar/tsui_title_bar.h"

TsuiTitleBarSection::TsuiTitleBarSection(TsuiTitleBarSections *collection)
    : QObject(collection)
    , collection_(collection)
{
}

void TsuiTitleBarSection::changed() { emit collection_->changed(); }

void TsuiTitleBarSection::setAutoSize(bool on)
{
    auto_size_ = on;
    if (auto_size_ && !picture_.isNull())
        width_ = LogicalSize(picture_).width();
    changed();
}

void TsuiTitleBarSection::setWidth(int width)
{
    width_ = width;
    changed();
}

void TsuiTitleBarSection::setAlign(TsuiTitleBarAlign align)
{
    if (align == TsuiTitleBarAlign::suiClient) {
        for (int i = 0; i < collection_->Count(); ++i) {
            const TsuiTitleBarSection *other = collection_->Items(i);
            if (other != this && other->align() == TsuiTitleBarAlign::suiClient) {
                show_widget_set_error(collection_->owner(),
                                      QStringLiteral("Sorry, only one section's Align property can be \"suiClient\""));
                return;
            }
        }
    }
    align_ = align;
    changed();
}

void TsuiTitleBarSection::setPicture(const QImage &picture)
{
    picture_ = picture;
    if (auto_size_ && !picture_.isNull())
        width_ = LogicalSize(picture_).width();
    changed();
}

void TsuiTitleBarSection::setStretch(bool on)
{
    stretch_ = on;
    changed();
}

void TsuiTitleBarSection::copyFrom(const TsuiTitleBarSection &other)
{
    auto_size_ = other.auto_size_;
    width_ = other.width_;
    align_ = other.align_;
    picture_ = other.picture_;
    stretch_ = other.stretch_;
    changed();
}

TsuiTitleBarSections::TsuiTitleBarSections(TsuiTitleBar *owner)
    : QObject(owner)
    , owner_(owner)
{
}

TsuiTitleBarSection *TsuiTitleBarSections::Add()
{
    auto *section = new TsuiTitleBarSection(this);
    items_.push_back(section);
    emit changed();
    return section;
}

void TsuiTitleBarSections::Clear()
{
    for (TsuiTitleBarSection *section : items_)
        delete section;
    items_.clear();
    emit changed();
}

void TsuiTitleBarSections::Assign(const TsuiTitleBarSections &other)
{
    if (&other == this)
        return;
    Clear();
    for (int i = 0; i < other.Count(); ++i)
        Add()->copyFrom(*other.Items(i));
}
