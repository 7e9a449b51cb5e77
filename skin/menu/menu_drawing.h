#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>

class QPainter;

// Drawing helpers shared by the skinned menus and the frame's menu bar.

// The platform's menu font and menu-text colour. Here the platform's menu font is the font the
// application gives menus (the application font unless one is set for "QMenu").
void AssignSystemMenuFont(QFont &font, QColor &color);

// A font given by name and size in points, as the menus store it; points are turned into pixels
// at 96 dots per inch, as the stored layouts assume.
QFont menu_font(const QString &name, int points);

// The flat frame around a drop-down window of rect (right and bottom exclusive): an outer
// frame, a white frame inside it, and the edge colour along the bottom, right and top.
void DrawFlatMenuFrame(QPainter &painter, const QRect &window, const QColor &outer, const QColor &edge);

// Draws image at (x, y) with the colour of its bottom-left pixel as transparent colour, or with
// `transparent` when that is valid; a disabled image is drawn greyed.
void draw_transparent_image(QPainter &painter, int x, int y, const QImage &image, bool enabled,
                            const QColor &transparent = QColor());
