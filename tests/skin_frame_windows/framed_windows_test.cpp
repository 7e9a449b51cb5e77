// The six windows of the program wear the frame with the values their stored layouts give.
#include "forms/application_windows.h"
#include "forms/external/extern_form.h"
#include "forms/fuses/fuse_form.h"
#include "forms/info/info_form.h"
#include "forms/main/main_form.h"
#include "forms/options/driver_form.h"
#include "forms/options/options_form.h"
#include "skin/form/tsui_form.h"
#include "skin/menubar/tsui_menu_bar.h"
#include "skin/themes/style_bitmaps.h"
#include "skin/titlebar/tsui_title_bar.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

QImage close_picture()
{
    QImage frame;
    CutBitmapFrame(LoadStyleBitmap(QStringLiteral("MACOS_TITLEBTN")), &frame, 18, 16);
    return frame.convertToFormat(QImage::Format_RGB32);
}

} // namespace

TEST(FramedWindows, EveryWindowWearsTheMacOsFrame)
{
    ApplicationWindows windows({});
    const struct {
        TForm *window;
        TsuiForm *frame;
        const char *file;
    } all[] = {
        {&windows.main(), windows.main().suiForm1, "window_main.png"},
        {&windows.info(), windows.info().suiForm1, "window_info.png"},
        {&windows.fuses(), windows.fuses().suiForm1, "window_fuses.png"},
        {&windows.options(), windows.options().suiForm1, "window_options.png"},
        {&windows.external(), windows.external().suiForm1, "window_external.png"},
        {&windows.driver(), windows.driver().suiForm1, "window_driver.png"},
    };
    for (const auto &entry : all) {
        SCOPED_TRACE(entry.file);
        TsuiForm *frame = entry.frame;
        EXPECT_EQ(frame->uiStyle(), TsuiUIStyle::MacOS);
        EXPECT_EQ(frame->borderColor(), QColor(0x7F, 0x7F, 0x7F));
        EXPECT_EQ(frame->borderWidth(), 1);
        EXPECT_EQ(frame->color(), QColor(0xE7, 0xE7, 0xE7));
        EXPECT_EQ(frame->menuBarHeight(), 22);
        EXPECT_EQ(frame->roundCorner(), 0);
        EXPECT_EQ(frame->titleBar()->height(), 20);
        EXPECT_EQ(entry.window->windowTitle(), frame->caption());

        // Rendered without showing: showing runs the windows' own start-up work.
        const QImage image = entry.window->grab().toImage().convertToFormat(QImage::Format_RGB32);
        image.save(QDir::current().absoluteFilePath(QLatin1String(entry.file)));
        EXPECT_EQ(image.pixelColor(0, image.height() / 2), QColor(0x7F, 0x7F, 0x7F));
        EXPECT_EQ(image.pixelColor(image.width() / 2, image.height() - 1), QColor(0x7F, 0x7F, 0x7F));
        const QImage close = close_picture();
        const int TW = frame->titleBar()->width();
        // The title bar sits 3 pixels in; its close button 20 pixels from its right edge.
        EXPECT_EQ(image.copy(3 + TW - 20, 3 + 1, close.width(), close.height()), close);
    }
    EXPECT_NE(windows.main().suiForm1->menuBar(), nullptr);
    EXPECT_EQ(windows.main().suiForm1->menuBar()->buttons().size(), 4u);
    EXPECT_EQ(windows.info().suiForm1->menuBar(), nullptr);
}
