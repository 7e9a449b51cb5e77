#include "skin/edit/edit_border.h"

#include <QColor>
#include <QPainter>
#include <QRect>

void FrameRect(QPainter &painter, const QRect &r, const QColor &colour)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), colour);
    painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), colour);
    painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), colour);
    painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), colour);
}

void DrawEditBorder(QPainter &painter, const QRect &rect, const QColor &border, const QColor &background)
{
    FrameRect(painter, rect, border);
    FrameRect(painter, rect.adjusted(1, 1, -1, -1), background);
}
