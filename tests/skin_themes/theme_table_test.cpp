#include "skin/themes/builtin_theme_table.h"
#include "skin/themes/style_bitmaps.h"
#include "skin/themes/theme_color.h"

#include <QGuiApplication>
#include <QPalette>
#include <gtest/gtest.h>

namespace {

constexpr std::int32_t Bgr(std::uint32_t rrggbb)
{
    return static_cast<std::int32_t>(((rrggbb & 0xFF) << 16) | (rrggbb & 0xFF00) | ((rrggbb >> 16) & 0xFF));
}

TEST(ThemeTable, LooksUpValuesByStyleAndKind)
{
    EXPECT_EQ(GetThemeColor(TsuiUIStyle::MacOS, ThemeElement::FormBorderColor), Bgr(0x7F7F7F));
    EXPECT_EQ(GetThemeInt(TsuiUIStyle::WinXP, ThemeElement::FormBorderWidthInt), 3);
    EXPECT_EQ(GetThemeColor(TsuiUIStyle::WinXP, ThemeElement::FormBorderColor), Bgr(0x002CC8));
    EXPECT_EQ(GetThemeColor(TsuiUIStyle::WinXP, ThemeElement::ControlFontColor), Bgr(0x0246CF));
    EXPECT_EQ(GetThemeInt(TsuiUIStyle::BlueGlass, ThemeElement::TitleBarButtonRightOffsetInt), -3);
    EXPECT_EQ(GetThemeInt(TsuiUIStyle::BlueGlass, ThemeElement::FormMinWidthInt), 270);
    EXPECT_TRUE(GetThemeBool(TsuiUIStyle::MacOS, ThemeElement::ButtonTransparentBool));
    EXPECT_FALSE(GetThemeBool(TsuiUIStyle::Protein, ThemeElement::ButtonTransparentBool));
    EXPECT_TRUE(GetThemeBool(TsuiUIStyle::Protein, ThemeElement::TitleBarButtonTransparentBool));
    EXPECT_EQ(GetThemeImageName(TsuiUIStyle::DeepBlue, ThemeElement::ScrollButtonImage), "MORE_SCROLLBUTTON");
    EXPECT_EQ(GetThemeImageName(TsuiUIStyle::WinXP, ThemeElement::ScrollButtonImage), "WINXP_SCROLLBUTTON");
    EXPECT_EQ(GetThemeColor(TsuiUIStyle::Protein, ThemeElement::MenuMenuBarColor), Bgr(0xFBFBFB));
    // The forms store #7F7F7F and #E7E7E7 as these decimal numbers.
    EXPECT_EQ(GetThemeColor(TsuiUIStyle::MacOS, ThemeElement::FormBorderColor), 8355711);
    EXPECT_EQ(GetThemeColor(TsuiUIStyle::MacOS, ThemeElement::FormBackgroundColor), 15198183);
}

TEST(ThemeTable, WrongKindsAndUnknownStylesGiveTheNeutralValue)
{
    EXPECT_EQ(GetThemeInt(TsuiUIStyle::DeepBlue, ThemeElement::FormBackgroundColor), -1);
    EXPECT_EQ(GetThemeColor(TsuiUIStyle::DeepBlue, ThemeElement::FormBorderWidthInt), 0);
    EXPECT_FALSE(GetThemeBool(TsuiUIStyle::MacOS, ThemeElement::FormMinWidthInt));
    EXPECT_TRUE(GetThemeImageName(TsuiUIStyle::MacOS, ThemeElement::FormBorderColor).isEmpty());

    ThemeValueKind kind = ThemeValueKind::Color;
    EXPECT_EQ(GetThemeValue(TsuiUIStyle::FromThemeFile, ThemeElement::FormMinWidthInt, kind), -1);
    EXPECT_EQ(kind, ThemeValueKind::Int);
    kind = ThemeValueKind::Color;
    EXPECT_EQ(GetThemeValue(static_cast<TsuiUIStyle>(6), ThemeElement::FormMinWidthInt, kind), -1);
    EXPECT_EQ(kind, ThemeValueKind::Int);
    kind = ThemeValueKind::Color;
    EXPECT_EQ(GetThemeValue(TsuiUIStyle::MacOS, static_cast<ThemeElement>(49), kind), -1);
    EXPECT_EQ(kind, ThemeValueKind::Int);
    EXPECT_EQ(GetThemeInt(TsuiUIStyle::MacOS, static_cast<ThemeElement>(0)), -1);

    // Only the low seven bits of the style byte count: 0x81 reads as MacOS.
    EXPECT_EQ(GetThemeInt(static_cast<TsuiUIStyle>(0x81), ThemeElement::FormMinWidthInt), 130);
    EXPECT_EQ(GetThemeValue(static_cast<TsuiUIStyle>(0x82), ThemeElement::FormBorderWidthInt, kind), 3);
}

TEST(ThemeTable, EveryElementHasItsNameAndTheKindItsNameEndsWith)
{
    for (int number = FirstThemeElement; number <= LastThemeElement; ++number) {
        const auto element = static_cast<ThemeElement>(number);
        const QString name = ThemeElementName(element);
        ASSERT_FALSE(name.isEmpty()) << number;
        const ThemeValueKind kind = ThemeElementKind(element);
        if (name.endsWith("Image"))
            EXPECT_EQ(kind, ThemeValueKind::Image) << qPrintable(name);
        else if (name.endsWith("Color"))
            EXPECT_EQ(kind, ThemeValueKind::Color) << qPrintable(name);
        else if (name.endsWith("Bool"))
            EXPECT_EQ(kind, ThemeValueKind::Bool) << qPrintable(name);
        else
            EXPECT_EQ(kind, ThemeValueKind::Int) << qPrintable(name);
    }
    EXPECT_EQ(ThemeElementName(ThemeElement::MenuMenuBarColor), "MenuMenuBarColor");
    EXPECT_TRUE(ThemeElementName(static_cast<ThemeElement>(49)).isEmpty());
}

TEST(ThemeColor, ConvertsBgrWordsAndSystemColours)
{
    EXPECT_EQ(ThemeColorToQColor(Bgr(0x002CC8)), QColor(0x00, 0x2C, 0xC8));
    EXPECT_EQ(ThemeColorFromQColor(QColor(0x3973C4)), Bgr(0x3973C4));
    // 0x8000000F: the button face of the running palette.
    const auto buttonFace = static_cast<std::int32_t>(SystemColorMarker | 15u);
    EXPECT_EQ(ThemeColorToQColor(buttonFace), QGuiApplication::palette().color(QPalette::Active, QPalette::Button));
    // An index past the known ones is still a valid colour, not garbage.
    EXPECT_TRUE(ThemeColorToQColor(static_cast<std::int32_t>(SystemColorMarker | 200u)).isValid());
}

TEST(ThemeBitmap, AStripAtTwiceTheDensityIsCutInDesignPixels)
{
    // 11 design pixels, 22 device columns that name themselves: three frames of 3 design pixels,
    // the last starting at design column 6, device column 12.
    QImage strip(22, 4, QImage::Format_RGB32);
    for (int x = 0; x < strip.width(); ++x)
        for (int y = 0; y < strip.height(); ++y)
            strip.setPixel(x, y, qRgb(x, y, 0));
    strip.setDevicePixelRatio(2);
    QImage frame;
    CutBitmapFrame(strip, &frame, 3, 3);
    EXPECT_EQ(frame.size(), QSize(6, 4));
    EXPECT_EQ(frame.devicePixelRatio(), 2);
    EXPECT_EQ(qRed(frame.pixel(0, 0)), 12);
    EXPECT_EQ(qRed(frame.pixel(5, 3)), 17);
}

TEST(ThemeBitmap, CutsTheRequestedFrameOrKeepsTheWholeBitmap)
{
    const QImage strip = LoadStyleBitmap("MACOS_TITLEBTN");
    QImage frame;
    GetThemeBitmap(TsuiUIStyle::MacOS, ThemeElement::TitleBarButtonImage, &frame, 16, 18);
    ASSERT_EQ(frame.size(), QSize(17, 17));
    EXPECT_EQ(frame, strip.copy(255, 0, 17, 17));

    QImage whole;
    GetThemeBitmap(TsuiUIStyle::BlueGlass, ThemeElement::ButtonImage, &whole);
    EXPECT_EQ(whole.size(), QSize(231, 27));

    // No bitmap to give: a whole request keeps the target, a frame request empties it.
    QImage kept(3, 3, QImage::Format_RGB32);
    GetThemeBitmap(TsuiUIStyle::MacOS, ThemeElement::FormBorderColor, &kept);
    EXPECT_EQ(kept.size(), QSize(3, 3));
    GetThemeBitmap(TsuiUIStyle::FromThemeFile, ThemeElement::ButtonImage, &kept);
    EXPECT_EQ(kept.size(), QSize(3, 3));
    GetThemeBitmap(TsuiUIStyle::MacOS, ThemeElement::TitleBarMinimizedImage, &kept);
    EXPECT_EQ(kept.size(), QSize(3, 3));
    GetThemeBitmap(TsuiUIStyle::FromThemeFile, ThemeElement::ButtonImage, &kept, 1, 3);
    EXPECT_TRUE(kept.isNull());

    GetThemeBitmap(TsuiUIStyle::MacOS, ThemeElement::ButtonImage, nullptr, 1, 3); // must not crash

    QImage outside(3, 3, QImage::Format_RGB32);
    CutBitmapFrame(strip, &outside, 18, 19);
    EXPECT_TRUE(outside.isNull());
    CutBitmapFrame(strip, &outside, 0, 1);
    EXPECT_TRUE(outside.isNull());
}

} // namespace
