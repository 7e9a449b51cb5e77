#include "skin/menu/tsui_main_menu.h"

#include "skin/menu/image_list.h"

#include <QKeyEvent>
#include <QPointer>

namespace {

TsuiMenuItem *find_shortcut(TsuiMenuItem *item, const QKeySequence &key)
{
    for (TsuiMenuItem *child : item->items()) {
        if (!child->shortCut().isEmpty() && child->shortCut() == key)
            return child;
        if (TsuiMenuItem *found = find_shortcut(child, key))
            return found;
    }
    return nullptr;
}

} // namespace

TsuiMainMenu::TsuiMainMenu(QObject *owner)
    : TsuiCustomMenu(owner)
    , check_marks_(make_check_mark_images(this))
    , installed_(check_marks_)
{
    initialiseMenu();
    connect(this, &TsuiCustomMenu::OnChange, this, [this] {
        if (!form_)
            return;
        // No stored description is loaded here, so a new or removed top-level item is the
        // moment the bar needs its buttons made again; other changes only refresh them.
        if (Items()->count() != top_level_count_) {
            top_level_count_ = Items()->count();
            emit rebuildBarRequested();
        } else {
            emit syncBarRequested();
        }
    });
}

TImageList *TsuiMainMenu::images() const { return installed_ == check_marks_ ? nullptr : installed_; }

void TsuiMainMenu::setImages(TImageList *images) { installed_ = images ? images : check_marks_; }

TImageList *TsuiMainMenu::userImages() const { return images(); }

void TsuiMainMenu::setUseSystemFont(bool on)
{
    TsuiCustomMenu::setUseSystemFont(on);
    if (form_)
        emit menuFontRequested();
}

void TsuiMainMenu::setForm(FrameHost *form)
{
    form_ = form;
    top_level_count_ = Items()->count();
}

bool TsuiMainMenu::IsShortCut(const QKeyEvent *event)
{
    const int key = event->key();
    if (key == 0 || key == Qt::Key_unknown || key == Qt::Key_Control || key == Qt::Key_Shift || key == Qt::Key_Alt ||
        key == Qt::Key_Meta)
        return false;
    const QKeySequence pressed(event->keyCombination());
    TsuiMenuItem *item = find_shortcut(Items(), pressed);
    if (!item)
        return false;
    if (item->enabled())
        item->Click();
    return true;
}
