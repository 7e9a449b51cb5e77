#pragma once

#include "skin/themes/theme_element.h"
#include "skin/themes/ui_style.h"

#include <QString>
#include <cstdint>

// Lookups in the compiled-in look of the five built-in styles. Colours are 0x00BBGGRR words
// (a high byte of 0x80 marks a system colour index); see ThemeColorToQColor.
//
// Only the low seven bits of the style byte count. A style outside MacOS..BlueGlass (including
// FromThemeFile) or an element outside 1..48 reads as kind Int with value -1.

// Raw value and kind. Image cells have no number (0); their resource name comes from
// GetThemeImageName.
std::int32_t GetThemeValue(TsuiUIStyle style, ThemeElement element, ThemeValueKind &kind);

// The element's kind, which is the same in every style.
ThemeValueKind ThemeElementKind(ThemeElement element);

std::int32_t GetThemeColor(TsuiUIStyle style, ThemeElement element); // 0 (black) for another kind
std::int32_t GetThemeInt(TsuiUIStyle style, ThemeElement element);   // -1 for another kind
bool GetThemeBool(TsuiUIStyle style, ThemeElement element);          // false for another kind

// The bitmap resource an Image element names; empty for another kind, an unknown style, or the
// elements that only a theme file can fill.
QString GetThemeImageName(TsuiUIStyle style, ThemeElement element);

// True for MacOS..BlueGlass after masking the style byte to seven bits.
bool IsBuiltinStyle(TsuiUIStyle style);
