#include "skin/menu/menu_drawing.h"

#include "skin/paint/installed_face.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>

#include <cmath>

namespace {
constexpr double DotsPerInch = 96.0;
constexpr double PointsPerInch = 72.0;
constexpr int GreyLift = 96; // how far a greyed picture is lightened towards white
} // namespace

void AssignSystemMenuFont(QFont &font, QColor &color)
{
    font = QApplication::font("QMenu");
    color = QApplication::palette("QMenu").color(QPalette::Active, QPalette::WindowText);
}

QFont menu_font(const QString &name, int points)
{
    QFont font(name);
    font.setPixelSize(static_cast<int>(std::lround(points * DotsPerInch / PointsPerInch)));
    return installed_face(font);
}

void DrawFlatMenuFrame(QPainter &painter, const QRect &window, const QColor &outer, const QColor &edge)
{
    const int l = window.left();
    const int t = window.top();
    const int r = window.left() + window.width(); // exclusive
    const int b = window.top() + window.height(); // exclusive
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(outer, 1));
    painter.drawRect(l, t + 1, r - 1 - l - 1, b - 1 - (t + 1) - 1);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(l + 1, t + 2, r - 2 - (l + 1) - 1, b - 2 - (t + 2) - 1);
    // The edge line as a polyline whose end points are left out: bottom row, right column, top row.
    painter.fillRect(QRect(QPoint(l, b - 1), QPoint(r - 2, b - 1)), edge);
    painter.fillRect(QRect(QPoint(r - 1, t + 1), QPoint(r - 1, b - 1)), edge);
    painter.fillRect(QRect(QPoint(l + 1, t), QPoint(r - 1, t)), edge);
    painter.restore();
}

void draw_transparent_image(QPainter &painter, int x, int y, const QImage &image, bool enabled,
                            const QColor &transparent)
{
    if (image.isNull())
        return;
    const QRgb key = (transparent.isValid() ? transparent : image.pixelColor(0, image.height() - 1)).rgb() & 0xFFFFFF;
    QImage picture = image.convertToFormat(QImage::Format_ARGB32);
    for (int row = 0; row < picture.height(); ++row) {
        auto *line = reinterpret_cast<QRgb *>(picture.scanLine(row));
        for (int column = 0; column < picture.width(); ++column) {
            const QRgb pixel = line[column];
            if ((pixel & 0xFFFFFF) == key) {
                line[column] = qRgba(0, 0, 0, 0);
            } else if (!enabled) {
                const int grey = qMin(255, qGray(pixel) + GreyLift);
                line[column] = qRgba(grey, grey, grey, qAlpha(pixel));
            }
        }
    }
    painter.drawImage(x, y, picture);
}
