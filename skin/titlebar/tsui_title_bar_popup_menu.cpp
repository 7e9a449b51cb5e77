#include "skin/titlebar/tsui_title_bar_popup_menu.h"

#include "skin/layout/mirroring.h"
#include "skin/titlebar/tsui_title_bar.h"
#include "skin/titlebar/tsui_title_bar_button.h"


namespace {

constexpr int RightToLeftShift = 176;

bool has_visible(const TsuiTitleBar *bar, TsuiTitleBarBtnType type)
{
    const TsuiTitleBarButtons *buttons = bar->Buttons();
    for (int i = 0; i < buttons->Count(); ++i)
        if (buttons->Items(i)->visible() && buttons->Items(i)->buttonType() == type)
            return true;
    return false;
}

// Runs the action of the visible buttons of that type: every one, or only the first.
void click_visible(const TsuiTitleBar *bar, TsuiTitleBarBtnType type, bool firstOnly)
{
    const TsuiTitleBarButtons *buttons = bar->Buttons();
    for (int i = 0; i < buttons->Count(); ++i) {
        if (buttons->Items(i)->visible() && buttons->Items(i)->buttonType() == type) {
            buttons->Items(i)->ButtonClick();
            if (firstOnly)
                return;
        }
    }
}

} // namespace

TsuiTitleBarPopupMenu::TsuiTitleBarPopupMenu(TsuiTitleBar *titleBar)
    : TsuiPopupMenu(titleBar)
    , title_bar_(titleBar)
{
    minimize_ = add(QStringLiteral("Mi&nimize"), [this] { click_visible(title_bar_, TsuiTitleBarBtnType::suiMin, true); });
    maximize_ = add(QStringLiteral("Ma&ximize/Restore"), [this] { click_visible(title_bar_, TsuiTitleBarBtnType::suiMax, false); });
    add(QStringLiteral("-"));
    close_ = add(QStringLiteral("&Close"), [this] {
        if (QWidget *host = title_bar_->window())
            host->close();
    });
}

void TsuiTitleBarPopupMenu::Popup(int x, int y)
{
    minimize_->setEnabled(has_visible(title_bar_, TsuiTitleBarBtnType::suiMin));
    maximize_->setEnabled(has_visible(title_bar_, TsuiTitleBarBtnType::suiMax));
    close_->setEnabled(has_visible(title_bar_, TsuiTitleBarBtnType::suiClose));
    if (mirrored_layout(title_bar_))
        x += RightToLeftShift;
    TsuiPopupMenu::Popup(x, y);
}
