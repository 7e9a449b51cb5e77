#include "framed_window.h"

#include "skin/form/window_region.h"
#include "skin/titlebar/tsui_title_bar_section.h"
#include "tests/support/theme_file_builder.h"

#include <QApplication>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QColor Border{0x7F, 0x7F, 0x7F};
const QColor Grey{0xE7, 0xE7, 0xE7};

} // namespace

TEST(FrameLook, MacOsStyleGivesTheStoredWindowValues)
{
    FramedWindow w;
    EXPECT_EQ(w.frame->borderColor(), Border);
    EXPECT_EQ(w.frame->borderWidth(), 1);
    EXPECT_EQ(w.frame->color(), Grey);
    EXPECT_EQ(w.frame->menuBarColor(), Grey);
    EXPECT_EQ(w.frame->menuBarHeight(), 22);
    EXPECT_EQ(w.frame->roundCorner(), 0);
    EXPECT_EQ(w.bar()->height(), 20);
    EXPECT_EQ(w.bar()->fontColor(), QColor(Qt::black));
    EXPECT_EQ(w.window.minimumWidth(), 130);
    EXPECT_TRUE(w.window.mask().isEmpty());
    w.frame->setProperty("Version", QStringLiteral("6.0"));
    EXPECT_EQ(w.frame->property("Version").toString(), QStringLiteral("5.8"));
    // Controls on the frame sit at client coordinates.
    EXPECT_EQ(w.frame->geometry(), QRect(3, 3, 385, 378));

    // A second frame on the same window stays a plain panel.
    auto *second = new TsuiForm(&w.window);
    EXPECT_EQ(second->titleBar(), nullptr);
    EXPECT_EQ(w.frame->titleBar()->caption(), QStringLiteral("Fuses"));
}

TEST(FrameLook, BandContinuesTheTitlePicturesAndShowsBorderAndFiller)
{
    FramedWindow w;
    w.window.show();
    const QImage image = w.grabWindow();
    save_for_viewing(image, QStringLiteral("macos_frame.png"));
    const int W = image.width();
    const int H = image.height();
    const QImage left = LoadStyleBitmap(QStringLiteral("MACOS_TITLE_LEFT")).convertToFormat(QImage::Format_RGB32);
    const QImage right = LoadStyleBitmap(QStringLiteral("MACOS_TITLE_RIGHT")).convertToFormat(QImage::Format_RGB32);

    for (int y : {30, H / 2, H - 1})
        EXPECT_EQ(image.pixelColor(0, y), Border) << y;
    for (int x : {0, W / 2, W - 1})
        EXPECT_EQ(image.pixelColor(x, H - 1), Border) << x;
    EXPECT_EQ(image.pixelColor(W - 1, H / 2), Border);
    // Filler between border and client area below the title bar.
    EXPECT_EQ(image.pixelColor(1, H / 2), Grey);
    EXPECT_EQ(image.pixelColor(2, H / 2), Grey);
    EXPECT_EQ(image.pixelColor(W / 2, H - 2), Grey);
    EXPECT_EQ(image.pixelColor(W - 3, H / 2), Grey);

    // The top three rows show the title pictures as if the title bar reached the window's edge:
    // the left picture from column 0, the right one ending at the right edge.
    for (int y = 0; y < 3; ++y) {
        EXPECT_EQ(image.pixelColor(10, y), left.pixelColor(10, y)) << y;
        EXPECT_EQ(image.pixelColor(W - 10, y), right.pixelColor(right.width() - 10, y)) << y;
    }
    // The title bar carries on from there (between control box and caption): window row 3 is
    // the pictures' row 3.
    EXPECT_EQ(image.pixelColor(26, 3), left.pixelColor(26, 3));
    // Beside the title bar the left band shows the picture's first columns.
    EXPECT_EQ(image.pixelColor(1, 10), left.pixelColor(0, 10));
    EXPECT_EQ(image.pixelColor(W - 2, 10), right.pixelColor(right.width() - 1, 10));
}

TEST(FrameLook, BorderAsWideAsTheBandStillLeavesTheTitlePicturesOnTop)
{
    FramedWindow w(TsuiUIStyle::WinXP);
    ASSERT_EQ(w.frame->borderWidth(), 3);
    w.window.show();
    const QImage image = w.grabWindow();
    save_for_viewing(image, QStringLiteral("winxp_frame.png"));
    const int W = image.width();
    const QImage left = LoadStyleBitmap(QStringLiteral("WINXP_TITLE_LEFT")).convertToFormat(QImage::Format_RGB32);
    const QImage right = LoadStyleBitmap(QStringLiteral("WINXP_TITLE_RIGHT")).convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
        for (int x : {2, 10, 20}) {
            EXPECT_EQ(image.pixelColor(x, y), left.pixelColor(x, y)) << x << "," << y;
            EXPECT_EQ(image.pixelColor(W - x - 2, y), right.pixelColor(right.width() - x - 2, y)) << x << "," << y;
        }
}

TEST(FrameLook, MacOsAndProteinClientAreasShowTheirTextureTiled)
{
    const struct {
        TsuiUIStyle style;
        const char *texture;
    } cases[] = {{TsuiUIStyle::MacOS, "MACOS_FORM_BACKGROUND"}, {TsuiUIStyle::Protein, "PROTEIN_FORM_BACKGROUND"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.texture);
        FramedWindow w(c.style);
        const QImage client = w.frame->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage tile = LoadStyleBitmap(QLatin1String(c.texture)).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(tile.size(), QSize(8, 8));
        QSet<QRgb> colours;
        for (int y = 100; y < 116; ++y)
            for (int x = 100; x < 116; ++x) {
                EXPECT_EQ(client.pixel(x, y), tile.pixel(x % 8, y % 8)) << x << "," << y;
                colours.insert(client.pixel(x, y));
            }
        EXPECT_GT(colours.size(), 1) << "a texture, not a plain colour";
    }
}

TEST(FrameLook, WinXpHasAThickBorderRoundCornersAndLargerButtons)
{
    FramedWindow w(TsuiUIStyle::WinXP);
    EXPECT_EQ(w.frame->borderWidth(), 3);
    EXPECT_EQ(w.frame->roundCorner(), 13);
    EXPECT_EQ(w.frame->borderColor(), QColor(0x00, 0x2C, 0xC8));
    EXPECT_EQ(w.bar()->height(), 26);
    for (int i = 0; i < w.bar()->Buttons()->Count(); ++i)
        EXPECT_EQ(w.bar()->Buttons()->Items(i)->picNormal().size(), QSize(21, 21)) << i;
    EXPECT_EQ(w.window.minimumWidth(), 150);
    // The window region rounds the top corners only.
    const QRegion shape = w.window.mask();
    const int W = w.window.width();
    const int H = w.window.height();
    EXPECT_FALSE(shape.contains(QPoint(0, 0)));
    EXPECT_FALSE(shape.contains(QPoint(W - 1, 0)));
    EXPECT_TRUE(shape.contains(QPoint(W / 2, 0)));
    EXPECT_TRUE(shape.contains(QPoint(0, H - 1)));
    EXPECT_TRUE(shape.contains(QPoint(W - 1, H - 1)));

    // Back to MacOS: square again, and the thin border.
    w.frame->setUIStyle(TsuiUIStyle::MacOS);
    EXPECT_TRUE(w.window.mask().isEmpty());
    EXPECT_EQ(w.frame->borderWidth(), 1);
}

TEST(FrameLook, ThemeFileBorderPicturesFrameTheWindow)
{
    // Side picture 6 x 10: red on its left half, green on its right. Bottom picture 3 frames of
    // 5 x 7: blue caps with a magenta corner, a yellow middle.
    QImage side(6, 10, QImage::Format_RGB32);
    side.fill(Qt::red);
    for (int y = 0; y < 10; ++y)
        for (int x = 3; x < 6; ++x)
            side.setPixel(x, y, qRgb(0, 0xFF, 0));
    QImage bottom(15, 7, QImage::Format_RGB32);
    bottom.fill(Qt::yellow);
    for (int cap : {0, 10}) {
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 5; ++x)
                bottom.setPixel(cap + x, y, qRgb(0, 0, 0xFF));
        bottom.setPixel(cap, 0, qRgb(0xFF, 0, 0xFF));
    }
    ThemeFileBuilder builder;
    builder.AddNumber("FormBorderColor", 0x7F7F7F);
    builder.AddNumber("FormBorderWidthInt", 1);
    builder.AddNumber("FormBackgroundColor", 0xE7E7E7);
    builder.AddBitmap("FormLeftBorderImage", side);
    builder.AddBitmap("FormBottomBorderImage", bottom);
    builder.AddNumber("FormMinWidthInt", 150);
    // Title pictures 23 high: a cyan left one, a grey middle, a dark blue right one.
    QImage title(20, 23, QImage::Format_RGB32);
    title.fill(Qt::cyan);
    builder.AddBitmap("TitleBarLeftImage", title);
    title.fill(Qt::gray);
    builder.AddBitmap("TitleBarClientImage", title);
    title.fill(Qt::darkBlue);
    builder.AddBitmap("TitleBarRightImage", title);
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("borders.skn")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(builder.Build());
    file.close();
    TsuiFileTheme theme;
    theme.SetThemeFile(file.fileName());
    ASSERT_TRUE(theme.CanUse());

    FramedWindow w;
    w.frame->setFileTheme(&theme);
    w.frame->setUIStyle(TsuiUIStyle::FromThemeFile);
    w.window.show();
    // The title bar's question for the left picture's width gets its answer; the client area
    // sits between the pictures.
    EXPECT_EQ(w.frame->leftBorderImageWidth(), 6);
    const int W = w.window.width();
    const int H = w.window.height();
    EXPECT_EQ(w.frame->geometry(), QRect(6, 3, W - 12, H - 3 - 7));

    const QImage image = w.grabWindow();
    save_for_viewing(image, QStringLiteral("theme_borders.png"));
    const int y = H / 2;
    EXPECT_EQ(image.pixelColor(0, y), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(5, y), QColor(Qt::green));
    // The right band is the picture turned by 180 degrees.
    EXPECT_EQ(image.pixelColor(W - 6, y), QColor(Qt::green));
    EXPECT_EQ(image.pixelColor(W - 1, y), QColor(Qt::red));
    // Beside the title bar and above it the title pictures run on from the window's corners.
    for (const QPoint &p : {QPoint(1, 10), QPoint(10, 1), QPoint(5, 22)})
        EXPECT_EQ(image.pixelColor(p), QColor(Qt::cyan)) << p.x() << "," << p.y();
    EXPECT_EQ(image.pixelColor(W - 2, 10), QColor(Qt::darkBlue));
    EXPECT_EQ(image.pixelColor(0, 23), QColor(Qt::red)) << "the side picture starts below the title bar";
    // Bottom: caps at the corners, the middle stretched between; the magenta corner leaves the band below.
    EXPECT_EQ(image.pixelColor(2, H - 3), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(W - 3, H - 3), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(W / 2, H - 3), QColor(Qt::yellow));
    EXPECT_EQ(image.pixelColor(0, H - 7), QColor(0x7F, 0x7F, 0x7F));

    // Back to a built-in style: no pictures, the three-pixel band.
    w.frame->setUIStyle(TsuiUIStyle::MacOS);
    EXPECT_EQ(w.frame->leftBorderImageWidth(), 0);
    EXPECT_EQ(w.frame->geometry(), QRect(3, 3, W - 6, H - 6));
}

TEST(FrameLook, WindowRegionRoundsEachPairOfCornersOnItsOwn)
{
    EXPECT_TRUE(form_window_region(QSize(100, 60), 0, 0).isEmpty());
    EXPECT_TRUE(form_window_region(QSize(100, 60), -1, -1).isEmpty());
    const QRegion bottom_only = form_window_region(QSize(100, 60), 0, 10);
    EXPECT_TRUE(bottom_only.contains(QPoint(0, 0)));
    EXPECT_TRUE(bottom_only.contains(QPoint(99, 0)));
    EXPECT_FALSE(bottom_only.contains(QPoint(0, 59)));
    EXPECT_FALSE(bottom_only.contains(QPoint(99, 59)));
    EXPECT_TRUE(bottom_only.contains(QPoint(5, 55)));
    EXPECT_TRUE(bottom_only.contains(QPoint(50, 59)));
}

TEST(FrameLook, HiddenTitleBarLeavesOneBorderRowAndTwoFillerRows)
{
    FramedWindow w(TsuiUIStyle::WinXP);
    w.frame->setTitleBarVisible(false);
    EXPECT_EQ(w.frame->roundCorner(), 0);
    EXPECT_TRUE(w.window.mask().isEmpty());
    w.frame->setUIStyle(TsuiUIStyle::MacOS);
    w.window.show();
    const QImage image = w.grabWindow();
    save_for_viewing(image, QStringLiteral("no_title_bar.png"));
    for (int x : {0, 5, image.width() / 2, image.width() - 1})
        EXPECT_EQ(image.pixelColor(x, 0), Border) << x;
    for (int x : {1, 5, image.width() / 2, image.width() - 2}) {
        EXPECT_EQ(image.pixelColor(x, 1), Grey) << x;
        EXPECT_EQ(image.pixelColor(x, 2), Grey) << x;
    }
    // Controls start right at the top of the client area.
    EXPECT_EQ(w.frame->childAlignArea().top(), 0);
}

TEST(FrameLook, CustomTitleBarKeepsItsPicturesWhenTheStyleChanges)
{
    FramedWindow w;
    QImage own(30, 23, QImage::Format_RGB32);
    own.fill(Qt::red);
    w.frame->setTitleBarCustom(true);
    w.frame->TitleBarSections()->Items(0)->setPicture(own);
    const QImage close_before = w.bar()->Buttons()->Items(1)->picNormal();
    w.frame->setUIStyle(TsuiUIStyle::WinXP);

    EXPECT_EQ(w.frame->TitleBarSections()->Count(), 3);
    EXPECT_EQ(w.frame->TitleBarSections()->Items(0)->picture(), own);
    EXPECT_EQ(w.bar()->Buttons()->Items(1)->picNormal(), close_before);
    EXPECT_EQ(w.bar()->fontColor(), QColor(Qt::black));
    EXPECT_EQ(w.frame->borderWidth(), 3);
    EXPECT_EQ(w.frame->borderColor(), QColor(0x00, 0x2C, 0xC8));

    w.frame->setTitleBarCustom(false);
    w.frame->setUIStyle(TsuiUIStyle::WinXP);
    EXPECT_NE(w.frame->TitleBarSections()->Items(0)->picture(), own);
    EXPECT_EQ(w.bar()->fontColor(), QColor(Qt::white));
}

TEST(FrameLook, FrameCaptionLeadsTheWindowCaptionButNotTheOtherWayRound)
{
    FramedWindow w;
    EXPECT_EQ(w.window.windowTitle(), QStringLiteral("Fuses"));
    w.window.setWindowTitle(QStringLiteral("Elsewhere"));
    EXPECT_EQ(w.frame->caption(), QStringLiteral("Fuses"));
    w.frame->setCaption(QStringLiteral("Optionen"));
    EXPECT_EQ(w.window.windowTitle(), QStringLiteral("Optionen"));
    EXPECT_EQ(w.bar()->caption(), QStringLiteral("Optionen"));
}
