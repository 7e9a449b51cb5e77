#pragma once

#include <QImage>
#include <QRgb>

// The key colour of the style strips: pixels of this colour are never drawn.
inline constexpr QRgb MagentaKey = 0xFFFF00FF;

// A copy in which every opaque pixel of the given colour is fully transparent, the way a
// bitmap with a transparent colour is drawn. A null image stays null.
QImage WithTransparentColour(const QImage &image, QRgb colour);

// The colour a picture drawn as transparent leaves out: its bottom-left pixel.
QRgb BottomLeftColour(const QImage &image);
// Glyphs name their transparent colour by their top-left pixel instead.
QRgb TopLeftColour(const QImage &image);

// The look of a picture on a disabled control: its shape in light greys. Transparent pixels
// stay transparent.
QImage Greyed(const QImage &image);
