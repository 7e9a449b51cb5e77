#include "skin/themes/builtin_theme_table.h"
#include "skin/themes/ready_bitmap.h"
#include "skin/themes/style_bitmaps.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QResource>
#include <QSet>
#include <gtest/gtest.h>

namespace {

const QRgb Magenta = qRgb(0xFF, 0x00, 0xFF);
const char *const Prefixes[] = {"MACOS", "WINXP", "DEEPBLUE", "PROTEIN", "BLUEGLASS"};

struct Expected {
    const char *part;
    QSize sizes[5]; // MacOS, WinXP, DeepBlue, Protein, BlueGlass
    int frames;
};

// The sizes the controls cut the bitmaps by, and how many frames each holds.
const Expected PerStyle[] = {
    {"BUTTON", {{252, 23}, {54, 21}, {222, 21}, {222, 21}, {231, 27}}, 3},
    {"CHECKBOX", {{60, 17}, {52, 13}, {52, 13}, {52, 13}, {52, 13}}, 4},
    {"RADIOBUTTON", {{64, 17}, {52, 13}, {52, 13}, {52, 13}, {52, 13}}, 4},
    {"CHECKLIST", {{40, 11}, {44, 11}, {44, 11}, {44, 11}, {44, 11}}, 4},
    {"TITLEBTN", {{306, 17}, {378, 21}, {342, 19}, {342, 19}, {342, 19}}, 18},
    {"TITLE_LEFT", {{48, 23}, {35, 29}, {97, 32}, {441, 23}, {162, 33}}, 1},
    {"TITLE_CLIENT", {{49, 23}, {37, 29}, {98, 32}, {1, 23}, {179, 33}}, 1},
    {"TITLE_RIGHT", {{48, 23}, {35, 29}, {97, 32}, {1, 23}, {101, 33}}, 1},
    {"PROGRESSBAR", {{13, 10}, {6, 10}, {1, 10}, {1, 10}, {1, 10}}, 1},
    {"TRACKBAR_BAR", {{45, 5}, {45, 8}, {45, 4}, {45, 4}, {45, 4}}, 1},
    {"TRACKBAR_SLIDER", {{11, 20}, {11, 21}, {11, 20}, {11, 20}, {11, 20}}, 1},
    {"TRACKBAR_SLIDER_V", {{19, 11}, {22, 11}, {18, 11}, {18, 11}, {18, 11}}, 1},
    {"SCROLLBAR_BUTTON", {{96, 22}, {96, 17}, {96, 16}, {96, 16}, {102, 16}}, 6},
    {"SCROLLBAR_TRACK", {{33, 16}, {21, 16}, {21, 16}, {21, 16}, {21, 16}}, 3},
    {"TAB", {{36, 27}, {18, 18}, {12, 17}, {18, 17}, {18, 17}}, 3},
    {"TAB_LINE", {{17, 7}, {8, 1}, {5, 5}, {10, 5}, {10, 5}}, 1},
    {"SIDECHENNEL_HANDLE", {{7, 84}, {8, 86}, {8, 83}, {8, 83}, {8, 86}}, 1},
    {"SIDECHENNEL_BAR", {{1, 21}, {1, 21}, {1, 20}, {1, 21}, {1, 21}}, 1},
};

struct Fixed {
    const char *name;
    QSize size;
    int frames;
};

const Fixed FixedNames[] = {
    {"MACOS_SCROLLBUTTON", {72, 18}, 4},    {"WINXP_SCROLLBUTTON", {72, 18}, 4},
    {"MORE_SCROLLBUTTON", {72, 17}, 4},     {"MACOS_COMBOBOX_BUTTON", {16, 17}, 1},
    {"WINXP_COMBOBOX_BUTTON", {16, 18}, 1}, {"MACOS_FORM_BACKGROUND", {8, 8}, 1},
    {"PROTEIN_FORM_BACKGROUND", {8, 8}, 1}, {"MACOS_MENU_BAR", {1, 22}, 1},
    {"MACOS_MENU_SELECT", {1, 21}, 1},      {"MENU_CHECKED", {16, 16}, 1},
    {"MDI_CONTROL_BUTTON", {48, 16}, 3},    {"PANEL_BUTTON", {52, 12}, 4},
    {"SIDECHANNEL_BTN", {7, 9}, 1},         {"STATUSBAR_HANDLE", {11, 11}, 1},
    {"MSGDLG", {168, 42}, 4},               {"APP_ICON", {32, 32}, 1},
    {"APP_ICON_16", {16, 16}, 1},           {"GLYPH_PROGRAM_FLASH", {16, 16}, 1},
    {"GLYPH_PROGRAM_EEPROM", {16, 16}, 1},  {"GLYPH_READ_FLASH", {16, 16}, 1},
    {"GLYPH_READ_EEPROM", {16, 16}, 1},     {"GLYPH_FUSES", {16, 16}, 1},
};

QString StyleName(int style, const char *part)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(Prefixes[style]), QLatin1String(part));
}

int ColourDistance(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

TEST(StyleBitmaps, EveryBitmapHasItsSizeAndWholeFramesAlsoAtTwiceTheDensity)
{
    int checked = 0;
    const auto check = [&checked](const QString &name, QSize size, int frames) {
        const QImage image = LoadStyleBitmap(name);
        EXPECT_EQ(image.size(), size) << qPrintable(name);
        EXPECT_EQ(image.width() % frames, 0) << qPrintable(name);
        // The same frames, each with twice the pixels each way.
        const QImage fine(QStringLiteral(":/skin/%1@2x.png").arg(name));
        EXPECT_EQ(fine.size(), size * 2) << qPrintable(name);
        checked += 2;
    };
    for (const Expected &e : PerStyle) {
        // The scroll buttons of three styles share MORE_SCROLLBUTTON, listed with the fixed names.
        for (int style = 0; style < 5; ++style)
            check(StyleName(style, e.part), e.sizes[style], e.frames);
    }
    for (const Fixed &f : FixedNames)
        check(QLatin1String(f.name), f.size, f.frames);
    // Nothing embedded that the lists above do not know.
    EXPECT_EQ(QDir(":/skin").entryList(QDir::Files).size(), checked);
}

TEST(StyleBitmaps, EveryImageTheTableNamesIsEmbedded)
{
    for (int s = static_cast<int>(TsuiUIStyle::MacOS); s <= static_cast<int>(TsuiUIStyle::BlueGlass); ++s) {
        for (int e = FirstThemeElement; e <= LastThemeElement; ++e) {
            const QString name = GetThemeImageName(static_cast<TsuiUIStyle>(s), static_cast<ThemeElement>(e));
            if (!name.isEmpty()) {
                EXPECT_TRUE(HasStyleBitmap(name)) << qPrintable(name);
            }
        }
    }
}

// Loading one is reported in the error box (tests/app).
TEST(StyleBitmaps, UnknownNamesAreNotCarried)
{
    EXPECT_FALSE(HasStyleBitmap("NO_SUCH_BITMAP"));
    EXPECT_FALSE(HasStyleBitmap("../skin/MACOS_BUTTON"));
}

TEST(StyleBitmaps, TransparentStripsStandOnMagentaAndOpaqueOnesNever)
{
    struct Strip {
        const char *name;
        int frames;
        bool keyed;
    };
    const Strip strips[] = {
        {"MACOS_BUTTON", 3, true},      {"BLUEGLASS_BUTTON", 3, true},    {"WINXP_BUTTON", 3, false},
        {"DEEPBLUE_BUTTON", 3, false},  {"PROTEIN_BUTTON", 3, false},     {"PROTEIN_TITLEBTN", 18, true},
        {"BLUEGLASS_TITLEBTN", 18, true}, {"MACOS_TITLEBTN", 18, false},  {"WINXP_TITLEBTN", 18, false},
        {"DEEPBLUE_TITLEBTN", 18, false}, {"MACOS_RADIOBUTTON", 4, true}, {"WINXP_RADIOBUTTON", 4, true},
    };
    for (const Strip &s : strips) {
        const QImage image = LoadStyleBitmap(s.name);
        const int frameWidth = image.width() / s.frames;
        bool anyMagenta = false;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                anyMagenta = anyMagenta || image.pixel(x, y) == Magenta;
        EXPECT_EQ(anyMagenta, s.keyed) << s.name;
        if (!s.keyed)
            continue;
        for (int f = 0; f < s.frames; ++f) {
            const int left = f * frameWidth;
            // The controls take the bottom-left (or top-left) pixel as the transparent colour.
            EXPECT_EQ(image.pixel(left, image.height() - 1), Magenta) << s.name << " frame " << f + 1;
            EXPECT_EQ(image.pixel(left, 0), Magenta) << s.name << " frame " << f + 1;
            EXPECT_NE(image.pixel(left + frameWidth / 2, image.height() / 2), Magenta) << s.name << " frame " << f + 1;
        }
    }
}

TEST(StyleBitmaps, StateFramesDifferFromEachOther)
{
    for (int style = 0; style < 5; ++style) {
        const QImage strip = LoadStyleBitmap(StyleName(style, "BUTTON"));
        QImage normal, hover, pressed;
        CutBitmapFrame(strip, &normal, 3, 1);
        CutBitmapFrame(strip, &hover, 3, 2);
        CutBitmapFrame(strip, &pressed, 3, 3);
        EXPECT_NE(normal, hover) << Prefixes[style];
        EXPECT_NE(hover, pressed) << Prefixes[style];

        const QImage checks = LoadStyleBitmap(StyleName(style, "CHECKBOX"));
        QImage checked, unchecked;
        CutBitmapFrame(checks, &checked, 4, 1);
        CutBitmapFrame(checks, &unchecked, 4, 2);
        EXPECT_NE(checked, unchecked) << Prefixes[style];
    }
}

TEST(StyleBitmaps, TitleSectionsJoinWithoutASeam)
{
    constexpr int Tolerance = 8;
    for (int style = 0; style < 5; ++style) {
        const QImage left = LoadStyleBitmap(StyleName(style, "TITLE_LEFT"));
        const QImage client = LoadStyleBitmap(StyleName(style, "TITLE_CLIENT"));
        const QImage right = LoadStyleBitmap(StyleName(style, "TITLE_RIGHT"));
        ASSERT_EQ(left.height(), client.height());
        ASSERT_EQ(right.height(), client.height());
        for (int y = 0; y < client.height(); ++y) {
            EXPECT_LE(ColourDistance(left.pixel(left.width() - 1, y), client.pixel(0, y)), Tolerance)
                << Prefixes[style] << " left/client row " << y;
            EXPECT_LE(ColourDistance(client.pixel(client.width() - 1, y), right.pixel(0, y)), Tolerance)
                << Prefixes[style] << " client/right row " << y;
            // The client piece is stretched, so it must look the same at every column.
            EXPECT_EQ(client.pixel(0, y), client.pixel(client.width() - 1, y)) << Prefixes[style] << " row " << y;
        }
    }
}

TEST(StyleBitmaps, ToolGlyphsUseSixteenColoursOnATransparentCorner)
{
    for (const char *name : {"GLYPH_PROGRAM_FLASH", "GLYPH_PROGRAM_EEPROM", "GLYPH_READ_FLASH", "GLYPH_READ_EEPROM",
                             "GLYPH_FUSES"}) {
        const QImage glyph = LoadStyleBitmap(name);
        QSet<QRgb> colours;
        for (int y = 0; y < glyph.height(); ++y)
            for (int x = 0; x < glyph.width(); ++x)
                colours.insert(glyph.pixel(x, y));
        EXPECT_LE(colours.size(), 16) << name;
        EXPECT_GE(colours.size(), 4) << name; // more than a blank square
        EXPECT_EQ(glyph.pixel(0, 0), Magenta) << name;
    }
    EXPECT_NE(LoadStyleBitmap("GLYPH_PROGRAM_FLASH"), LoadStyleBitmap("GLYPH_READ_FLASH"));
    EXPECT_NE(LoadStyleBitmap("GLYPH_PROGRAM_FLASH"), LoadStyleBitmap("GLYPH_PROGRAM_EEPROM"));
}

// Start-up draws the bitmaps where they lie in the executable, without decoding anything.
TEST(StyleBitmaps, ReadyBitmapsAreDrawnInPlaceAndOnlyWhenWhole)
{
    const QResource stored(QStringLiteral(":/skin/MACOS_BUTTON.ready"));
    const QImage button = LoadStyleBitmap(QStringLiteral("MACOS_BUTTON"));
    ASSERT_TRUE(stored.isValid());
    EXPECT_GT(button.constBits(), stored.data());
    EXPECT_LT(button.constBits(), stored.data() + stored.size());

    const QByteArray bytes = ready_bitmap::Encode(button);
    QByteArray misaligned = QByteArray(1, '\0') + bytes;
    EXPECT_EQ(ready_bitmap::Wrap(reinterpret_cast<const uchar *>(misaligned.constData()) + 1, bytes.size()), button);
    for (const qint64 size : {qint64(0), qint64(16), bytes.size() - 1, bytes.size() + 1})
        EXPECT_TRUE(ready_bitmap::Wrap(reinterpret_cast<const uchar *>(bytes.constData()), size).isNull()) << size;
    EXPECT_TRUE(ready_bitmap::Encode(button.convertToFormat(QImage::Format_Indexed8)).isEmpty());
}

// Draws every embedded bitmap, enlarged, with its name into one picture for people to look at.
TEST(StyleBitmaps, WritesAContactSheet)
{
    constexpr int Scale = 2, SheetWidth = 1200, Gap = 6, LabelHeight = 14, MinStripWidth = 12;
    QStringList names = QDir(":/skin").entryList(QDir::Files, QDir::Name);
    QImage sheet(SheetWidth, 2400, QImage::Format_RGB32);
    sheet.fill(qRgb(0x9A, 0xA0, 0xA8));
    QPainter p(&sheet);
    QFont font = p.font();
    font.setPixelSize(10);
    p.setFont(font);
    int x = Gap, y = Gap, rowHeight = 0;
    for (const QString &file : names) {
        const QString name = QFileInfo(file).completeBaseName();
        const QImage image = LoadStyleBitmap(name);
        // One-column strips are shown widened so their gradient can be seen.
        const QSize shown(std::max(image.width() * Scale, MinStripWidth), image.height() * Scale);
        const int cellWidth = std::max(shown.width(), p.fontMetrics().horizontalAdvance(name)) + Gap;
        if (x + cellWidth > SheetWidth) {
            x = Gap;
            y += rowHeight + Gap;
            rowHeight = 0;
        }
        p.setPen(Qt::black);
        p.drawText(x, y + LabelHeight - 3, name);
        p.drawImage(QRect(QPoint(x, y + LabelHeight), shown), image);
        x += cellWidth;
        rowHeight = std::max(rowHeight, LabelHeight + shown.height());
    }
    p.end();
    const QImage used = sheet.copy(0, 0, SheetWidth, y + rowHeight + Gap);
    const QString path = QDir::current().filePath("skin_contact_sheet.png");
    ASSERT_TRUE(used.save(path));
    EXPECT_GT(QFileInfo(path).size(), 10000);
}

} // namespace
