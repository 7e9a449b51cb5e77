#include "skin/paint/draw_nine_slice.h"

#include "skin/paint/image_masks.h"
#include "skin/paint/nine_slice_layout.h"

#include <QImage>
#include <QPainter>
#include <QRect>

namespace {

QRect ToQRect(const SliceRect &r)
{
    return QRect(r.left, r.top, r.width(), r.height());
}

} // namespace

void DrawNineSlice(const QImage &frame, QPainter &canvas, const QRect &rect, bool transparent)
{
    if (frame.isNull())
        return;
    for (const NineSlicePiece &piece : LayoutNineSlice(frame.width(), frame.height(), rect.width(), rect.height())) {
        if (piece.target.isEmpty() || piece.source.isEmpty())
            continue;
        QImage slice = frame.copy(ToQRect(piece.source));
        if (piece.corner) {
            if (transparent)
                slice = WithTransparentColour(slice, MagentaKey);
        } else {
            // Nearest-neighbour stretching keeps the strip's lines crisp.
            slice = WithTransparentColour(slice.scaled(piece.target.width(), piece.target.height(),
                                                       Qt::IgnoreAspectRatio, Qt::FastTransformation),
                                          MagentaKey);
        }
        canvas.drawImage(QPoint(piece.target.left, piece.target.top), slice);
    }
}
