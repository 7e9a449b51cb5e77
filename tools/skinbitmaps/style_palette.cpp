#include "style_palette.h"

namespace {

QColor C(unsigned rgb)
{
    return QColor::fromRgb(static_cast<QRgb>(rgb));
}

StylePalette MakeMacOS()
{
    StylePalette s;
    s.prefix = QStringLiteral("MACOS");
    s.controlBackground = C(0xE7E7E7);
    s.buttonTransparent = true;
    s.titleButtonTransparent = false;
    s.button = {C(0x6F7C92), C(0xF7F9FC), C(0xC3CCDA), 170};
    s.hover = {C(0x4F78B4), C(0xE9F2FD), C(0x9DBCE6), 180};
    s.pressed = {C(0x3D5F93), C(0xA9C3E6), C(0x6F96CF), 90};
    s.buttonRadius = 10;
    s.boxBorder = C(0x6F7C92);
    s.boxTop = C(0xFDFDFE);
    s.boxBottom = C(0xD3D9E3);
    s.mark = C(0x1D2A40);
    s.accent = C(0x3973C4);
    s.titleTop = C(0xF2F4F7);
    s.titleMiddle = C(0xD9DEE5);
    s.titleBottom = C(0xBCC4D0);
    s.titleEdge = C(0x8A93A1);
    s.titleShine = 0;
    s.titleButton = {C(0x6F7C92), C(0xF4F6FA), C(0xB3BDCC), 190};
    s.titleGlyph = C(0x2C3648);
    s.closeTint = C(0xB3BDCC);
    s.roundTitleButtons = true;
    return s;
}

StylePalette MakeWinXP()
{
    StylePalette s;
    s.prefix = QStringLiteral("WINXP");
    s.controlBackground = C(0xEFEBDE);
    s.buttonTransparent = false;
    s.titleButtonTransparent = false;
    s.button = {C(0x003C74), C(0xFFFFFF), C(0xE3E2DA), 0};
    s.hover = {C(0xE9A23A), C(0xFFFFFF), C(0xF3E7CC), 0};
    s.pressed = {C(0x003C74), C(0xD6D2C6), C(0xEEEDE6), 0};
    s.buttonRadius = 3;
    s.boxBorder = C(0x1C5180);
    s.boxTop = C(0xDCDCD6);
    s.boxBottom = C(0xFFFFFF);
    s.mark = C(0x21A121);
    s.accent = C(0x2FB14A);
    s.titleTop = C(0x3D95FF);
    s.titleMiddle = C(0x0A5FE8);
    s.titleBottom = C(0x0047D6);
    s.titleEdge = C(0x003BB0);
    s.titleShine = 70;
    s.titleButton = {C(0xFFFFFF), C(0x5B9BFF), C(0x1659E0), 90};
    s.titleGlyph = C(0xFFFFFF);
    s.closeTint = C(0xE2552C);
    s.roundTitleButtons = false;
    return s;
}

StylePalette MakeDeepBlue()
{
    StylePalette s;
    s.prefix = QStringLiteral("DEEPBLUE");
    s.controlBackground = C(0xE8E8E8);
    s.buttonTransparent = false;
    s.titleButtonTransparent = false;
    s.button = {C(0x1B2559), C(0xD3DAF0), C(0x8C99C7), 110};
    s.hover = {C(0x1B2559), C(0xE3E8FA), C(0xA3B0DD), 130};
    s.pressed = {C(0x0D1437), C(0x7583B6), C(0x9CA8D2), 40};
    s.buttonRadius = 3;
    s.boxBorder = C(0x1B2559);
    s.boxTop = C(0xFFFFFF);
    s.boxBottom = C(0xD6DBEB);
    s.mark = C(0x1B2559);
    s.accent = C(0x444AA0);
    s.titleTop = C(0x3B4A96);
    s.titleMiddle = C(0x1D2A6B);
    s.titleBottom = C(0x0C1545);
    s.titleEdge = C(0x050A26);
    s.titleShine = 40;
    s.titleButton = {C(0x9AA6D8), C(0x3B4A96), C(0x141E55), 50};
    s.titleGlyph = C(0xE6EAF8);
    s.closeTint = C(0x8A2433);
    s.roundTitleButtons = false;
    return s;
}

StylePalette MakeProtein()
{
    StylePalette s;
    s.prefix = QStringLiteral("PROTEIN");
    s.controlBackground = C(0xFBFBFB);
    s.buttonTransparent = false;
    s.titleButtonTransparent = true;
    s.button = {C(0xA4A7C9), C(0xFFFFFF), C(0xE6E7F2), 120};
    s.hover = {C(0x6D71D6), C(0xFFFFFF), C(0xDCDEFA), 140};
    s.pressed = {C(0x4A4EB8), C(0xD4D6F2), C(0xEDEEFA), 40};
    s.buttonRadius = 4;
    s.boxBorder = C(0x8E92BF);
    s.boxTop = C(0xFFFFFF);
    s.boxBottom = C(0xECEDF6);
    s.mark = C(0x2D30C4);
    s.accent = C(0x2D30C4);
    s.titleTop = C(0x9DA1EE);
    s.titleMiddle = C(0x7378DE);
    s.titleBottom = C(0x5C61CF);
    s.titleEdge = C(0x4347AE);
    s.titleShine = 60;
    s.titleButton = {C(0xFFFFFF), C(0xB9BCF6), C(0x6A6FDA), 120};
    s.titleGlyph = C(0xFFFFFF);
    s.closeTint = C(0xD9557A);
    s.roundTitleButtons = true;
    return s;
}

StylePalette MakeBlueGlass()
{
    StylePalette s;
    s.prefix = QStringLiteral("BLUEGLASS");
    s.controlBackground = C(0xE7E7E7);
    s.buttonTransparent = true;
    s.titleButtonTransparent = true;
    s.button = {C(0x6C8FC0), C(0xEAF3FD), C(0xAFCBEE), 200};
    s.hover = {C(0x3F79C8), C(0xDDF0FF), C(0x86B9F0), 210};
    s.pressed = {C(0x2C5C9E), C(0x8DB4E4), C(0x5F93D6), 100};
    s.buttonRadius = 6;
    s.boxBorder = C(0x5A7FB4);
    s.boxTop = C(0xFFFFFF);
    s.boxBottom = C(0xD4E3F6);
    s.mark = C(0x1F4E96);
    s.accent = C(0x5E5EEC);
    s.titleTop = C(0x8FB5EA);
    s.titleMiddle = C(0x5C8DD6);
    s.titleBottom = C(0x3C70C2);
    s.titleEdge = C(0x2A5499);
    s.titleShine = 110;
    s.titleButton = {C(0xE8F0FC), C(0x9CC0F0), C(0x4B7FCB), 150};
    s.titleGlyph = C(0xFFFFFF);
    s.closeTint = C(0xD9534F);
    s.roundTitleButtons = true;
    return s;
}

} // namespace

const StylePalette &PaletteOf(Style style)
{
    static const std::array<StylePalette, 5> palettes{MakeMacOS(), MakeWinXP(), MakeDeepBlue(), MakeProtein(),
                                                      MakeBlueGlass()};
    return palettes[static_cast<std::size_t>(style)];
}
