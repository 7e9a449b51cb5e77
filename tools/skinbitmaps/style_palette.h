#pragma once

#include "paint_kit.h"

#include <QColor>
#include <QString>
#include <array>

// The colours one built-in style is drawn in.
struct StylePalette {
    QString prefix;           // resource name prefix, e.g. "MACOS"
    QColor controlBackground; // what the style's controls stand on
    bool buttonTransparent;   // button strips keyed on magenta
    bool titleButtonTransparent;
    paint::Gloss button;
    paint::Gloss hover;
    paint::Gloss pressed;
    int buttonRadius;
    QColor boxBorder;   // check boxes, radio buttons, edit-like parts
    QColor boxTop;
    QColor boxBottom;
    QColor mark;        // check marks and radio dots
    QColor accent;      // selection, progress, slider highlights
    QColor titleTop;    // title bar gradient, top to bottom
    QColor titleMiddle;
    QColor titleBottom;
    QColor titleEdge;   // the title bar's lowest row
    int titleShine;     // alpha of the glass highlight on the title bar
    paint::Gloss titleButton;
    QColor titleGlyph;
    QColor closeTint;   // the close button's face
    bool roundTitleButtons;
};

enum class Style { MacOS, WinXP, DeepBlue, Protein, BlueGlass };
inline constexpr std::array<Style, 5> AllStyles{Style::MacOS, Style::WinXP, Style::DeepBlue, Style::Protein,
                                                Style::BlueGlass};

const StylePalette &PaletteOf(Style style);
