#include "paint_kit.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <algorithm>

namespace paint {

namespace {
constexpr int KeyAlphaThreshold = 96;
int Ratio = 1;
} // namespace

void SetPixelRatio(int ratio)
{
    Ratio = ratio;
}

int PixelRatio()
{
    return Ratio;
}

QImage NewCanvas(int width, int height)
{
    QImage image(width * Ratio, height * Ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(Ratio);
    image.fill(Qt::transparent);
    return image;
}

QImage NewOpaqueCanvas(QSize size)
{
    QImage image(size * Ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(Ratio);
    return image;
}

void Smooth(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
}

QImage Flatten(const QImage &canvas, const QColor &background)
{
    QImage out(canvas.size(), QImage::Format_RGB32);
    out.setDevicePixelRatio(canvas.devicePixelRatio());
    out.fill(background);
    QPainter p(&out);
    p.drawImage(0, 0, canvas);
    return out;
}

QImage FlattenKeyed(const QImage &canvas, const QColor &expectedBackground)
{
    QImage out = Flatten(canvas, expectedBackground);
    const QImage source = canvas.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if (qAlpha(in[x]) < KeyAlphaThreshold)
                line[x] = Magenta.rgb();
        }
    }
    return out;
}

QColor Mix(const QColor &a, const QColor &b, qreal t)
{
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t));
}

static void FillGloss(QPainter &p, const QPainterPath &shape, const QRectF &rect, const Gloss &gloss)
{
    QLinearGradient face(rect.topLeft(), rect.bottomLeft());
    face.setColorAt(0, gloss.top);
    face.setColorAt(0.5, Mix(gloss.top, gloss.bottom, 0.35));
    face.setColorAt(0.51, Mix(gloss.top, gloss.bottom, 0.75));
    face.setColorAt(1, gloss.bottom);
    p.fillPath(shape, face);

    if (gloss.shine > 0) {
        QRectF upper = rect.adjusted(1.5, 1.2, -1.5, 0);
        upper.setHeight(rect.height() * 0.48);
        QPainterPath highlight;
        const qreal radius = std::min(upper.height(), upper.width()) / 2;
        highlight.addRoundedRect(upper, radius, radius);
        QLinearGradient shine(upper.topLeft(), upper.bottomLeft());
        shine.setColorAt(0, QColor(255, 255, 255, gloss.shine));
        shine.setColorAt(1, QColor(255, 255, 255, gloss.shine / 5));
        p.fillPath(highlight.intersected(shape), shine);
    }
    p.setPen(QPen(gloss.border, 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
}

void GlossyRoundRect(QPainter &p, const QRectF &rect, qreal radius, const Gloss &gloss)
{
    QPainterPath shape;
    shape.addRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    FillGloss(p, shape, rect, gloss);
}

void GlossyEllipse(QPainter &p, const QRectF &rect, const Gloss &gloss)
{
    QPainterPath shape;
    shape.addEllipse(rect.adjusted(0.5, 0.5, -0.5, -0.5));
    FillGloss(p, shape, rect, gloss);
}

Gloss Lighter(const Gloss &gloss, int factor)
{
    return Gloss{gloss.border, gloss.top.lighter(factor), gloss.bottom.lighter(factor), gloss.shine};
}

Gloss Darker(const Gloss &gloss, int factor)
{
    return Gloss{gloss.border.darker(factor), gloss.top.darker(factor), gloss.bottom.darker(factor), gloss.shine / 3};
}

QImage Strip(int frameWidth, int height, int frames, const std::function<void(QPainter &, const QRect &, int)> &frame)
{
    QImage canvas = NewCanvas(frameWidth * frames, height);
    QPainter p(&canvas);
    Smooth(p);
    for (int i = 0; i < frames; ++i) {
        const QRect rect(i * frameWidth, 0, frameWidth, height);
        p.save();
        p.setClipRect(rect);
        frame(p, rect, i);
        p.restore();
    }
    return canvas;
}

void DrawSymbol(QPainter &p, const QRectF &r, Symbol symbol, const QColor &color, qreal weight)
{
    p.save();
    QPen pen(color, weight, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const QPointF c = r.center();
    const qreal s = std::min(r.width(), r.height());
    const qreal h = s * 0.28; // half extent of most symbols
    switch (symbol) {
    case Symbol::Menu:
        p.setPen(Qt::NoPen);
        p.setBrush(color);
        p.drawRect(QRectF(c.x() - h, c.y() - h, 2 * h, 2 * h * 0.35));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(color, weight * 0.8));
        p.drawRect(QRectF(c.x() - h, c.y() - h, 2 * h, 2 * h));
        break;
    case Symbol::Help: {
        QPainterPath q;
        q.moveTo(c.x() - h * 0.8, c.y() - h * 0.45);
        q.cubicTo(c.x() - h * 0.8, c.y() - h * 1.25, c.x() + h * 0.9, c.y() - h * 1.25, c.x() + h * 0.8, c.y() - h * 0.4);
        q.cubicTo(c.x() + h * 0.7, c.y() + h * 0.1, c.x(), c.y() - h * 0.05, c.x(), c.y() + h * 0.45);
        p.drawPath(q);
        p.setPen(Qt::NoPen);
        p.setBrush(color);
        p.drawEllipse(QPointF(c.x(), c.y() + h * 1.0), weight * 0.6, weight * 0.6);
        break;
    }
    case Symbol::Maximize:
        p.drawRect(QRectF(c.x() - h, c.y() - h, 2 * h, 2 * h));
        p.drawLine(QPointF(c.x() - h, c.y() - h + weight * 0.6), QPointF(c.x() + h, c.y() - h + weight * 0.6));
        break;
    case Symbol::Restore:
        p.drawRect(QRectF(c.x() - h * 0.4, c.y() - h, h * 1.4, h * 1.4));
        p.drawRect(QRectF(c.x() - h, c.y() - h * 0.4, h * 1.4, h * 1.4));
        break;
    case Symbol::Minimize:
        p.drawLine(QPointF(c.x() - h, c.y() + h * 0.7), QPointF(c.x() + h, c.y() + h * 0.7));
        break;
    case Symbol::Close:
        p.drawLine(QPointF(c.x() - h, c.y() - h), QPointF(c.x() + h, c.y() + h));
        p.drawLine(QPointF(c.x() + h, c.y() - h), QPointF(c.x() - h, c.y() + h));
        break;
    case Symbol::ArrowUp:
    case Symbol::ArrowDown:
    case Symbol::ArrowLeft:
    case Symbol::ArrowRight: {
        QPolygonF tri;
        const qreal a = h * 0.9;
        if (symbol == Symbol::ArrowUp)
            tri << QPointF(c.x() - a, c.y() + a * 0.5) << QPointF(c.x() + a, c.y() + a * 0.5) << QPointF(c.x(), c.y() - a * 0.6);
        else if (symbol == Symbol::ArrowDown)
            tri << QPointF(c.x() - a, c.y() - a * 0.5) << QPointF(c.x() + a, c.y() - a * 0.5) << QPointF(c.x(), c.y() + a * 0.6);
        else if (symbol == Symbol::ArrowLeft)
            tri << QPointF(c.x() + a * 0.5, c.y() - a) << QPointF(c.x() + a * 0.5, c.y() + a) << QPointF(c.x() - a * 0.6, c.y());
        else
            tri << QPointF(c.x() - a * 0.5, c.y() - a) << QPointF(c.x() - a * 0.5, c.y() + a) << QPointF(c.x() + a * 0.6, c.y());
        p.setPen(Qt::NoPen);
        p.setBrush(color);
        p.drawPolygon(tri);
        break;
    }
    case Symbol::Check: {
        QPainterPath check;
        check.moveTo(c.x() - h * 1.1, c.y() + h * 0.05);
        check.lineTo(c.x() - h * 0.3, c.y() + h * 0.9);
        check.lineTo(c.x() + h * 1.2, c.y() - h * 1.0);
        p.drawPath(check);
        break;
    }
    case Symbol::Dot:
        p.setPen(Qt::NoPen);
        p.setBrush(color);
        p.drawEllipse(c, h * 0.9, h * 0.9);
        break;
    }
    p.restore();
}

} // namespace paint
