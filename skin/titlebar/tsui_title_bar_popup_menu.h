#pragma once

#include "skin/menu/tsui_popup_menu.h"

class TsuiTitleBar;

// The title bar's own window menu: minimize, maximize/restore and close, each enabled only while
// the title bar shows the matching button.
class TsuiTitleBarPopupMenu : public TsuiPopupMenu {
    Q_OBJECT

public:
    explicit TsuiTitleBarPopupMenu(TsuiTitleBar *titleBar);

    TsuiMenuItem *minimizeItem() const { return minimize_; }
    TsuiMenuItem *maximizeItem() const { return maximize_; }
    TsuiMenuItem *closeItem() const { return close_; }

    void Popup(int x, int y) override;

private:
    TsuiTitleBar *title_bar_;
    TsuiMenuItem *minimize_;
    TsuiMenuItem *maximize_;
    TsuiMenuItem *close_;
};
