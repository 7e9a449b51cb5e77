#pragma once

#include "style_palette.h"

#include <QImage>
#include <QSize>

// Per-style bitmaps of the controls. Each returns an image of exactly the requested size with
// the frame layout the control cuts from it.
namespace controls {

QImage Button(const StylePalette &s, QSize size);         // 3 frames: normal, hover, pressed
QImage CheckBox(const StylePalette &s, QSize size);       // 4 frames: checked, unchecked, both disabled
QImage RadioButton(const StylePalette &s, QSize size);    // 4 frames as CheckBox, on magenta
QImage CheckList(const StylePalette &s, QSize size);      // 4 frames as CheckBox
QImage ProgressBar(const StylePalette &s, QSize size);    // one tile
QImage TrackBarBar(const StylePalette &s, QSize size);    // groove
QImage TrackBarSlider(const StylePalette &s, QSize size, bool vertical);
QImage ScrollBarButton(const StylePalette &s, QSize size); // 6 frames: up n/h/p, down n/h/p
QImage ScrollBarTrack(const StylePalette &s, QSize size);  // 3 frames: normal, hover, pressed
QImage ScrollButton(const StylePalette &s, QSize size);    // 4 frames: left, left hot, right, right hot
QImage Tab(const StylePalette &s, QSize size);             // 3 frames: inactive, hover, active
QImage TabLine(const StylePalette &s, QSize size);
QImage SideChannelHandle(const StylePalette &s, QSize size);
QImage SideChannelBar(const StylePalette &s, QSize size);  // panel caption bar, stretched sideways
QImage ComboBoxButton(const StylePalette &s, QSize size);

} // namespace controls
