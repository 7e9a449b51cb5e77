#include "title_bitmaps.h"

#include <QLinearGradient>
#include <QRadialGradient>

using paint::Gloss;
using paint::Symbol;

namespace titles {

namespace {

constexpr int TitleButtonFrames = 18;
constexpr int StatesPerButton = 3;
constexpr int JoinMargin = 3; // columns next to a join that carry no decoration

// The title's plain background: a vertical gradient with a glass highlight over the upper half.
void PaintTitleBase(QPainter &p, const StylePalette &s, int width, int height)
{
    QLinearGradient g(0, 0, 0, height);
    g.setColorAt(0, s.titleTop);
    g.setColorAt(0.5, s.titleMiddle);
    g.setColorAt(1, s.titleBottom);
    p.fillRect(QRect(0, 0, width, height), g);
    if (s.titleShine > 0) {
        QLinearGradient shine(0, 0, 0, height / 2.0);
        shine.setColorAt(0, QColor(255, 255, 255, s.titleShine));
        shine.setColorAt(1, QColor(255, 255, 255, s.titleShine / 4));
        p.fillRect(QRect(0, 1, width, height / 2), shine);
    }
    p.fillRect(QRect(0, 0, width, 1), s.titleTop.lighter(112));
    p.fillRect(QRect(0, height - 1, width, 1), s.titleEdge);
}

// A soft light that fades out within `reach` columns of x = centreX.
void PaintGlow(QPainter &p, qreal centreX, qreal reach, int height, int alpha)
{
    if (reach <= 0)
        return;
    QRadialGradient glow(QPointF(centreX, height * 0.2), reach);
    glow.setColorAt(0, QColor(255, 255, 255, alpha));
    glow.setColorAt(0.6, QColor(255, 255, 255, alpha / 4));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(QRect(0, 1, static_cast<int>(centreX + reach) + 1, height - 2), glow);
}

} // namespace

QImage TitleSection(const StylePalette &s, Section section, QSize left, QSize client, QSize right)
{
    const int height = left.height();
    const int total = left.width() + client.width() + right.width();
    QImage bar = paint::NewCanvas(total, height);
    {
        QPainter p(&bar);
        paint::Smooth(p);
        PaintTitleBase(p, s, total, height);
        // Decoration on the left piece only, ending before its last columns so the client joins.
        const qreal reach = std::min<qreal>(left.width() - JoinMargin, height * 3.0);
        PaintGlow(p, 0, reach, height, s.titleShine > 0 ? 110 : 150);
        if (left.width() > 4 * height) {
            // A wide left piece gets a sweeping accent line, fading out before the join.
            QLinearGradient fade(0, 0, left.width() - JoinMargin, 0);
            fade.setColorAt(0, QColor(255, 255, 255, 120));
            fade.setColorAt(1, QColor(255, 255, 255, 0));
            p.setPen(QPen(QBrush(fade), 2));
            p.drawLine(QPointF(0, height * 0.78), QPointF(left.width() - JoinMargin, height * 0.3));
        }
    }

    QRect cut;
    switch (section) {
    case Section::Left:
        cut = QRect(0, 0, left.width(), height);
        break;
    case Section::Client:
        cut = QRect(left.width(), 0, client.width(), height);
        break;
    case Section::Right:
        cut = QRect(left.width() + client.width(), 0, right.width(), height);
        break;
    }
    const int ratio = paint::PixelRatio();
    return paint::Flatten(bar.copy(QRect(cut.topLeft() * ratio, cut.size() * ratio)), s.titleBottom);
}

QImage TitleButtons(const StylePalette &s, QSize size, int buttonTop, int titleHeight)
{
    const int frameWidth = size.width() / TitleButtonFrames;
    const int height = size.height();

    // Opaque buttons stand on the title: draw the rows of the title they cover behind them.
    QImage background = paint::NewCanvas(size.width(), titleHeight);
    if (!s.titleButtonTransparent) {
        QPainter p(&background);
        PaintTitleBase(p, s, size.width(), titleHeight);
    }

    static constexpr Symbol Symbols[] = {Symbol::Menu,     Symbol::Help,     Symbol::Maximize,
                                         Symbol::Restore,  Symbol::Minimize, Symbol::Close};
    QImage canvas = paint::Strip(frameWidth, height, TitleButtonFrames, [&](QPainter &p, const QRect &r, int i) {
        const int ratio = paint::PixelRatio();
        p.drawImage(QRect(r.topLeft(), QSize(r.width(), height)), background,
                    QRect(r.left() * ratio, buttonTop * ratio, r.width() * ratio, height * ratio));
        const int kind = i / StatesPerButton;
        const int state = i % StatesPerButton;
        Gloss g = s.titleButton;
        if (Symbols[kind] == Symbol::Close)
            g = Gloss{g.border, s.closeTint.lighter(135), s.closeTint, g.shine};
        if (state == 1)
            g = paint::Lighter(g, 118);
        else if (state == 2)
            g = paint::Darker(g, 125);
        const QRectF face = QRectF(r).adjusted(0, 0, -1, -1);
        if (s.roundTitleButtons)
            paint::GlossyEllipse(p, face, g);
        else
            paint::GlossyRoundRect(p, face, 3, g);
        paint::DrawSymbol(p, face.translated(state == 2 ? 0.5 : 0, state == 2 ? 0.5 : 0), Symbols[kind], s.titleGlyph,
                          frameWidth > 18 ? 2.0 : 1.5);
    });
    return s.titleButtonTransparent ? paint::FlattenKeyed(canvas, s.titleMiddle) : paint::Flatten(canvas, s.titleMiddle);
}

QImage MacMenuBar(QSize size)
{
    QImage canvas = paint::NewCanvas(size.width(), size.height());
    QPainter p(&canvas);
    QLinearGradient g(0, 0, 0, size.height());
    g.setColorAt(0, QColor(0xFAFAFB));
    g.setColorAt(0.5, QColor(0xEEEFF2));
    g.setColorAt(1, QColor(0xDDE0E6));
    p.fillRect(QRect(QPoint(), size), g);
    p.fillRect(QRect(0, size.height() - 1, size.width(), 1), QColor(0xB7BCC6));
    return paint::Flatten(canvas, Qt::white);
}

QImage MacMenuSelect(QSize size)
{
    QImage canvas = paint::NewCanvas(size.width(), size.height());
    QPainter p(&canvas);
    QLinearGradient g(0, 0, 0, size.height());
    g.setColorAt(0, QColor(0x7FA8E6));
    g.setColorAt(0.49, QColor(0x4E86D4));
    g.setColorAt(0.5, QColor(0x3973C4));
    g.setColorAt(1, QColor(0x2E63B0));
    p.fillRect(QRect(QPoint(), size), g);
    return paint::Flatten(canvas, Qt::white);
}

QImage MacFormBackground(QSize size)
{
    // Faint horizontal pinstripes around the style's #E7E7E7; the finer set shades their edges.
    QImage image = paint::NewOpaqueCanvas(size);
    const int ratio = paint::PixelRatio();
    for (int y = 0; y < image.height(); ++y) {
        const int row = y / ratio;
        const bool light = (row / 2) % 2 == 1;
        const bool edge = ratio > 1 && (y == row * ratio) && (row % 2 == 0);
        const QRgb rgb = light ? qRgb(0xEB, 0xEB, 0xEB) : edge ? qRgb(0xE9, 0xE9, 0xE9) : qRgb(0xE7, 0xE7, 0xE7);
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, rgb);
    }
    return image;
}

QImage ProteinFormBackground(QSize size)
{
    // A sparse dot grid on the style's #FBFBFB.
    QImage image = paint::NewOpaqueCanvas(size);
    image.fill(qRgb(0xFB, 0xFB, 0xFB));
    const QColor dot(0xEE, 0xEF, 0xF7);
    const QPoint dots[] = {QPoint(0, 0), QPoint(size.width() / 2, size.height() / 2)};
    if (paint::PixelRatio() == 1) {
        for (const QPoint at : dots)
            image.setPixel(at, dot.rgb());
        return image;
    }
    // Round dots where the finer pixels allow it.
    QPainter p(&image);
    paint::Smooth(p);
    p.setPen(Qt::NoPen);
    p.setBrush(dot);
    for (const QPoint at : dots)
        p.drawEllipse(QRectF(at, QSizeF(1, 1)));
    return image;
}

} // namespace titles
