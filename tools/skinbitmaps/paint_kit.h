#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <functional>

// Drawing helpers shared by all bitmap painters of the generator.
namespace paint {

// Colour-keyed bitmaps use magenta for "not drawn", as the skinned controls expect.
inline const QColor Magenta(0xFF, 0x00, 0xFF);

// The ratio of device pixels to design pixels the bitmaps are being drawn at: 1, or 2 for the
// sharper set high-density screens get. Painters work in design pixels; a canvas carries the ratio,
// so a painter on it draws the same design with the finer pixels.
void SetPixelRatio(int ratio);
int PixelRatio();

// A transparent canvas to draw anti-aliased shapes on, width x height design pixels.
QImage NewCanvas(int width, int height);
// An opaque canvas of that size, for painters that set whole pixels.
QImage NewOpaqueCanvas(QSize size);
void Smooth(QPainter &p);

// An opaque copy of the canvas composed over a background colour.
QImage Flatten(const QImage &canvas, const QColor &background);

// An opaque copy in which nearly transparent pixels become magenta and the rest are composed over
// the colour the control is expected to stand on, so edges stay smooth without a pink fringe.
QImage FlattenKeyed(const QImage &canvas, const QColor &expectedBackground);

// A face with a vertical gradient, a border, and a soft highlight over its upper half.
struct Gloss {
    QColor border;
    QColor top;
    QColor bottom;
    int shine = 0; // alpha of the white highlight, 0..255
};
void GlossyRoundRect(QPainter &p, const QRectF &rect, qreal radius, const Gloss &gloss);
void GlossyEllipse(QPainter &p, const QRectF &rect, const Gloss &gloss);

Gloss Lighter(const Gloss &gloss, int factor);
Gloss Darker(const Gloss &gloss, int factor);

// Frames drawn one after another into a strip: frame(painter, frameRect, index from 0).
QImage Strip(int frameWidth, int height, int frames, const std::function<void(QPainter &, const QRect &, int)> &frame);

// Mixes two colours; t = 0 gives a, t = 1 gives b.
QColor Mix(const QColor &a, const QColor &b, qreal t);

// Small symbols for title and control buttons, centred in rect, drawn with the given colour.
enum class Symbol { Menu, Help, Maximize, Restore, Minimize, Close, ArrowUp, ArrowDown, ArrowLeft, ArrowRight, Check, Dot };
void DrawSymbol(QPainter &p, const QRectF &rect, Symbol symbol, const QColor &color, qreal weight);

} // namespace paint
