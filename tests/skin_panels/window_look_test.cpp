// Renders Quillon's windows with their skinned containers and text controls, for a person to
// compare with the windows' layouts, and checks that each control's flat border is what the
// window shows at its edge.
#include "forms/application_windows.h"
#include "forms/external/extern_form.h"
#include "forms/fuses/fuse_form.h"
#include "forms/main/main_form.h"
#include "forms/options/driver_form.h"
#include "forms/options/options_form.h"
#include "skin/edit/tsui_combo_box.h"
#include "skin/edit/tsui_edit.h"
#include "skin/edit/tsui_memo.h"
#include "skin/panel/tsui_group_box.h"
#include "skin/panel/tsui_panel.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

// Where a control's border meets the window: its top-left pixel, or for a group box the left
// end of its top line (half the 11-pixel font height plus one down).
template <typename Control>
QPoint border_point(const QWidget *window, const Control *control, int down = 0)
{
    return control->mapTo(window, QPoint(0, down));
}

// The window's own controls of that kind; the main window also owns the other windows.
template <typename Control>
QList<Control *> controls_of(QWidget *window)
{
    QList<Control *> own;
    for (Control *control : window->findChildren<Control *>())
        if (control->window() == window)
            own << control;
    return own;
}

void check_window(QWidget *window, const char *file)
{
    const QImage image = window->grab().toImage();
    ASSERT_TRUE(image.save(QString::fromLatin1(file)));
    int checked = 0;
    for (const TsuiEdit *edit : controls_of<TsuiEdit>(window)) {
        EXPECT_EQ(image.pixelColor(border_point(window, edit)), edit->borderColor()) << edit->objectName().toStdString();
        ++checked;
    }
    for (const TsuiComboBox *combo : controls_of<TsuiComboBox>(window)) {
        EXPECT_EQ(image.pixelColor(border_point(window, combo)), combo->borderColor()) << combo->objectName().toStdString();
        ++checked;
    }
    for (const TsuiMemo *memo : controls_of<TsuiMemo>(window)) {
        EXPECT_EQ(image.pixelColor(border_point(window, memo)), memo->borderColor()) << memo->objectName().toStdString();
        ++checked;
    }
    for (const TsuiGroupBox *box : controls_of<TsuiGroupBox>(window)) {
        EXPECT_EQ(image.pixelColor(border_point(window, box, 6)), box->borderColor()) << box->objectName().toStdString();
        EXPECT_EQ(image.pixelColor(box->mapTo(window, QPoint(box->width() - 1, box->height() - 1))), box->borderColor());
        ++checked;
    }
    for (const TsuiPanel *panel : controls_of<TsuiPanel>(window)) {
        EXPECT_EQ(image.pixelColor(panel->mapTo(window, QPoint(0, panel->height() - 1))), panel->borderColor());
        ++checked;
    }
    EXPECT_GT(checked, 0) << file;
}

} // namespace

TEST(WindowLook, SkinnedControlsInEveryWindow)
{
    ApplicationWindows windows({});
    check_window(&windows.main(), "main_window.png");
    check_window(&windows.fuses(), "fuse_window.png");
    check_window(&windows.options(), "options_window.png");
    check_window(&windows.external(), "external_window.png");
    check_window(&windows.driver(), "driver_window.png");

    // The main window's three combo boxes and its command edit keep MacOS's grey, the log DeepBlue's black.
    EXPECT_EQ(windows.main().avrselect->borderColor(), QColor(0x7F, 0x7F, 0x7F));
    EXPECT_EQ(windows.main().command->borderColor(), QColor(0x7F, 0x7F, 0x7F));
    EXPECT_EQ(windows.main().Log->borderColor(), QColor(Qt::black));
}
