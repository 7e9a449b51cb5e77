#include "skin/themes/look_rows.h"

#include "skin/themes/theme_cells.h"

#include <array>

namespace {

// One column per value of TsuiUIStyle, in its order: a file look first, then the built-in styles.
constexpr int LookCount = 6;

using theme_cells::Cell;
using theme_cells::img;
using theme_cells::num;
using theme_cells::rgb;

constexpr Cell none() { return Cell{0, {}}; }
// A colour the control derives itself (see the row's comment).
constexpr Cell derived() { return Cell{-1, {}}; }

struct Row {
    LookRow row;
    ThemeValueKind kind;
    std::array<Cell, LookCount> cells; // theme file, MacOS, WinXP, DeepBlue, Protein, BlueGlass
};

using K = ThemeValueKind;
using R = LookRow;

// clang-format off
constexpr std::array<Row, LookRowCount> Table{{
    {R::FormBackgroundImage, K::Image, {none(), img("MACOS_FORM_BACKGROUND"), none(), none(), img("PROTEIN_FORM_BACKGROUND"), none()}},
    {R::MenuBackgroundImage, K::Image, {none(), img("MACOS_MENU_BAR"), none(), none(), none(), none()}},
    {R::MenuSelectedImage, K::Image, {none(), img("MACOS_MENU_SELECT"), none(), none(), none(), none()}},
    {R::MenuItemHeightInt, K::Int, {num(21), num(20), num(21), num(21), num(21), num(21)}},
    {R::MenuSeparatorHeightInt, K::Int, {num(5), num(12), num(5), num(5), num(5), num(5)}},
    {R::MenuSeparatorColor, K::Color, {rgb(0x848284), rgb(0x000000), rgb(0x848284), rgb(0x848284), rgb(0x848284), rgb(0x848284)}},
    {R::MenuCheckMarkImage, K::Image, {img("MENU_CHECKED"), img("MENU_CHECKED"), img("MENU_CHECKED"), img("MENU_CHECKED"), img("MENU_CHECKED"), img("MENU_CHECKED")}},
    {R::ComboBoxButtonImage, K::Image, {none(), img("MACOS_COMBOBOX_BUTTON"), img("WINXP_COMBOBOX_BUTTON"), none(), none(), none()}},
    {R::ComboBoxArrowBool, K::Bool, {num(1), num(1), num(0), num(1), num(1), num(1)}},
    {R::ButtonFocusBoldBool, K::Bool, {num(0), num(1), num(0), num(0), num(0), num(1)}},
    {R::PanelCaptionFontColor, K::Color, {derived(), rgb(0x000000), rgb(0x000000), rgb(0xFFFFFF), rgb(0xFFFFFF), rgb(0xFFFFFF)}},
    {R::PanelButtonImage, K::Image, {img("PANEL_BUTTON"), img("PANEL_BUTTON"), img("PANEL_BUTTON"), img("PANEL_BUTTON"), img("PANEL_BUTTON"), img("PANEL_BUTTON")}},
    {R::MessageIconsImage, K::Image, {img("MSGDLG"), img("MSGDLG"), img("MSGDLG"), img("MSGDLG"), img("MSGDLG"), img("MSGDLG")}},
}};
// clang-format on

// Rows are looked up by position; make sure the table is in row order.
constexpr bool TableInRowOrder()
{
    for (std::size_t i = 0; i < Table.size(); ++i) {
        if (static_cast<std::size_t>(Table[i].row) != i)
            return false;
    }
    return true;
}
static_assert(TableInRowOrder(), "look rows must follow the order of LookRow");

// Only picture rows name pictures, so a name is never read as a number or the other way round.
constexpr bool NamesOnlyInImageRows()
{
    for (const Row &row : Table) {
        for (const Cell &cell : row.cells) {
            if (row.kind != ThemeValueKind::Image && !cell.image.empty())
                return false;
            if (row.kind == ThemeValueKind::Image && cell.number != 0)
                return false;
        }
    }
    return true;
}
static_assert(NamesOnlyInImageRows(), "a look row holds either numbers or picture names");

const Cell *FindCell(TsuiUIStyle look, LookRow row)
{
    const auto column = static_cast<std::size_t>(look);
    const auto index = static_cast<std::size_t>(row);
    if (column >= LookCount || index >= Table.size())
        return nullptr;
    return &Table[index].cells[column];
}

} // namespace

std::int32_t GetLookRowValue(TsuiUIStyle look, LookRow row)
{
    const Cell *cell = FindCell(look, row);
    return cell ? cell->number : -1;
}

QString GetLookRowImageName(TsuiUIStyle look, LookRow row)
{
    const Cell *cell = FindCell(look, row);
    if (!cell)
        return QString();
    return QString::fromLatin1(cell->image.data(), static_cast<qsizetype>(cell->image.size()));
}
