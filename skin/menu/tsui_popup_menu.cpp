#include "skin/menu/tsui_popup_menu.h"

#include "skin/menu/image_list.h"
#include "skin/menu/tsui_menu_drop_down.h"

#include <QWidget>

TsuiPopupMenu::TsuiPopupMenu(QObject *owner)
    : TsuiCustomMenu(owner)
{
    initialiseMenu();
}

TsuiPopupMenu::~TsuiPopupMenu() { closeUp(); }

TImageList *TsuiPopupMenu::checkMarkImages() const { return shared_check_mark_images(); }

void TsuiPopupMenu::Popup(int x, int y)
{
    closeUp();
    QWidget *owner_window = nullptr;
    if (auto *widget = qobject_cast<QWidget *>(parent()))
        owner_window = widget->window();
    drop_down_ = new TsuiMenuDropDown(this, Items(), owner_window);
    drop_down_->popupAt(QPoint(x, y));
}

void TsuiPopupMenu::closeUp()
{
    if (drop_down_)
        drop_down_->closeAll();
}
