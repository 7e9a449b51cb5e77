#include "skin/paint/image_masks.h"

#include <QColor>

QImage WithTransparentColour(const QImage &image, QRgb colour)
{
    if (image.isNull())
        return image;
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = colour | 0xFF000000u;
    for (int y = 0; y < result.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            if (line[x] == key)
                line[x] = 0;
        }
    }
    return result;
}

QRgb BottomLeftColour(const QImage &image)
{
    return image.isNull() ? 0 : image.pixel(0, image.height() - 1);
}

QRgb TopLeftColour(const QImage &image)
{
    return image.isNull() ? 0 : image.pixel(0, 0);
}

QImage Greyed(const QImage &image)
{
    // Lighter shades for lighter pixels keep the outline readable on a light face.
    constexpr int GreyFloor = 128;
    constexpr int GreyRange = 112;
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            const int alpha = qAlpha(line[x]);
            if (alpha == 0)
                continue;
            const int grey = GreyFloor + qGray(line[x]) * GreyRange / 255;
            line[x] = qRgba(grey, grey, grey, alpha);
        }
    }
    return result;
}
