#include "skin/paint/draw_nine_slice.h"

#include "skin/paint/device_pixels.h"
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

// The slices are laid out in design pixels; a finer frame is cut and composed with its own
// pixels, ratio of them to each design pixel, so it keeps its detail.
QImage ComposeFace(const QImage &frame, int width, int height, bool transparent)
{
    const QSize design = LogicalSize(frame);
    const qreal ratio = frame.devicePixelRatio();
    const QRect faceRect = DeviceRect(frame, QRect(0, 0, width, height));
    QImage face(faceRect.size(), QImage::Format_ARGB32_Premultiplied);
    face.fill(Qt::transparent);
    QPainter canvas(&face);
    for (const NineSlicePiece &piece : LayoutNineSlice(design.width(), design.height(), width, height)) {
        if (piece.target.isEmpty() || piece.source.isEmpty())
            continue;
        QImage slice = CopyLogical(frame, ToQRect(piece.source));
        slice.setDevicePixelRatio(1);
        const QRect target = DeviceRect(frame, ToQRect(piece.target));
        if (piece.corner) {
            if (transparent)
                slice = WithTransparentColour(slice, MagentaKey);
        } else {
            // Nearest-neighbour stretching keeps the strip's lines crisp.
            slice = WithTransparentColour(
                slice.scaled(target.width(), target.height(), Qt::IgnoreAspectRatio, Qt::FastTransformation),
                MagentaKey);
        }
        canvas.drawImage(target.topLeft(), slice);
    }
    canvas.end();
    face.setDevicePixelRatio(ratio);
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
