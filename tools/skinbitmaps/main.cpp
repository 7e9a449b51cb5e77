// Draws every bitmap the skinned widget set loads by name, at the sizes its controls cut them by,
// and writes them plus the Qt resource collections listing them. Each is drawn twice: NAME.ready at
// its size, stored ready to draw because every start of the program shows some of them, and
// NAME@2x.png with twice the pixels in each direction, the same design for screens with twice
// the pixel density, which only such screens load.
//
// The application icon is also written at the sizes of the desktop's icon theme, as
// hicolor/<n>x<n>/apps/quillon.png.
//
// Usage: quillon_skinbitmaps <output directory>

#include "control_bitmaps.h"
#include "icon_bitmaps.h"
#include "style_palette.h"
#include "title_bitmaps.h"

#include "skin/themes/ready_bitmap.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QSaveFile>
#include <QTextStream>
#include <array>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

struct Bitmap {
    QString name;
    QSize size;
    std::function<QImage(QSize)> paint;
};

// Sizes per style, in the order MacOS, WinXP, DeepBlue, Protein, BlueGlass.
using SizeRow = std::array<QSize, 5>;

// clang-format off
const SizeRow ButtonSize{{{252, 23}, {54, 21}, {222, 21}, {222, 21}, {231, 27}}};
const SizeRow CheckBoxSize{{{60, 17}, {52, 13}, {52, 13}, {52, 13}, {52, 13}}};
const SizeRow RadioButtonSize{{{64, 17}, {52, 13}, {52, 13}, {52, 13}, {52, 13}}};
const SizeRow CheckListSize{{{40, 11}, {44, 11}, {44, 11}, {44, 11}, {44, 11}}};
const SizeRow TitleButtonSize{{{306, 17}, {378, 21}, {342, 19}, {342, 19}, {342, 19}}};
const SizeRow TitleLeftSize{{{48, 23}, {35, 29}, {97, 32}, {441, 23}, {162, 33}}};
const SizeRow TitleClientSize{{{49, 23}, {37, 29}, {98, 32}, {1, 23}, {179, 33}}};
const SizeRow TitleRightSize{{{48, 23}, {35, 29}, {97, 32}, {1, 23}, {101, 33}}};
const SizeRow ProgressBarSize{{{13, 10}, {6, 10}, {1, 10}, {1, 10}, {1, 10}}};
const SizeRow TrackBarBarSize{{{45, 5}, {45, 8}, {45, 4}, {45, 4}, {45, 4}}};
const SizeRow TrackBarSliderSize{{{11, 20}, {11, 21}, {11, 20}, {11, 20}, {11, 20}}};
const SizeRow TrackBarSliderVSize{{{19, 11}, {22, 11}, {18, 11}, {18, 11}, {18, 11}}};
const SizeRow ScrollBarButtonSize{{{96, 22}, {96, 17}, {96, 16}, {96, 16}, {102, 16}}};
const SizeRow ScrollBarTrackSize{{{33, 16}, {21, 16}, {21, 16}, {21, 16}, {21, 16}}};
const SizeRow TabSize{{{36, 27}, {18, 18}, {12, 17}, {18, 17}, {18, 17}}};
const SizeRow TabLineSize{{{17, 7}, {8, 1}, {5, 5}, {10, 5}, {10, 5}}};
const SizeRow SideChannelHandleSize{{{7, 84}, {8, 86}, {8, 83}, {8, 83}, {8, 86}}};
const SizeRow SideChannelBarSize{{{1, 21}, {1, 21}, {1, 20}, {1, 21}, {1, 21}}};
// Rows of the title pictures at which the title buttons sit.
constexpr std::array<int, 5> TitleButtonTop{4, 5, 2, 2, 6};
// clang-format on

const QSize ScrollButtonSize(72, 18);
const QSize MoreScrollButtonSize(72, 17);
const QSize MacComboButtonSize(16, 17);
const QSize XpComboButtonSize(16, 18);
const QSize FormBackgroundSize(8, 8);
const QSize MacMenuBarSize(1, 22);
const QSize MacMenuSelectSize(1, 21);
const QSize MenuCheckedSize(16, 16);
const QSize MdiControlButtonSize(48, 16);
const QSize PanelButtonSize(52, 12);
const QSize SideChannelButtonSize(7, 9);
const QSize StatusBarHandleSize(11, 11);
const QSize MessageIconsSize(168, 42);
constexpr int AppIconSize = 32;
constexpr int SmallAppIconSize = 16;
const QSize GlyphSize(16, 16);
// Every bitmap is drawn for these device pixel ratios.
constexpr std::array<int, 2> PixelRatios{1, 2};
// Middling zlib effort: the files are tiny and are written in every clean build.
constexpr int PngQuality = 50;

std::vector<Bitmap> Catalogue()
{
    std::vector<Bitmap> list;
    for (const Style style : AllStyles) {
        const auto i = static_cast<std::size_t>(style);
        const StylePalette &s = PaletteOf(style);
        const auto add = [&](const char *part, QSize size, std::function<QImage(QSize)> paint) {
            list.push_back({s.prefix + QLatin1Char('_') + QLatin1String(part), size, std::move(paint)});
        };
        add("BUTTON", ButtonSize[i], [&s](QSize z) { return controls::Button(s, z); });
        add("CHECKBOX", CheckBoxSize[i], [&s](QSize z) { return controls::CheckBox(s, z); });
        add("RADIOBUTTON", RadioButtonSize[i], [&s](QSize z) { return controls::RadioButton(s, z); });
        add("CHECKLIST", CheckListSize[i], [&s](QSize z) { return controls::CheckList(s, z); });
        const int top = TitleButtonTop[i];
        const int titleHeight = TitleLeftSize[i].height();
        add("TITLEBTN", TitleButtonSize[i],
            [&s, top, titleHeight](QSize z) { return titles::TitleButtons(s, z, top, titleHeight); });
        const QSize l = TitleLeftSize[i], c = TitleClientSize[i], r = TitleRightSize[i];
        add("TITLE_LEFT", l, [&s, l, c, r](QSize) { return titles::TitleSection(s, titles::Section::Left, l, c, r); });
        add("TITLE_CLIENT", c, [&s, l, c, r](QSize) { return titles::TitleSection(s, titles::Section::Client, l, c, r); });
        add("TITLE_RIGHT", r, [&s, l, c, r](QSize) { return titles::TitleSection(s, titles::Section::Right, l, c, r); });
        add("PROGRESSBAR", ProgressBarSize[i], [&s](QSize z) { return controls::ProgressBar(s, z); });
        add("TRACKBAR_BAR", TrackBarBarSize[i], [&s](QSize z) { return controls::TrackBarBar(s, z); });
        add("TRACKBAR_SLIDER", TrackBarSliderSize[i], [&s](QSize z) { return controls::TrackBarSlider(s, z, false); });
        add("TRACKBAR_SLIDER_V", TrackBarSliderVSize[i], [&s](QSize z) { return controls::TrackBarSlider(s, z, true); });
        add("SCROLLBAR_BUTTON", ScrollBarButtonSize[i], [&s](QSize z) { return controls::ScrollBarButton(s, z); });
        add("SCROLLBAR_TRACK", ScrollBarTrackSize[i], [&s](QSize z) { return controls::ScrollBarTrack(s, z); });
        add("TAB", TabSize[i], [&s](QSize z) { return controls::Tab(s, z); });
        add("TAB_LINE", TabLineSize[i], [&s](QSize z) { return controls::TabLine(s, z); });
        add("SIDECHENNEL_HANDLE", SideChannelHandleSize[i], [&s](QSize z) { return controls::SideChannelHandle(s, z); });
        add("SIDECHENNEL_BAR", SideChannelBarSize[i], [&s](QSize z) { return controls::SideChannelBar(s, z); });
    }

    const StylePalette &mac = PaletteOf(Style::MacOS);
    const StylePalette &xp = PaletteOf(Style::WinXP);
    const StylePalette &deep = PaletteOf(Style::DeepBlue);
    const auto fixed = [&](const char *name, QSize size, std::function<QImage(QSize)> paint) {
        list.push_back({QLatin1String(name), size, std::move(paint)});
    };
    // The tab scrollers of MacOS and WinXP are their own; the other styles share one.
    fixed("MACOS_SCROLLBUTTON", ScrollButtonSize, [&mac](QSize z) { return controls::ScrollButton(mac, z); });
    fixed("WINXP_SCROLLBUTTON", ScrollButtonSize, [&xp](QSize z) { return controls::ScrollButton(xp, z); });
    fixed("MORE_SCROLLBUTTON", MoreScrollButtonSize, [&deep](QSize z) { return controls::ScrollButton(deep, z); });
    fixed("MACOS_COMBOBOX_BUTTON", MacComboButtonSize, [&mac](QSize z) { return controls::ComboBoxButton(mac, z); });
    fixed("WINXP_COMBOBOX_BUTTON", XpComboButtonSize, [&xp](QSize z) { return controls::ComboBoxButton(xp, z); });
    fixed("MACOS_FORM_BACKGROUND", FormBackgroundSize, titles::MacFormBackground);
    fixed("PROTEIN_FORM_BACKGROUND", FormBackgroundSize, titles::ProteinFormBackground);
    fixed("MACOS_MENU_BAR", MacMenuBarSize, titles::MacMenuBar);
    fixed("MACOS_MENU_SELECT", MacMenuSelectSize, titles::MacMenuSelect);
    fixed("MENU_CHECKED", MenuCheckedSize, icons::MenuChecked);
    fixed("MDI_CONTROL_BUTTON", MdiControlButtonSize, icons::MdiControlButton);
    fixed("PANEL_BUTTON", PanelButtonSize, icons::PanelButton);
    fixed("SIDECHANNEL_BTN", SideChannelButtonSize, icons::SideChannelButton);
    fixed("STATUSBAR_HANDLE", StatusBarHandleSize, icons::StatusBarHandle);
    fixed("MSGDLG", MessageIconsSize, icons::MessageIcons);
    fixed("APP_ICON", QSize(AppIconSize, AppIconSize), [](QSize) { return icons::AppIcon(AppIconSize); });
    fixed("APP_ICON_16", QSize(SmallAppIconSize, SmallAppIconSize),
          [](QSize) { return icons::AppIcon(SmallAppIconSize); });
    fixed("GLYPH_PROGRAM_FLASH", GlyphSize, [](QSize) { return icons::ToolGlyph(icons::Glyph::ProgramFlash); });
    fixed("GLYPH_PROGRAM_EEPROM", GlyphSize, [](QSize) { return icons::ToolGlyph(icons::Glyph::ProgramEeprom); });
    fixed("GLYPH_READ_FLASH", GlyphSize, [](QSize) { return icons::ToolGlyph(icons::Glyph::ReadFlash); });
    fixed("GLYPH_READ_EEPROM", GlyphSize, [](QSize) { return icons::ToolGlyph(icons::Glyph::ReadEeprom); });
    fixed("GLYPH_FUSES", GlyphSize, [](QSize) { return icons::ToolGlyph(icons::Glyph::Fuses); });
    return list;
}

QString FileName(const QString &name, int ratio)
{
    return ratio == 1 ? name + QStringLiteral(".ready") : QStringLiteral("%1@%2x.png").arg(name).arg(ratio);
}

// Exactly the pixels a PNG of the image decodes to, in the one format the skin keeps bitmaps in.
QByteArray ReadyForm(const QImage &image)
{
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    if (!image.save(&png, "PNG", PngQuality))
        return {};
    QImage decoded;
    if (!decoded.loadFromData(png.data(), "PNG"))
        return {};
    return ready_bitmap::Encode(
        decoded.convertToFormat(decoded.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32));
}

bool Write(const QString &path, const QImage &image, int ratio)
{
    if (ratio != 1)
        return image.save(path, "PNG", PngQuality);
    const QByteArray stored = ReadyForm(image);
    QSaveFile file(path);
    return !stored.isEmpty() && file.open(QIODevice::WriteOnly) && file.write(stored) == stored.size() &&
           file.commit();
}

bool WriteBitmap(const QDir &dir, const Bitmap &b, int ratio)
{
    const QImage image = b.paint(b.size);
    const QSize expected = b.size * ratio;
    if (image.size() != expected || image.devicePixelRatio() != ratio) {
        std::fprintf(stderr, "%s drawn at %dx%d (ratio %g) instead of %dx%d\n", qPrintable(b.name), image.width(),
                     image.height(), image.devicePixelRatio(), expected.width(), expected.height());
        return false;
    }
    if (!Write(dir.filePath(FileName(b.name, ratio)), image, ratio)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(FileName(b.name, ratio)));
        return false;
    }
    return true;
}

// The sizes desktops look for an application icon at in the hicolor theme.
constexpr std::array<int, 6> ThemeIconSizes{16, 32, 48, 64, 128, 256};

bool WriteThemeIcons(const QDir &dir)
{
    for (const int size : ThemeIconSizes) {
        const QString folder = QStringLiteral("hicolor/%1x%1/apps").arg(size);
        if (!dir.mkpath(folder) ||
            !icons::AppIcon(size).save(dir.filePath(folder + QStringLiteral("/quillon.png")), "PNG", PngQuality)) {
            std::fprintf(stderr, "cannot write the %d px application icon\n", size);
            return false;
        }
    }
    return true;
}

// One resource list per ratio. The ready bitmaps get a list of their own: every stored size is a
// multiple of four bytes, so in a resource file of only them each one's pixels stay 4-byte
// aligned and can be drawn where they lie.
bool WriteQrc(const QString &path, const std::vector<Bitmap> &bitmaps, int ratio)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QTextStream out(&file);
    out << "<RCC>\n  <qresource prefix=\"/skin\">\n";
    for (const Bitmap &b : bitmaps)
        out << "    <file>" << FileName(b.name, ratio) << "</file>\n";
    out << "  </qresource>\n</RCC>\n";
    out.flush();
    return file.commit();
}

} // namespace

int main(int argc, char **argv)
{
    // No window is opened; the offscreen platform is enough for QPainter on images.
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output directory>\n", argv[0]);
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }

    const std::vector<Bitmap> bitmaps = Catalogue();
    for (const int ratio : PixelRatios) {
        paint::SetPixelRatio(ratio);
        for (const Bitmap &b : bitmaps) {
            if (!WriteBitmap(dir, b, ratio))
                return 1;
        }
    }
    paint::SetPixelRatio(1);
    if (!WriteThemeIcons(dir))
        return 1;
    if (!WriteQrc(dir.filePath(QStringLiteral("skin_ready_bitmaps.qrc")), bitmaps, 1) ||
        !WriteQrc(dir.filePath(QStringLiteral("skin_bitmaps.qrc")), bitmaps, 2)) {
        std::fprintf(stderr, "cannot write the resource list\n");
        return 1;
    }
    return 0;
}
