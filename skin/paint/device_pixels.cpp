#include "skin/paint/device_pixels.h"

#include <QColor>
#include <QPainter>
#include <QWidget>
#include <cmath>

namespace {

int ToLogical(int devicePixels, qreal ratio)
{
    return ratio == 1.0 ? devicePixels : static_cast<int>(std::lround(devicePixels / ratio));
}

int ToDevice(int logicalPixels, qreal ratio)
{
    return ratio == 1.0 ? logicalPixels : static_cast<int>(std::lround(logicalPixels * ratio));
}

} // namespace

QSize LogicalSize(const QImage &image)
{
    const qreal ratio = image.devicePixelRatio();
    return QSize(ToLogical(image.width(), ratio), ToLogical(image.height(), ratio));
}

QRect DeviceRect(const QImage &image, const QRect &logical)
{
    const qreal ratio = image.devicePixelRatio();
    return QRect(ToDevice(logical.x(), ratio), ToDevice(logical.y(), ratio), ToDevice(logical.width(), ratio),
                 ToDevice(logical.height(), ratio));
}

QImage CopyLogical(const QImage &image, const QRect &logical)
{
    return image.copy(DeviceRect(image, logical));
}

QImage PaintBuffer(const QWidget *widget, const QColor &fill)
{
    return PaintBuffer(widget->size(), widget->devicePixelRatioF(), fill);
}

QImage PaintBuffer(const QSize &size, qreal screenRatio, const QColor &fill)
{
    const qreal ratio = screenRatio <= 1.0 ? screenRatio : std::ceil(screenRatio);
    QImage buffer(static_cast<int>(std::ceil(size.width() * ratio)), static_cast<int>(std::ceil(size.height() * ratio)),
                  QImage::Format_ARGB32_Premultiplied);
    buffer.setDevicePixelRatio(ratio);
    buffer.fill(fill);
    return buffer;
}

void DrawPaintBuffer(QPainter &painter, const QImage &buffer)
{
    const QPaintDevice *device = painter.device();
    if (!device || device->devicePixelRatioF() == buffer.devicePixelRatio()) {
        painter.drawImage(0, 0, buffer);
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(QPointF(0, 0), buffer.deviceIndependentSize()), buffer);
    painter.restore();
}
