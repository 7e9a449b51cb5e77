#pragma once

class QImage;
class QPainter;
class QRect;

// Stretches a frame bitmap over rect by its nine slices: the corners are drawn unscaled (their
// magenta pixels left out when transparent is set), the edges and the centre stretched with
// magenta always left out. The rectangle is taken to start at (0, 0): callers pass the client
// rectangle.
void DrawNineSlice(const QImage &frame, QPainter &canvas, const QRect &rect, bool transparent);
