#include "skin/form/window_region.h"

namespace {

// What lies outside the corner ellipse within the corner square.
QRegion corner_cut(const QRect &square, const QRect &ellipse) { return QRegion(square).subtracted(QRegion(ellipse, QRegion::Ellipse)); }

} // namespace

QRegion form_window_region(const QSize &window, int roundCorner, int roundCornerBottom)
{
    const int r = qMax(0, roundCorner);
    const int rb = qMax(0, roundCornerBottom);
    if (r == 0 && rb == 0)
        return QRegion();
    const int w = window.width();
    const int h = window.height();
    QRegion shape(0, 0, w, h);
    if (r > 0) {
        const int half = (r + 1) / 2;
        shape -= corner_cut(QRect(0, 0, half, half), QRect(0, 0, r, r));
        shape -= corner_cut(QRect(w - half, 0, half, half), QRect(w - r, 0, r, r));
    }
    if (rb > 0) {
        const int half = (rb + 1) / 2;
        shape -= corner_cut(QRect(0, h - half, half, half), QRect(0, h - rb, rb, rb));
        shape -= corner_cut(QRect(w - half, h - half, half, half), QRect(w - rb, h - rb, rb, rb));
    }
    return shape;
}
