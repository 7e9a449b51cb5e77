#pragma once

#include "skin/themes/theme_element.h"
#include "skin/themes/ui_style.h"

#include <QString>
#include <cstdint>

// What a control draws differently from one look to the next beyond the numbered theme elements:
// a picture in place of a fill, a row height, a caption colour. Every look answers every row, a
// look loaded from a theme file included, so that no control needs to ask which look it has and a
// new look is one more column. Theme files do not carry these rows; their column holds what a
// file look shows. Kinds are those of the theme elements; the ending of a name repeats its kind.
enum class LookRow : int {
    FormBackgroundImage,     // tiled over a framed window's client area; none: its colour
    MenuBackgroundImage,     // strip behind the menu bar and behind drop-down items and separators
    MenuSelectedImage,       // strip behind a highlighted menu-bar button or drop-down item
    MenuItemHeightInt,       // a drop-down item's height
    MenuSeparatorHeightInt,  // a drop-down separator's height
    MenuSeparatorColor,      // the line a separator draws where no strip is behind it
    MenuCheckMarkImage,      // drawn beside a checked item that has no picture of its own
    ComboBoxButtonImage,     // the whole drop button; none: filled with the button colour
    ComboBoxArrowBool,       // the arrow is drawn on the button (not part of its picture)
    ButtonFocusBoldBool,     // focus is shown by a bold caption rather than a dotted frame
    PanelCaptionFontColor,   // -1: black or white, as the file's control text colour suggests
    PanelButtonImage,        // the collapse button of a panel's caption bar, four frames
    MessageIconsImage,       // the message dialog's four icons side by side
};

inline constexpr int LookRowCount = static_cast<int>(LookRow::MessageIconsImage) + 1;

// A row's number (Int, Color as 0x00BBGGRR, Bool as 0 or 1) and bitmap name (Image; empty for
// none) in one look: MacOS..BlueGlass, or FromThemeFile for a look loaded from a theme file.
// A style byte outside these gives -1 and no name.
std::int32_t GetLookRowValue(TsuiUIStyle look, LookRow row);
QString GetLookRowImageName(TsuiUIStyle look, LookRow row);
