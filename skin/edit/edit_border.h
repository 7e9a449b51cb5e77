#pragma once

class QColor;
class QPainter;
class QRect;

// A 1-pixel frame along the inside of rect, drawn as whole pixels whatever the painter's pen.
void FrameRect(QPainter &painter, const QRect &rect, const QColor &colour);

// The flat border of the skinned edit and memo, drawn over the platform's own painting: the
// outermost pixel in the border colour, the one inside it in the control's background colour.
void DrawEditBorder(QPainter &painter, const QRect &rect, const QColor &border, const QColor &background);
