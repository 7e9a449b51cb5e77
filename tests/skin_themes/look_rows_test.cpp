// Looks answer what controls draw differently from one look to the next; a look loaded from a
// theme file answers too, partly from the file's own elements.
#include "skin/dialog/tsui_message_dialog.h"
#include "skin/menu/tsui_main_menu.h"
#include "skin/panel/tsui_panel.h"
#include "skin/themes/file_theme.h"
#include "tests/support/theme_file_builder.h"

#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>
#include <optional>

namespace {

struct LookCase {
    const char *name;
    TsuiUIStyle style;
    std::optional<std::int32_t> file_control_font; // a usable theme file with this ControlFontColor
    std::optional<std::int32_t> file_caption;      // and this TitleBarFontColor
    QColor panel_caption;
    QColor dialog_caption;
    int item_height;
    int separator_height;
    bool heights_fixed; // items are drawn over a strip cut for its own height
};

const QColor Black(Qt::black);
const QColor White(Qt::white);

// clang-format off
const LookCase Cases[] = {
    {"MacOS", TsuiUIStyle::MacOS, {}, {}, Black, Black, 20, 12, true},
    {"WinXP", TsuiUIStyle::WinXP, {}, {}, Black, White, 21, 5, false},
    {"BlueGlass", TsuiUIStyle::BlueGlass, {}, {}, White, White, 21, 5, false},
    {"file without a theme", TsuiUIStyle::FromThemeFile, {}, {}, White, White, 21, 5, false},
    // The panel and the title bar read the file's control text colour through lists of their own.
    {"file, text 0x30000", TsuiUIStyle::FromThemeFile, 0x30000, {}, Black, Black, 21, 5, false},
    {"file, text 0x20000", TsuiUIStyle::FromThemeFile, 0x20000, {}, Black, White, 21, 5, false},
    {"file naming its caption", TsuiUIStyle::FromThemeFile, 0x10000, 0x0000FF, White, QColor(Qt::red), 21, 5, false},
};
// clang-format on

} // namespace

TEST(LookRows, EveryLookAnswersWhatItsControlsDraw)
{
    QTemporaryDir dir;
    for (const LookCase &c : Cases) {
        QWidget window;
        TsuiFileTheme *theme = nullptr;
        if (c.file_control_font) {
            ThemeFileBuilder file;
            file.AddNumber("ControlFontColor", *c.file_control_font);
            if (c.file_caption)
                file.AddNumber("TitleBarFontColor", *c.file_caption);
            QFile out(dir.filePath(QString::fromLatin1(c.name)));
            ASSERT_TRUE(out.open(QIODevice::WriteOnly) && out.write(file.Build()) > 0);
            out.close();
            theme = new TsuiFileTheme(&window);
            theme->SetThemeFile(out.fileName());
            ASSERT_TRUE(theme->CanUse());
        }
        auto *panel = new TsuiPanel(&window);
        auto *menu = new TsuiMainMenu(&window);
        TsuiMessageDialog dialog(&window);
        for (ControlLook *look : {static_cast<ControlLook *>(panel), static_cast<ControlLook *>(menu),
                                  static_cast<ControlLook *>(&dialog)}) {
            look->setFileTheme(theme);
            look->setUIStyle(c.style);
        }

        EXPECT_EQ(panel->captionFontColor(), c.panel_caption) << c.name;
        EXPECT_EQ(dialog.captionFontColor(), c.dialog_caption) << c.name;
        EXPECT_EQ(menu->menuItemHeight(), c.item_height) << c.name;
        EXPECT_EQ(menu->separatorHeight(), c.separator_height) << c.name;
        menu->setMenuItemHeight(30);
        EXPECT_EQ(menu->menuItemHeight() == 30, !c.heights_fixed) << c.name;
    }
}
