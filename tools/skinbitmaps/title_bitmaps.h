#pragma once

#include "style_palette.h"

#include <QImage>
#include <QSize>

// Title bar pieces, title bar buttons, the MacOS menu strips and the patterned form backgrounds.
namespace titles {

enum class Section { Left, Client, Right };

// One of the three title sections. The sections are cut from one imagined bar of
// left + client + right width, so they join without a seam: the client piece is uniform
// across, and the left and right pieces carry their decoration away from the joins.
QImage TitleSection(const StylePalette &s, Section section, QSize left, QSize client, QSize right);

// 18 frames: control box, help, maximize, restore, minimize, close; each normal, hover, pressed.
// buttonTop is the row of the title pictures at which the buttons are drawn, so that opaque
// buttons carry the title's background behind them.
QImage TitleButtons(const StylePalette &s, QSize size, int buttonTop, int titleHeight);

QImage MacMenuBar(QSize size);
QImage MacMenuSelect(QSize size);
QImage MacFormBackground(QSize size);
QImage ProteinFormBackground(QSize size);

} // namespace titles
