#include "control_bitmaps.h"

#include <QLinearGradient>
#include <QPainterPath>

using paint::Gloss;
using paint::Symbol;

namespace controls {

namespace {

constexpr int DisabledFade = 55; // percent of the way toward the background for disabled frames

// The state glosses of a three-state strip.
const Gloss &StateGloss(const StylePalette &s, int state)
{
    return state == 0 ? s.button : state == 1 ? s.hover : s.pressed;
}

QColor Faded(const QColor &color, const QColor &background)
{
    return paint::Mix(color, background, DisabledFade / 100.0);
}

// A vertical gradient over the whole image; used by one-pixel-wide strips.
QImage VerticalGradient(QSize size, const QColor &top, const QColor &middle, const QColor &bottom)
{
    QImage canvas = paint::NewCanvas(size.width(), size.height());
    QPainter p(&canvas);
    QLinearGradient g(0, 0, 0, size.height());
    g.setColorAt(0, top);
    g.setColorAt(0.5, middle);
    g.setColorAt(1, bottom);
    p.fillRect(QRect(QPoint(), size), g);
    return canvas;
}

} // namespace

QImage Button(const StylePalette &s, QSize size)
{
    const int frameWidth = size.width() / 3;
    const QImage canvas = paint::Strip(frameWidth, size.height(), 3, [&](QPainter &p, const QRect &r, int i) {
        paint::GlossyRoundRect(p, QRectF(r).adjusted(0, 0, 0, -1), s.buttonRadius, StateGloss(s, i));
        if (i == 1 && !s.buttonTransparent) {
            // A warm inner ring on hover, as flat styles show focus of the pointer.
            p.setPen(QPen(paint::Mix(s.hover.border, Qt::white, 0.4), 1));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(QRectF(r).adjusted(1.5, 1.5, -1.5, -2.5), s.buttonRadius - 1, s.buttonRadius - 1);
        }
    });
    return s.buttonTransparent ? paint::FlattenKeyed(canvas, s.controlBackground)
                               : paint::Flatten(canvas, s.controlBackground);
}

static void DrawBox(QPainter &p, const QRectF &box, const StylePalette &s, bool checked, bool disabled,
                    bool round, const QColor &background)
{
    Gloss g{s.boxBorder, s.boxTop, s.boxBottom, 120};
    QColor mark = s.mark;
    if (disabled) {
        g = Gloss{Faded(g.border, background), Faded(g.top, background), Faded(g.bottom, background), 0};
        mark = Faded(mark, background);
    }
    if (round)
        paint::GlossyEllipse(p, box, g);
    else
        paint::GlossyRoundRect(p, box, box.width() > 12 ? 3 : 1.5, g);
    if (checked)
        paint::DrawSymbol(p, box.adjusted(1, 1, -1, -1), round ? Symbol::Dot : Symbol::Check, mark,
                          box.width() > 12 ? 2.0 : 1.6);
}

// Four frames: checked, unchecked, checked disabled, unchecked disabled.
static QImage SelectionStrip(const StylePalette &s, QSize size, bool round, bool keyed)
{
    const int frameWidth = size.width() / 4;
    const int boxSize = std::min(frameWidth, size.height()) - (size.height() > 13 ? 2 : 0);
    const QImage canvas = paint::Strip(frameWidth, size.height(), 4, [&](QPainter &p, const QRect &r, int i) {
        const QRectF box(r.left() + (frameWidth - boxSize) / 2, (size.height() - boxSize) / 2, boxSize, boxSize);
        DrawBox(p, box, s, i % 2 == 0, i >= 2, round, s.controlBackground);
    });
    return keyed ? paint::FlattenKeyed(canvas, s.controlBackground) : paint::Flatten(canvas, s.controlBackground);
}

QImage CheckBox(const StylePalette &s, QSize size)
{
    return SelectionStrip(s, size, false, false);
}

QImage RadioButton(const StylePalette &s, QSize size)
{
    return SelectionStrip(s, size, true, true);
}

QImage CheckList(const StylePalette &s, QSize size)
{
    return SelectionStrip(s, size, false, false);
}

QImage ProgressBar(const StylePalette &s, QSize size)
{
    QImage canvas = VerticalGradient(size, s.accent.lighter(160), s.accent.lighter(115), s.accent);
    QPainter p(&canvas);
    if (size.width() >= 6) {
        // Block styles leave a gap between tiles; the wide tile carries a diagonal stripe.
        if (size.width() < 10)
            p.fillRect(QRect(size.width() - 2, 0, 2, size.height()), s.controlBackground);
        else {
            paint::Smooth(p);
            p.setPen(QPen(QColor(255, 255, 255, 90), 3));
            p.drawLine(QPointF(0, size.height()), QPointF(size.width() * 0.7, 0));
        }
    }
    return paint::Flatten(canvas, s.controlBackground);
}

QImage TrackBarBar(const StylePalette &s, QSize size)
{
    QImage canvas = paint::NewCanvas(size.width(), size.height());
    QPainter p(&canvas);
    paint::Smooth(p);
    const Gloss groove{s.boxBorder, s.boxBottom.darker(115), s.boxTop, 0};
    paint::GlossyRoundRect(p, QRectF(QRect(QPoint(), size)), size.height() / 2.0, groove);
    return paint::Flatten(canvas, s.controlBackground);
}

QImage TrackBarSlider(const StylePalette &s, QSize size, bool vertical)
{
    QImage canvas = paint::NewCanvas(size.width(), size.height());
    QPainter p(&canvas);
    paint::Smooth(p);
    // A thumb with a pointed end towards the scale.
    QPainterPath thumb;
    const qreal w = size.width(), h = size.height();
    if (!vertical) {
        const qreal tip = w / 2 + 1;
        thumb.moveTo(0.5, 0.5);
        thumb.lineTo(w - 0.5, 0.5);
        thumb.lineTo(w - 0.5, h - tip);
        thumb.lineTo(w / 2, h - 0.5);
        thumb.lineTo(0.5, h - tip);
    } else {
        const qreal tip = h / 2 + 1;
        thumb.moveTo(0.5, 0.5);
        thumb.lineTo(w - tip, 0.5);
        thumb.lineTo(w - 0.5, h / 2);
        thumb.lineTo(w - tip, h - 0.5);
        thumb.lineTo(0.5, h - 0.5);
    }
    thumb.closeSubpath();
    QLinearGradient face(0, 0, vertical ? 0 : w, vertical ? h : 0);
    face.setColorAt(0, s.button.top);
    face.setColorAt(1, s.button.bottom);
    p.fillPath(thumb, face);
    p.setPen(QPen(s.button.border, 1));
    p.drawPath(thumb);
    return paint::FlattenKeyed(canvas, s.controlBackground);
}

QImage ScrollBarButton(const StylePalette &s, QSize size)
{
    const int frameWidth = size.width() / 6;
    const QImage canvas = paint::Strip(frameWidth, size.height(), 6, [&](QPainter &p, const QRect &r, int i) {
        const QRectF face = QRectF(r).adjusted(0, 0, 0, 0);
        paint::GlossyRoundRect(p, face, 2, StateGloss(s, i % 3));
        paint::DrawSymbol(p, face, i < 3 ? Symbol::ArrowUp : Symbol::ArrowDown, s.mark, 1);
    });
    return paint::Flatten(canvas, s.controlBackground);
}

QImage ScrollBarTrack(const StylePalette &s, QSize size)
{
    const int frameWidth = size.width() / 3;
    const QImage canvas = paint::Strip(frameWidth, size.height(), 3, [&](QPainter &p, const QRect &r, int i) {
        paint::GlossyRoundRect(p, QRectF(r), 3, StateGloss(s, i));
    });
    return paint::Flatten(canvas, s.controlBackground);
}

QImage ScrollButton(const StylePalette &s, QSize size)
{
    const int frameWidth = size.width() / 4;
    const QImage canvas = paint::Strip(frameWidth, size.height(), 4, [&](QPainter &p, const QRect &r, int i) {
        paint::GlossyRoundRect(p, QRectF(r).adjusted(1, 1, -1, -1), 3, StateGloss(s, i % 2));
        paint::DrawSymbol(p, QRectF(r), i < 2 ? Symbol::ArrowLeft : Symbol::ArrowRight, s.mark, 1);
    });
    return paint::Flatten(canvas, s.controlBackground);
}

QImage Tab(const StylePalette &s, QSize size)
{
    const int frameWidth = size.width() / 3;
    const QImage canvas = paint::Strip(frameWidth, size.height(), 3, [&](QPainter &p, const QRect &r, int i) {
        // Rounded on top only: extend the shape below the frame so the lower corners are cut off.
        const QRectF shape = QRectF(r).adjusted(0, i == 2 ? 0 : 2, 0, 4);
        const Gloss g = i == 2 ? Gloss{s.boxBorder, s.controlBackground.lighter(108), s.controlBackground, 0}
                               : StateGloss(s, i);
        paint::GlossyRoundRect(p, shape, std::min(4, frameWidth / 2), g);
    });
    return paint::Flatten(canvas, s.controlBackground);
}

QImage TabLine(const StylePalette &s, QSize size)
{
    QImage canvas = VerticalGradient(size, s.boxBorder, s.controlBackground, s.controlBackground);
    return paint::Flatten(canvas, s.controlBackground);
}

QImage SideChannelHandle(const StylePalette &s, QSize size)
{
    QImage canvas = paint::NewCanvas(size.width(), size.height());
    QPainter p(&canvas);
    paint::Smooth(p);
    QLinearGradient g(0, 0, size.width(), 0);
    g.setColorAt(0, s.titleTop);
    g.setColorAt(1, s.titleBottom);
    p.setPen(QPen(s.titleEdge, 1));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(QRect(QPoint(), size)).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    // Grip dots in the middle.
    p.setPen(Qt::NoPen);
    p.setBrush(s.titleGlyph);
    for (int k = -2; k <= 2; ++k)
        p.drawEllipse(QPointF(size.width() / 2.0, size.height() / 2.0 + k * 4), 1, 1);
    return paint::Flatten(canvas, s.controlBackground);
}

QImage SideChannelBar(const StylePalette &s, QSize size)
{
    // The caption bar of a panel: light enough for the caption colour each style uses.
    const bool darkText = s.prefix == QLatin1String("MACOS") || s.prefix == QLatin1String("WINXP");
    const QColor top = darkText ? s.button.top : s.titleTop;
    const QColor bottom = darkText ? s.button.bottom : s.titleBottom;
    QImage canvas = VerticalGradient(size, top, paint::Mix(top, bottom, 0.45), bottom);
    QPainter p(&canvas);
    p.fillRect(QRect(0, size.height() - 1, size.width(), 1), darkText ? s.button.border : s.titleEdge);
    p.fillRect(QRect(0, 0, size.width(), 1), top.lighter(110));
    return paint::Flatten(canvas, s.controlBackground);
}

QImage ComboBoxButton(const StylePalette &s, QSize size)
{
    QImage canvas = paint::NewCanvas(size.width(), size.height());
    QPainter p(&canvas);
    paint::Smooth(p);
    if (s.prefix == QLatin1String("WINXP")) {
        // The control draws no arrow over this style's button, so the picture carries one.
        const Gloss blue{QColor(0xB1C4F0), QColor(0xC8D8FC), QColor(0x8EAEF2), 70};
        paint::GlossyRoundRect(p, QRectF(QRect(QPoint(), size)), 2, blue);
        paint::DrawSymbol(p, QRectF(QRect(QPoint(), size)), Symbol::ArrowDown, QColor(0x4D6185), 1);
    } else {
        paint::GlossyRoundRect(p, QRectF(QRect(QPoint(), size)), 2, s.button);
    }
    return paint::Flatten(canvas, s.controlBackground);
}

} // namespace controls
