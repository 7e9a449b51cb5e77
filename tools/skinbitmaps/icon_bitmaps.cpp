#include "icon_bitmaps.h"

#include "paint_kit.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <array>

using paint::Gloss;
using paint::Symbol;

namespace icons {

namespace {

constexpr int MessageFrames = 4;
const QColor DialogBackground(0xE7, 0xE7, 0xE7);

// The classic 16-colour set the tool-bar glyphs are limited to.
enum Vga : QRgb {
    Black = 0xFF000000, Maroon = 0xFF800000, Green = 0xFF008000, Olive = 0xFF808000,
    Navy = 0xFF000080, Purple = 0xFF800080, Teal = 0xFF008080, Silver = 0xFFC0C0C0,
    Grey = 0xFF808080, Red = 0xFFFF0000, Lime = 0xFF00FF00, Yellow = 0xFFFFFF00,
    Blue = 0xFF0000FF, Fuchsia = 0xFFFF00FF, Aqua = 0xFF00FFFF, White = 0xFFFFFFFF,
};
const QList<QRgb> VgaColors{Black, Maroon, Green, Olive, Navy, Purple, Teal, Silver,
                            Grey,  Red,    Lime,  Yellow, Blue, Fuchsia, Aqua, White};

void DrawMessageIcon(QPainter &p, const QRectF &r, int kind)
{
    const QRectF body = r.adjusted(3, 3, -3, -3);
    const QColor ink = kind == 0 ? QColor(0x202020) : QColor(Qt::white);
    if (kind == 0) {
        QPainterPath triangle;
        triangle.moveTo(body.center().x(), body.top());
        triangle.lineTo(body.right(), body.bottom() - 2);
        triangle.lineTo(body.left(), body.bottom() - 2);
        triangle.closeSubpath();
        QLinearGradient g(body.topLeft(), body.bottomLeft());
        g.setColorAt(0, QColor(0xFFE680));
        g.setColorAt(1, QColor(0xF2B500));
        p.setPen(QPen(QColor(0x9A6B00), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(g);
        p.drawPath(triangle);
        p.setPen(QPen(ink, 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(body.center().x(), body.top() + 12), QPointF(body.center().x(), body.top() + 23));
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawEllipse(QPointF(body.center().x(), body.top() + 29), 2.3, 2.3);
        return;
    }
    const QColor base = kind == 1 ? QColor(0xD42A2A) : QColor(0x2F6FD0);
    paint::GlossyEllipse(p, body, Gloss{base.darker(150), base.lighter(140), base, 150});
    const QRectF inner = body.adjusted(6, 6, -6, -6);
    if (kind == 1) {
        paint::DrawSymbol(p, inner, Symbol::Close, ink, 4.5);
    } else if (kind == 2) {
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawEllipse(QPointF(inner.center().x(), inner.top() + 3), 2.6, 2.6);
        p.drawRoundedRect(QRectF(inner.center().x() - 2.3, inner.top() + 8, 4.6, 16), 1.5, 1.5);
    } else {
        paint::DrawSymbol(p, inner.adjusted(-2, 0, 2, 0), Symbol::Help, ink, 4);
    }
}

} // namespace

QImage MessageIcons(QSize size)
{
    const int frameWidth = size.width() / MessageFrames;
    const QImage canvas = paint::Strip(frameWidth, size.height(), MessageFrames,
                                       [&](QPainter &p, const QRect &r, int i) { DrawMessageIcon(p, QRectF(r), i); });
    return paint::Flatten(canvas, DialogBackground);
}

QImage AppIcon(int size)
{
    QImage image = paint::NewCanvas(size, size);
    QPainter p(&image);
    paint::Smooth(p);
    p.scale(size / 32.0, size / 32.0);

    // The chip: a dark package with pins on both long sides.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xB8BEC8));
    for (int i = 0; i < 5; ++i) {
        p.drawRect(QRectF(7 + i * 4, 9, 2, 3));
        p.drawRect(QRectF(7 + i * 4, 27, 2, 3));
    }
    paint::GlossyRoundRect(p, QRectF(4, 11, 24, 17), 2, Gloss{QColor(0x111318), QColor(0x4A505C), QColor(0x23262D), 60});
    p.setBrush(QColor(0x6B717D));
    p.drawEllipse(QPointF(8, 24), 1.4, 1.4);

    // The quill: a cream feather crossing the chip, its nib writing on the package.
    QPainterPath feather;
    feather.moveTo(30, 1);
    feather.cubicTo(22, 2, 15, 10, 12, 20);
    feather.lineTo(14.5, 21);
    feather.cubicTo(20, 14, 26, 9, 30, 1);
    QLinearGradient vane(30, 1, 12, 20);
    vane.setColorAt(0, QColor(0xFFFFFF));
    vane.setColorAt(1, QColor(0xE8D9B0));
    p.setPen(QPen(QColor(0x8A7440), 0.8));
    p.setBrush(vane);
    p.drawPath(feather);
    p.setPen(QPen(QColor(0x8A7440), 1, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(28, 3), QPointF(13, 20.5));
    p.setPen(QPen(QColor(0x1E5BC6), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(13, 20.5), QPointF(10.5, 24));
    return image;
}

namespace {

constexpr int GlyphSide = 16;

uint IndexOf(QRgb color)
{
    return static_cast<uint>(VgaColors.indexOf(color));
}

// Fills design pixels: each is ratio x ratio pixels of the glyph.
void Fill(QImage &image, int x, int y, int w, int h, QRgb color)
{
    const int ratio = image.width() / GlyphSide;
    for (int yy = y * ratio; yy < (y + h) * ratio; ++yy)
        for (int xx = x * ratio; xx < (x + w) * ratio; ++xx)
            image.setPixel(xx, yy, IndexOf(color));
}

// The same colour one step lighter and darker within the 16 colours (never magenta, the
// transparent colour).
QRgb LighterVga(QRgb c)
{
    switch (c) {
    case Black: return Grey;
    case Maroon: return Red;
    case Green: return Lime;
    case Olive: return Yellow;
    case Navy: return Blue;
    case Teal: return Aqua;
    case Grey: return Silver;
    case Silver: case Yellow: case Aqua: return White;
    case Blue: return Aqua;
    default: return c;
    }
}

QRgb DarkerVga(QRgb c)
{
    switch (c) {
    case Maroon: case Green: case Olive: case Navy: case Grey: return Black;
    case Teal: case Blue: return Navy;
    case Silver: return Grey;
    case Red: return Maroon;
    case Lime: return Green;
    case Yellow: return Olive;
    case Aqua: return Teal;
    case White: return Silver;
    default: return c;
    }
}

// The finer glyphs give every shape a one-pixel relief, lit from the top left, where it meets
// another colour: detail the design's 16 x 16 pixels have no room for.
void ShadeShapeEdges(QImage &glyph)
{
    const int ratio = glyph.width() / GlyphSide;
    if (ratio < 2)
        return;
    const QImage design = glyph.copy();
    const auto cell = [&](int cx, int cy) -> QRgb {
        if (cx < 0 || cy < 0 || cx >= GlyphSide || cy >= GlyphSide)
            return Fuchsia;
        return design.color(design.pixelIndex(cx * ratio, cy * ratio));
    };
    for (int y = 0; y < glyph.height(); ++y) {
        for (int x = 0; x < glyph.width(); ++x) {
            const int cx = x / ratio, cy = y / ratio;
            const QRgb own = cell(cx, cy);
            if (own == Fuchsia)
                continue;
            const bool right = x % ratio == ratio - 1 && cell(cx + 1, cy) != own;
            const bool below = y % ratio == ratio - 1 && cell(cx, cy + 1) != own;
            const bool left = x % ratio == 0 && cell(cx - 1, cy) != own;
            const bool above = y % ratio == 0 && cell(cx, cy - 1) != own;
            if (right || below)
                glyph.setPixel(x, y, IndexOf(DarkerVga(own)));
            else if (left || above)
                glyph.setPixel(x, y, IndexOf(LighterVga(own)));
        }
    }
}

// An integrated circuit in the lower part of a glyph.
void PixelChip(QImage &g)
{
    for (int x = 4; x <= 11; x += 2) {
        Fill(g, x, 8, 1, 1, Silver);
        Fill(g, x, 15, 1, 1, Silver);
    }
    Fill(g, 2, 9, 12, 6, Black);
    Fill(g, 3, 9, 10, 1, Grey);
    Fill(g, 3, 13, 1, 1, Grey);
}

void PixelArrow(QImage &g, bool down, QRgb color)
{
    // Shaft and head of a vertical arrow above the chip.
    if (down) {
        Fill(g, 7, 0, 2, 4, color);
        Fill(g, 5, 4, 6, 1, color);
        Fill(g, 6, 5, 4, 1, color);
        Fill(g, 7, 6, 2, 1, color);
    } else {
        Fill(g, 7, 0, 2, 1, color);
        Fill(g, 6, 1, 4, 1, color);
        Fill(g, 5, 2, 6, 1, color);
        Fill(g, 7, 3, 2, 4, color);
    }
}

void PixelFlashMark(QImage &g)
{
    // A small lightning bolt on the package.
    Fill(g, 9, 10, 2, 1, Yellow);
    Fill(g, 8, 11, 2, 1, Yellow);
    Fill(g, 7, 12, 3, 1, Yellow);
    Fill(g, 8, 13, 1, 1, Yellow);
}

void PixelEepromMark(QImage &g)
{
    // The letter E on the package.
    Fill(g, 7, 10, 3, 1, Aqua);
    Fill(g, 7, 11, 1, 1, Aqua);
    Fill(g, 7, 12, 2, 1, Aqua);
    Fill(g, 7, 13, 1, 1, Aqua);
    Fill(g, 7, 14, 3, 1, Aqua);
}

void PixelFuse(QImage &g)
{
    // A cartridge fuse: metal caps, a glass body and the wire through it.
    Fill(g, 1, 5, 3, 6, Grey);
    Fill(g, 2, 5, 1, 6, Silver);
    Fill(g, 12, 5, 3, 6, Grey);
    Fill(g, 13, 5, 1, 6, Silver);
    Fill(g, 4, 6, 8, 4, Aqua);
    Fill(g, 4, 6, 8, 1, White);
    Fill(g, 4, 9, 8, 1, Teal);
    Fill(g, 4, 8, 2, 1, Black);
    Fill(g, 6, 7, 2, 1, Black);
    Fill(g, 8, 8, 2, 1, Black);
    Fill(g, 10, 7, 2, 1, Black);
    Fill(g, 0, 7, 1, 2, Grey);
    Fill(g, 15, 7, 1, 2, Grey);
    // Bit marks below: the three fuse bytes.
    Fill(g, 3, 12, 2, 2, Red);
    Fill(g, 7, 12, 2, 2, Lime);
    Fill(g, 11, 12, 2, 2, Red);
}

} // namespace

QImage ToolGlyph(Glyph glyph)
{
    const int ratio = paint::PixelRatio();
    QImage g(GlyphSide * ratio, GlyphSide * ratio, QImage::Format_Indexed8);
    g.setColorTable(VgaColors);
    g.fill(IndexOf(Fuchsia));
    switch (glyph) {
    case Glyph::ProgramFlash:
    case Glyph::ProgramEeprom:
    case Glyph::ReadFlash:
    case Glyph::ReadEeprom: {
        const bool program = glyph == Glyph::ProgramFlash || glyph == Glyph::ProgramEeprom;
        PixelChip(g);
        PixelArrow(g, program, program ? Red : Green);
        if (glyph == Glyph::ProgramFlash || glyph == Glyph::ReadFlash)
            PixelFlashMark(g);
        else
            PixelEepromMark(g);
        break;
    }
    case Glyph::Fuses:
        PixelFuse(g);
        break;
    }
    ShadeShapeEdges(g);
    g.setDevicePixelRatio(ratio);
    return g;
}

QImage MenuChecked(QSize size)
{
    QImage canvas = paint::NewCanvas(size.width(), size.height());
    QPainter p(&canvas);
    paint::Smooth(p);
    paint::DrawSymbol(p, QRectF(QRect(QPoint(), size)).adjusted(2, 2, -2, -2), Symbol::Check, Qt::black, 2);
    return paint::Flatten(canvas, Qt::white);
}

QImage MdiControlButton(QSize size)
{
    static constexpr Symbol Symbols[] = {Symbol::Minimize, Symbol::Restore, Symbol::Close};
    const int frameWidth = size.width() / 3;
    const Gloss face{QColor(0x6F7C92), QColor(0xF7F9FC), QColor(0xC3CCDA), 150};
    const QImage canvas = paint::Strip(frameWidth, size.height(), 3, [&](QPainter &p, const QRect &r, int i) {
        paint::GlossyRoundRect(p, QRectF(r).adjusted(1, 1, -1, -1), 2, face);
        paint::DrawSymbol(p, QRectF(r), Symbols[i], QColor(0x2C3648), 1.5);
    });
    return paint::Flatten(canvas, DialogBackground);
}

QImage PanelButton(QSize size)
{
    const int frameWidth = size.width() / 4;
    const Gloss face{QColor(0x6F7C92), QColor(0xF7F9FC), QColor(0xC3CCDA), 150};
    const QImage canvas = paint::Strip(frameWidth, size.height(), 4, [&](QPainter &p, const QRect &r, int i) {
        const bool hot = i % 2 == 1;
        paint::GlossyRoundRect(p, QRectF(r), 3, hot ? paint::Lighter(face, 108) : face);
        if (hot) {
            p.setPen(QPen(QColor(0x3973C4), 1));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
        }
        // Expanded panels offer to fold up, collapsed ones to open.
        paint::DrawSymbol(p, QRectF(r), i < 2 ? Symbol::ArrowUp : Symbol::ArrowDown, QColor(0x2C3648), 1);
    });
    return paint::Flatten(canvas, QColor(0xD9DEE6));
}

QImage SideChannelButton(QSize size)
{
    QImage canvas = paint::NewCanvas(size.width(), size.height());
    QPainter p(&canvas);
    paint::Smooth(p);
    paint::DrawSymbol(p, QRectF(QRect(QPoint(), size)), Symbol::ArrowRight, QColor(0x2C3648), 1);
    return paint::Flatten(canvas, DialogBackground);
}

QImage StatusBarHandle(QSize size)
{
    // Diagonal grip dots in the lower-right corner, each with a light shadow; round where the
    // finer pixels allow it.
    QImage image = paint::NewOpaqueCanvas(size);
    image.fill(DialogBackground);
    QPainter p(&image);
    paint::Smooth(p);
    p.setPen(Qt::NoPen);
    const bool round = paint::PixelRatio() > 1;
    const auto dot = [&](int x, int y, const QColor &colour) {
        p.setBrush(colour);
        if (round)
            p.drawEllipse(QRectF(x, y, 1, 1));
        else
            p.drawRect(QRect(x, y, 1, 1));
    };
    const int w = size.width(), h = size.height();
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col <= row; ++col) {
            const int x = w - 3 - (row - col) * 4 - 1;
            const int y = h - 3 - col * 4 - 1;
            if (x < 0 || y < 0)
                continue;
            dot(x, y, QColor(0x80, 0x80, 0x80));
            dot(x + 1, y + 1, QColor(0xFF, 0xFF, 0xFF));
        }
    }
    return image;
}

} // namespace icons
