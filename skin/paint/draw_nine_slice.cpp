#include "skin/paint/draw_nine_slice.h"

#include "skin/paint/image_masks.h"
#include "skin/paint/nine_slice_layout.h"

#include <QCache>
#include <QImage>
#include <QPainter>
#include <QRect>

namespace {

// Buttons repaint on every hover and press at the same few sizes: the stretched, masked face is
// composed once per frame bitmap, size and transparency and then only copied.
constexpr qsizetype ComposedFacesKilobytes = 8 * 1024;

struct FaceKey {
    qint64 frame;
    int width;
    int height;
    bool transparent;
    friend bool operator==(const FaceKey &, const FaceKey &) = default;
};

size_t qHash(const FaceKey &key, size_t seed = 0)
{
    return qHashMulti(seed, key.frame, key.width, key.height, key.transparent);
}

QRect ToQRect(const SliceRect &r)
{
    return QRect(r.left, r.top, r.width(), r.height());
}

QImage ComposeFace(const QImage &frame, int width, int height, bool transparent)
{
    QImage face(width, height, QImage::Format_ARGB32_Premultiplied);
    face.fill(Qt::transparent);
    QPainter canvas(&face);
    for (const NineSlicePiece &piece : LayoutNineSlice(frame.width(), frame.height(), width, height)) {
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
    return face;
}

} // namespace

void DrawNineSlice(const QImage &frame, QPainter &canvas, const QRect &rect, bool transparent)
{
    if (frame.isNull() || rect.isEmpty())
        return;
    static QCache<FaceKey, QImage> faces(ComposedFacesKilobytes);
    const FaceKey key{frame.cacheKey(), rect.width(), rect.height(), transparent};
    QImage face;
    if (const QImage *cached = faces.object(key)) {
        face = *cached;
    } else {
        face = ComposeFace(frame, rect.width(), rect.height(), transparent);
        faces.insert(key, new QImage(face), face.sizeInBytes() / 1024 + 1);
    }
    canvas.drawImage(QPoint(0, 0), face);
}
