// Every skinned control that draws with a file theme must let go of it when the theme object is
// destroyed, and must stop listening to a theme it no longer uses.
#include "skin/button/tsui_button.h"
#include "skin/button/tsui_check_box.h"
#include "skin/dialog/tsui_message_dialog.h"
#include "skin/edit/tsui_combo_box.h"
#include "skin/edit/tsui_edit.h"
#include "skin/edit/tsui_memo.h"
#include "skin/form/tform.h"
#include "skin/form/tsui_form.h"
#include "skin/menu/tsui_popup_menu.h"
#include "skin/panel/tsui_group_box.h"
#include "skin/panel/tsui_panel.h"
#include "skin/themes/file_theme.h"
#include "skin/titlebar/tsui_title_bar.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace {

template <typename Control>
void ExpectFollowsOnlyItsCurrentTheme(Control &control, const char *name)
{
    SCOPED_TRACE(name);
    auto *left = new TsuiFileTheme;
    auto *current = new TsuiFileTheme;
    control.setFileTheme(left);
    control.setFileTheme(current);
    control.setUIStyle(TsuiUIStyle::MacOS);

    delete left;
    EXPECT_EQ(control.fileTheme(), current);
    EXPECT_EQ(control.uiStyle(), TsuiUIStyle::MacOS);

    delete current;
    EXPECT_EQ(control.fileTheme(), nullptr);
    EXPECT_EQ(control.uiStyle(), TsuiUIStyle::DeepBlue);
}

} // namespace

TEST(FileThemeLink, EveryControlFallsBackWhenItsThemeIsDestroyedAndIgnoresOnesItLeft)
{
    TForm host;
    TsuiForm form(&host);
    QWidget owner;
    TsuiButton button(&owner);
    TsuiCheckBox check_box(&owner);
    TsuiEdit edit(&owner);
    TsuiComboBox combo_box(&owner);
    TsuiMemo memo(&owner);
    TsuiPanel panel(&owner);
    TsuiGroupBox group_box(&owner);
    TsuiTitleBar title_bar(&owner);
    TsuiPopupMenu menu(&owner);
    TsuiMessageDialog dialog(&owner);

    ExpectFollowsOnlyItsCurrentTheme(form, "form");
    ExpectFollowsOnlyItsCurrentTheme(button, "button");
    ExpectFollowsOnlyItsCurrentTheme(check_box, "check box");
    ExpectFollowsOnlyItsCurrentTheme(edit, "edit");
    ExpectFollowsOnlyItsCurrentTheme(combo_box, "combo box");
    ExpectFollowsOnlyItsCurrentTheme(memo, "memo");
    ExpectFollowsOnlyItsCurrentTheme(panel, "panel");
    ExpectFollowsOnlyItsCurrentTheme(group_box, "group box");
    ExpectFollowsOnlyItsCurrentTheme(title_bar, "title bar");
    ExpectFollowsOnlyItsCurrentTheme(menu, "menu");
    ExpectFollowsOnlyItsCurrentTheme(dialog, "message dialog");
}
