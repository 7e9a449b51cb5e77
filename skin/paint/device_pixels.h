#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

class QPainter;
class QWidget;

// Style bitmaps come with one or two device pixels per design pixel (the finer set is drawn for
// high-density screens). Controls place them in design pixels, the widgets' own coordinates, and
// cut them in device pixels. A bitmap with a ratio of 1 passes through all of these unchanged.

// The size a bitmap covers on the control, in design pixels.
QSize LogicalSize(const QImage &image);

// The pixels of image under a rectangle given in design pixels.
QRect DeviceRect(const QImage &image, const QRect &logical);

// The part of image under a rectangle given in design pixels, keeping its ratio.
QImage CopyLogical(const QImage &image, const QRect &logical);

// A cleared off-screen canvas for composing a paint of widget; painting on it uses the widget's
// coordinates. It has a whole number of pixels per design pixel, at least as many as the screen
// shows, so that bitmaps and their pieces meet exactly, without seams, at any screen ratio.
QImage PaintBuffer(const QWidget *widget, const QColor &fill);
// The same for a canvas of size design pixels for a screen of the given device pixel ratio.
QImage PaintBuffer(const QSize &size, qreal screenRatio, const QColor &fill);

// Copies a canvas from PaintBuffer onto the painter at (0, 0): pixel for pixel where the ratios
// agree, else smoothly scaled to the canvas's size in design pixels.
void DrawPaintBuffer(QPainter &painter, const QImage &buffer);
