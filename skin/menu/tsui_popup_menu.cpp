#include "skin/menu/tsui_popup_menu.h"

#include "skin/menu/image_list.h"
#include "skin/menu/tsui_menu_drop_down.h"

#include <QWidget>

TsuiPopupMenu::TsuiPopupMenu(QObject *owner)
    : TsuiCustomMenu(owner)
{
    initialiseMenu();
}

TsuiPopupMenu::~TsuiPopupMenu()
{
    closeUp();
    // Kept by its owner window, which may outlive the menu.
    if (drop_down_)
        drop_down_->deleteLater();
}

TImageList *TsuiPopupMenu::checkMarkImages() const { return shared_check_mark_images(); }

void TsuiPopupMenu::Popup(int x, int y)
{
    closeUp();
    QWidget *owner_window = nullptr;
    if (auto *widget = qobject_cast<QWidget *>(parent()))
        owner_window = widget->window();
    // Made at the first opening and kept for the next, while the owner stays the same.
    if (drop_down_ && drop_down_->parentWidget() != owner_window) {
        drop_down_->deleteLater();
        drop_down_ = nullptr;
    }
    if (!drop_down_) {
        drop_down_ = new TsuiMenuDropDown(this, Items(), owner_window);
        drop_down_->keepWhenClosed();
    }
    drop_down_->popupAt(QPoint(x, y));
}

TsuiMenuDropDown *TsuiPopupMenu::dropDown() const
{
    return drop_down_ && drop_down_->isVisible() ? drop_down_ : nullptr;
}

void TsuiPopupMenu::closeUp()
{
    if (TsuiMenuDropDown *open = dropDown())
        open->closeAll();
}
