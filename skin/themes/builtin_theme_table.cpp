#include "skin/themes/builtin_theme_table.h"

#include "skin/themes/theme_cells.h"

#include <QMetaEnum>
#include <array>

namespace {

constexpr int BuiltinStyleCount = 5;
constexpr std::uint8_t StyleValueMask = 0x7F;

using theme_cells::Cell;
using theme_cells::img;
using theme_cells::num;
using theme_cells::rgb;

struct Row {
    ThemeElement element;
    ThemeValueKind kind;
    std::array<Cell, BuiltinStyleCount> cells; // MacOS, WinXP, DeepBlue, Protein, BlueGlass
};

using K = ThemeValueKind;
using E = ThemeElement;

// clang-format off
constexpr std::array<Row, LastThemeElement> Table{{
    {E::ButtonImage, K::Image, {img("MACOS_BUTTON"), img("WINXP_BUTTON"), img("DEEPBLUE_BUTTON"), img("PROTEIN_BUTTON"), img("BLUEGLASS_BUTTON")}},
    {E::ButtonTransparentBool, K::Bool, {num(1), num(0), num(0), num(0), num(1)}},
    {E::CheckBoxImage, K::Image, {img("MACOS_CHECKBOX"), img("WINXP_CHECKBOX"), img("DEEPBLUE_CHECKBOX"), img("PROTEIN_CHECKBOX"), img("BLUEGLASS_CHECKBOX")}},
    {E::RadioButtonImage, K::Image, {img("MACOS_RADIOBUTTON"), img("WINXP_RADIOBUTTON"), img("DEEPBLUE_RADIOBUTTON"), img("PROTEIN_RADIOBUTTON"), img("BLUEGLASS_RADIOBUTTON")}},
    {E::TitleBarButtonImage, K::Image, {img("MACOS_TITLEBTN"), img("WINXP_TITLEBTN"), img("DEEPBLUE_TITLEBTN"), img("PROTEIN_TITLEBTN"), img("BLUEGLASS_TITLEBTN")}},
    {E::TitleBarButtonTransparentBool, K::Bool, {num(0), num(0), num(0), num(1), num(1)}},
    {E::TitleBarButtonLeftOffsetInt, K::Int, {num(3), num(2), num(0), num(0), num(4)}},
    {E::TitleBarButtonRightOffsetInt, K::Int, {num(-2), num(-2), num(0), num(0), num(-3)}},
    {E::TitleBarButtonTopInt, K::Int, {num(4), num(5), num(2), num(2), num(6)}},
    {E::TitleBarLeftImage, K::Image, {img("MACOS_TITLE_LEFT"), img("WINXP_TITLE_LEFT"), img("DEEPBLUE_TITLE_LEFT"), img("PROTEIN_TITLE_LEFT"), img("BLUEGLASS_TITLE_LEFT")}},
    {E::TitleBarClientImage, K::Image, {img("MACOS_TITLE_CLIENT"), img("WINXP_TITLE_CLIENT"), img("DEEPBLUE_TITLE_CLIENT"), img("PROTEIN_TITLE_CLIENT"), img("BLUEGLASS_TITLE_CLIENT")}},
    {E::TitleBarRightImage, K::Image, {img("MACOS_TITLE_RIGHT"), img("WINXP_TITLE_RIGHT"), img("DEEPBLUE_TITLE_RIGHT"), img("PROTEIN_TITLE_RIGHT"), img("BLUEGLASS_TITLE_RIGHT")}},
    {E::FormMinWidthInt, K::Int, {num(130), num(150), num(130), num(130), num(270)}},
    {E::FormRoundCornerInt, K::Int, {num(0), num(13), num(0), num(0), num(11)}},
    {E::FormBackgroundColor, K::Color, {rgb(0xE7E7E7), rgb(0xEFEBDE), rgb(0xE8E8E8), rgb(0xFBFBFB), rgb(0xE7E7E7)}},
    {E::FormBorderColor, K::Color, {rgb(0x7F7F7F), rgb(0x002CC8), rgb(0x000000), rgb(0x000000), rgb(0x000000)}},
    {E::FormBorderWidthInt, K::Int, {num(1), num(3), num(1), num(1), num(1)}},
    {E::MenuSelectedBorderColor, K::Color, {rgb(0x3973C4), rgb(0x3169C6), rgb(0x444AA0), rgb(0x2D30C4), rgb(0x5E5EEC)}},
    {E::MenuSelectedBackgroundColor, K::Color, {rgb(0x3973C4), rgb(0xC6D3EF), rgb(0x444AA0), rgb(0x2D30C4), rgb(0x5E5EEC)}},
    {E::MenuSelectedFontColor, K::Color, {rgb(0xFFFFFF), rgb(0x000000), rgb(0xFFFFFF), rgb(0xFFFFFF), rgb(0xFFFFFF)}},
    {E::MenuBackgroundColor, K::Color, {rgb(0x000000), rgb(0xFFFFFF), rgb(0xFFFFFF), rgb(0xFFFFFF), rgb(0xE7E7E7)}},
    {E::MenuFontColor, K::Color, {rgb(0x000000), rgb(0x000000), rgb(0x000000), rgb(0x000000), rgb(0x000000)}},
    {E::MenuBarColor, K::Color, {rgb(0x000000), rgb(0xD6D3CE), rgb(0xD6D3CE), rgb(0xD6D3CE), rgb(0xD6D3CE)}},
    {E::ProgressBarImage, K::Image, {img("MACOS_PROGRESSBAR"), img("WINXP_PROGRESSBAR"), img("DEEPBLUE_PROGRESSBAR"), img("PROTEIN_PROGRESSBAR"), img("BLUEGLASS_PROGRESSBAR")}},
    {E::ControlBorderColor, K::Color, {rgb(0x7F7F7F), rgb(0x686868), rgb(0x000000), rgb(0x000000), rgb(0x000000)}},
    {E::ControlBackgroundColor, K::Color, {rgb(0xE7E7E7), rgb(0xEFEBDE), rgb(0xE8E8E8), rgb(0xFBFBFB), rgb(0xE7E7E7)}},
    {E::ControlFontColor, K::Color, {rgb(0x000000), rgb(0x0246CF), rgb(0x000000), rgb(0x000000), rgb(0x000000)}},
    {E::TrackBarBarImage, K::Image, {img("MACOS_TRACKBAR_BAR"), img("WINXP_TRACKBAR_BAR"), img("DEEPBLUE_TRACKBAR_BAR"), img("PROTEIN_TRACKBAR_BAR"), img("BLUEGLASS_TRACKBAR_BAR")}},
    {E::TrackBarSliderImage, K::Image, {img("MACOS_TRACKBAR_SLIDER"), img("WINXP_TRACKBAR_SLIDER"), img("DEEPBLUE_TRACKBAR_SLIDER"), img("PROTEIN_TRACKBAR_SLIDER"), img("BLUEGLASS_TRACKBAR_SLIDER")}},
    {E::TrackBarSliderVImage, K::Image, {img("MACOS_TRACKBAR_SLIDER_V"), img("WINXP_TRACKBAR_SLIDER_V"), img("DEEPBLUE_TRACKBAR_SLIDER_V"), img("PROTEIN_TRACKBAR_SLIDER_V"), img("BLUEGLASS_TRACKBAR_SLIDER_V")}},
    {E::ScrollBarBackgroundColor, K::Color, {rgb(0xC9C9C9), rgb(0xF9F9F9), rgb(0xF5F5F5), rgb(0xF5F5F5), rgb(0xF4F4F4)}},
    {E::ScrollBarButtonImage, K::Image, {img("MACOS_SCROLLBAR_BUTTON"), img("WINXP_SCROLLBAR_BUTTON"), img("DEEPBLUE_SCROLLBAR_BUTTON"), img("PROTEIN_SCROLLBAR_BUTTON"), img("BLUEGLASS_SCROLLBAR_BUTTON")}},
    {E::ScrollBarSliderImage, K::Image, {img("MACOS_SCROLLBAR_TRACK"), img("WINXP_SCROLLBAR_TRACK"), img("DEEPBLUE_SCROLLBAR_TRACK"), img("PROTEIN_SCROLLBAR_TRACK"), img("BLUEGLASS_SCROLLBAR_TRACK")}},
    {E::CheckListBoxImage, K::Image, {img("MACOS_CHECKLIST"), img("WINXP_CHECKLIST"), img("DEEPBLUE_CHECKLIST"), img("PROTEIN_CHECKLIST"), img("BLUEGLASS_CHECKLIST")}},
    {E::ToolBarButtonBorderColor, K::Color, {rgb(0x474747), rgb(0x3169C6), rgb(0x474747), rgb(0x474747), rgb(0x474747)}},
    {E::ToolBarButtonBackgroundColor, K::Color, {rgb(0xEFEFEF), rgb(0xC6D3EF), rgb(0xEFEFEF), rgb(0xEFEFEF), rgb(0xEFEFEF)}},
    {E::ToolBarButtonDownBackgroundColor, K::Color, {rgb(0xD8D8D8), rgb(0x93ACE1), rgb(0xD8D8D8), rgb(0xD8D8D8), rgb(0xD8D8D8)}},
    {E::ScrollButtonImage, K::Image, {img("MACOS_SCROLLBUTTON"), img("WINXP_SCROLLBUTTON"), img("MORE_SCROLLBUTTON"), img("MORE_SCROLLBUTTON"), img("MORE_SCROLLBUTTON")}},
    {E::TabControlTabImage, K::Image, {img("MACOS_TAB"), img("WINXP_TAB"), img("DEEPBLUE_TAB"), img("PROTEIN_TAB"), img("BLUEGLASS_TAB")}},
    {E::TabControlBarImage, K::Image, {img("MACOS_TAB_LINE"), img("WINXP_TAB_LINE"), img("DEEPBLUE_TAB_LINE"), img("PROTEIN_TAB_LINE"), img("BLUEGLASS_TAB_LINE")}},
    {E::SideChannelHandleImage, K::Image, {img("MACOS_SIDECHENNEL_HANDLE"), img("WINXP_SIDECHENNEL_HANDLE"), img("DEEPBLUE_SIDECHENNEL_HANDLE"), img("PROTEIN_SIDECHENNEL_HANDLE"), img("BLUEGLASS_SIDECHENNEL_HANDLE")}},
    {E::SideChannelBarImage, K::Image, {img("MACOS_SIDECHENNEL_BAR"), img("WINXP_SIDECHENNEL_BAR"), img("DEEPBLUE_SIDECHENNEL_BAR"), img("PROTEIN_SIDECHENNEL_BAR"), img("BLUEGLASS_SIDECHENNEL_BAR")}},
    {E::TitleBarMinimizedImage, K::Image, {img(""), img(""), img(""), img(""), img("")}},
    {E::TitleBarFontColor, K::Color, {rgb(0x000000), rgb(0xFFFFFF), rgb(0xFFFFFF), rgb(0xFFFFFF), rgb(0xFFFFFF)}},
    {E::FormLeftBorderImage, K::Image, {img(""), img(""), img(""), img(""), img("")}},
    {E::FormBottomBorderImage, K::Image, {img(""), img(""), img(""), img(""), img("")}},
    {E::FormBottomRoundCornerInt, K::Int, {num(0), num(0), num(0), num(0), num(0)}},
    {E::MenuMenuBarColor, K::Color, {rgb(0xE7E7E7), rgb(0xEFEBDE), rgb(0xE8E8E8), rgb(0xFBFBFB), rgb(0xE7E7E7)}},
}};
// clang-format on

// Rows are looked up by position; make sure the table is in element order.
constexpr bool TableInElementOrder()
{
    for (std::size_t i = 0; i < Table.size(); ++i) {
        if (static_cast<int>(Table[i].element) != static_cast<int>(i) + FirstThemeElement)
            return false;
    }
    return true;
}
static_assert(TableInElementOrder(), "theme table rows must follow the element numbers");

int StyleColumn(TsuiUIStyle style)
{
    const int value = static_cast<std::uint8_t>(style) & StyleValueMask;
    if (value < static_cast<int>(TsuiUIStyle::MacOS) || value > static_cast<int>(TsuiUIStyle::BlueGlass))
        return -1;
    return value - static_cast<int>(TsuiUIStyle::MacOS);
}

const Row *FindRow(ThemeElement element)
{
    const int number = static_cast<int>(element);
    if (number < FirstThemeElement || number > LastThemeElement)
        return nullptr;
    return &Table[static_cast<std::size_t>(number - FirstThemeElement)];
}

// The cell for a known style and element, with its kind; nullptr otherwise.
const Cell *FindCell(TsuiUIStyle style, ThemeElement element, ThemeValueKind &kind)
{
    const Row *row = FindRow(element);
    const int column = StyleColumn(style);
    if (!row || column < 0) {
        kind = ThemeValueKind::Int;
        return nullptr;
    }
    kind = row->kind;
    return &row->cells[static_cast<std::size_t>(column)];
}

} // namespace

QString ThemeElementName(ThemeElement element)
{
    const char *key = QMetaEnum::fromType<ThemeElement>().valueToKey(static_cast<int>(element));
    return key ? QString::fromLatin1(key) : QString();
}

bool IsBuiltinStyle(TsuiUIStyle style)
{
    return StyleColumn(style) >= 0;
}

ThemeValueKind ThemeElementKind(ThemeElement element)
{
    const Row *row = FindRow(element);
    return row ? row->kind : ThemeValueKind::Int;
}

std::int32_t GetThemeValue(TsuiUIStyle style, ThemeElement element, ThemeValueKind &kind)
{
    const Cell *cell = FindCell(style, element, kind);
    return cell ? cell->number : -1;
}

std::int32_t GetThemeColor(TsuiUIStyle style, ThemeElement element)
{
    ThemeValueKind kind;
    const std::int32_t value = GetThemeValue(style, element, kind);
    return kind == ThemeValueKind::Color ? value : 0;
}

std::int32_t GetThemeInt(TsuiUIStyle style, ThemeElement element)
{
    ThemeValueKind kind;
    const std::int32_t value = GetThemeValue(style, element, kind);
    return kind == ThemeValueKind::Int ? value : -1;
}

bool GetThemeBool(TsuiUIStyle style, ThemeElement element)
{
    ThemeValueKind kind;
    const std::int32_t value = GetThemeValue(style, element, kind);
    return kind == ThemeValueKind::Bool && value != 0;
}

QString GetThemeImageName(TsuiUIStyle style, ThemeElement element)
{
    ThemeValueKind kind;
    const Cell *cell = FindCell(style, element, kind);
    if (!cell || kind != ThemeValueKind::Image)
        return QString();
    return QString::fromLatin1(cell->image.data(), static_cast<qsizetype>(cell->image.size()));
}
