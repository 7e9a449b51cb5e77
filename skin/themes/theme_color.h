#pragma once

#include <QColor>
#include <cstdint>

// Colour words of the widget set: 0x00BBGGRR for an RGB colour; a high byte of 0x80 marks a
// system colour whose index sits in the low byte (stored signed, so system colours are negative).
inline constexpr std::uint32_t SystemColorMarker = 0x80000000u;

// The one place where a colour word becomes a QColor. System colours follow the running
// application's palette (fixed light colours when there is no GUI application yet).
QColor ThemeColorToQColor(std::int32_t color);

// An opaque RGB colour as a colour word.
std::int32_t ThemeColorFromQColor(const QColor &color);
