#include "skin/themes/theme_color.h"

#include <QGuiApplication>
#include <QPalette>
#include <array>

namespace {

constexpr std::uint32_t MarkerMask = 0xFF000000u;
constexpr std::uint32_t IndexMask = 0xFFu;

// The platform colour indexes a colour word can name, mapped to the palette role that plays the
// same part here; the fallback is used when no GUI application (and so no palette) exists.
struct SystemColor {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
    QRgb fallback;
};

constexpr QPalette::ColorGroup A = QPalette::Active;
constexpr QPalette::ColorGroup I = QPalette::Inactive;
constexpr QPalette::ColorGroup D = QPalette::Disabled;

constexpr std::array<SystemColor, 31> SystemColors{{
    {A, QPalette::Mid, 0xC8C8C8},             // 0 scroll bar
    {A, QPalette::Dark, 0x3A6EA5},            // 1 desktop
    {A, QPalette::Highlight, 0x0A246A},       // 2 active caption
    {I, QPalette::Highlight, 0x808080},       // 3 inactive caption
    {A, QPalette::Window, 0xF0F0F0},          // 4 menu
    {A, QPalette::Base, 0xFFFFFF},            // 5 window
    {A, QPalette::Shadow, 0x000000},          // 6 window frame
    {A, QPalette::WindowText, 0x000000},      // 7 menu text
    {A, QPalette::Text, 0x000000},            // 8 window text
    {A, QPalette::HighlightedText, 0xFFFFFF}, // 9 caption text
    {A, QPalette::Window, 0xD4D0C8},          // 10 active border
    {I, QPalette::Window, 0xD4D0C8},          // 11 inactive border
    {A, QPalette::Dark, 0x808080},            // 12 application workspace
    {A, QPalette::Highlight, 0x316AC5},       // 13 highlight
    {A, QPalette::HighlightedText, 0xFFFFFF}, // 14 highlighted text
    {A, QPalette::Button, 0xF0F0F0},          // 15 button face
    {A, QPalette::Dark, 0xA0A0A0},            // 16 button shadow
    {D, QPalette::Text, 0x808080},            // 17 grey text
    {A, QPalette::ButtonText, 0x000000},      // 18 button text
    {I, QPalette::HighlightedText, 0xD4D0C8}, // 19 inactive caption text
    {A, QPalette::Light, 0xFFFFFF},           // 20 button highlight
    {A, QPalette::Shadow, 0x696969},          // 21 3D dark shadow
    {A, QPalette::Midlight, 0xE3E3E3},        // 22 3D light
    {A, QPalette::ToolTipText, 0x000000},     // 23 tool tip text
    {A, QPalette::ToolTipBase, 0xFFFFE1},     // 24 tool tip background
    {A, QPalette::Window, 0xB5B5B5},          // 25 (unassigned)
    {A, QPalette::Link, 0x0066CC},            // 26 hot tracking
    {A, QPalette::Highlight, 0x99B4D1},       // 27 active caption gradient
    {I, QPalette::Highlight, 0xBFCDDB},       // 28 inactive caption gradient
    {A, QPalette::Highlight, 0x3399FF},       // 29 menu highlight
    {A, QPalette::Window, 0xF0F0F0},          // 30 menu bar
}};

QColor SystemColorToQColor(std::uint32_t index)
{
    if (index >= SystemColors.size())
        return QColor(Qt::black);
    const SystemColor &entry = SystemColors[index];
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return QGuiApplication::palette().color(entry.group, entry.role);
    return QColor::fromRgb(entry.fallback);
}

} // namespace

QColor ThemeColorToQColor(std::int32_t color)
{
    const auto word = static_cast<std::uint32_t>(color);
    if ((word & MarkerMask) == SystemColorMarker)
        return SystemColorToQColor(word & IndexMask);
    // Other high bytes carry no meaning for an RGB colour; only the low three bytes count.
    return QColor(static_cast<int>(word & 0xFF), static_cast<int>((word >> 8) & 0xFF),
                  static_cast<int>((word >> 16) & 0xFF));
}

std::int32_t ThemeColorFromQColor(const QColor &color)
{
    const QRgb rgb = color.rgb();
    const auto word = static_cast<std::uint32_t>(qBlue(rgb)) << 16 | static_cast<std::uint32_t>(qGreen(rgb)) << 8 |
                      static_cast<std::uint32_t>(qRed(rgb));
    return static_cast<std::int32_t>(word);
}
