// Nine-slice geometry and drawing, checked slice by slice against the two frames the windows
// use most: an 84 x 23 MacOS frame on an 80 x 22 button and a 77 x 27 BlueGlass frame on a
// 33 x 27 tool button.
#include "skin/paint/draw_nine_slice.h"
#include "skin/paint/nine_slice_layout.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

using P = NineSlicePart;

const NineSlicePiece &Piece(const NineSliceLayout &layout, NineSlicePart part)
{
    return layout[static_cast<std::size_t>(part)];
}

// Size and place of a rectangle, as the tables give them.
SliceRect At(int x, int y, int w, int h)
{
    return {x, y, x + w, y + h};
}

// A frame whose every pixel names its own coordinates, so a drawn pixel tells where it came from.
QImage CoordinateFrame(int w, int h)
{
    QImage frame(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            frame.setPixel(x, y, qRgb(x, y, 0x40));
    return frame;
}

constexpr QRgb Untouched = 0xFF123456;

QImage Draw(const QImage &frame, int w, int h, bool transparent)
{
    QImage canvas(w, h, QImage::Format_ARGB32);
    canvas.fill(Untouched);
    QPainter painter(&canvas);
    DrawNineSlice(frame, painter, QRect(0, 0, w, h), transparent);
    return canvas;
}

// Source column and row of a drawn pixel of a coordinate frame.
QPoint SourceOf(const QImage &canvas, int x, int y)
{
    const QRgb c = canvas.pixel(x, y);
    return QPoint(qRed(c), qGreen(c));
}

} // namespace

TEST(NineSliceLayout, MacOsFrameOnAnEightyByTwentyTwoButton)
{
    const NineSliceLayout l = LayoutNineSlice(84, 23, 80, 22);
    EXPECT_EQ(Piece(l, P::TopLeft).target, At(0, 0, 40, 11));
    EXPECT_EQ(Piece(l, P::TopLeft).source, At(0, 0, 40, 11));
    EXPECT_EQ(Piece(l, P::BottomLeft).target, At(0, 12, 40, 10));
    EXPECT_EQ(Piece(l, P::BottomLeft).source, At(0, 13, 40, 10));
    EXPECT_EQ(Piece(l, P::TopRight).target, At(41, 0, 39, 11));
    EXPECT_EQ(Piece(l, P::TopRight).source, At(45, 0, 39, 11));
    EXPECT_EQ(Piece(l, P::BottomRight).target, At(41, 12, 39, 10));
    EXPECT_EQ(Piece(l, P::BottomRight).source, At(45, 13, 39, 10));
    EXPECT_EQ(Piece(l, P::LeftEdge).target, At(0, 11, 40, 1));
    EXPECT_EQ(Piece(l, P::TopEdge).target, At(40, 0, 1, 11));
    EXPECT_TRUE(Piece(l, P::Centre).target.isEmpty());
    EXPECT_EQ(Piece(l, P::BottomEdge).target, At(39, 11, 2, 11));
}

TEST(NineSliceLayout, BlueGlassFrameOnAToolButton)
{
    const NineSliceLayout l = LayoutNineSlice(77, 27, 33, 27);
    EXPECT_EQ(Piece(l, P::TopLeft).source, At(0, 0, 16, 13));
    EXPECT_EQ(Piece(l, P::BottomLeft).source, At(0, 15, 16, 12));
    EXPECT_EQ(Piece(l, P::BottomLeft).target, At(0, 15, 16, 12));
    EXPECT_EQ(Piece(l, P::TopRight).source, At(62, 0, 15, 13));
    EXPECT_EQ(Piece(l, P::TopRight).target, At(18, 0, 15, 13));
    EXPECT_EQ(Piece(l, P::BottomRight).source, At(62, 15, 15, 12));
    EXPECT_EQ(Piece(l, P::BottomRight).target, At(18, 15, 15, 12));
    EXPECT_EQ(Piece(l, P::LeftEdge).target, At(0, 13, 16, 2));
    EXPECT_EQ(Piece(l, P::LeftEdge).source, At(0, 13, 16, 1));
    EXPECT_EQ(Piece(l, P::RightEdge).target, At(18, 13, 15, 2));
    EXPECT_EQ(Piece(l, P::RightEdge).source, At(62, 14, 15, 1));
    EXPECT_EQ(Piece(l, P::TopEdge).target, At(16, 0, 2, 13));
    EXPECT_EQ(Piece(l, P::TopEdge).source, At(38, 0, 2, 13));
    EXPECT_EQ(Piece(l, P::Centre).target, At(16, 13, 2, 1));
    EXPECT_EQ(Piece(l, P::BottomEdge).target, At(15, 14, 3, 13));
    EXPECT_EQ(Piece(l, P::BottomEdge).source, At(38, 14, 2, 13));
}

TEST(DrawNineSlice, MacOsPixelsComeFromTheirSlices)
{
    const QImage canvas = Draw(CoordinateFrame(84, 23), 80, 22, false);
    EXPECT_EQ(SourceOf(canvas, 0, 0), QPoint(0, 0));
    EXPECT_EQ(SourceOf(canvas, 39, 10), QPoint(39, 10));
    EXPECT_EQ(SourceOf(canvas, 0, 21), QPoint(0, 22));   // BL keeps its bottom-left corner
    EXPECT_EQ(SourceOf(canvas, 38, 12), QPoint(38, 13)); // BL drawn from y 13 at y 12
    EXPECT_EQ(SourceOf(canvas, 41, 0), QPoint(45, 0));   // TR from x 45 at x 41
    EXPECT_EQ(SourceOf(canvas, 79, 21), QPoint(83, 22));
    EXPECT_EQ(SourceOf(canvas, 42, 13), QPoint(46, 14)); // BR
    EXPECT_EQ(SourceOf(canvas, 5, 11), QPoint(5, 11));   // left edge, row 11
    EXPECT_EQ(SourceOf(canvas, 40, 3), QPoint(42, 3));   // top edge, column m = 42
    // The bottom edge is drawn last, two columns wide from the single column 42, rows 12 to 22.
    for (int x : {39, 40}) {
        EXPECT_EQ(SourceOf(canvas, x, 11), QPoint(42, 12)) << x;
        EXPECT_EQ(SourceOf(canvas, x, 21), QPoint(42, 22)) << x;
    }
    for (int y = 0; y < 22; ++y)
        for (int x = 0; x < 80; ++x)
            ASSERT_NE(canvas.pixel(x, y), Untouched) << x << "," << y;
}

TEST(DrawNineSlice, BlueGlassPixelsComeFromTheirSlices)
{
    const QImage canvas = Draw(CoordinateFrame(77, 27), 33, 27, false);
    EXPECT_EQ(SourceOf(canvas, 15, 12), QPoint(15, 12));  // TL
    EXPECT_EQ(SourceOf(canvas, 0, 15), QPoint(0, 15));    // BL at y 15
    EXPECT_EQ(SourceOf(canvas, 18, 0), QPoint(62, 0));    // TR at x 18
    EXPECT_EQ(SourceOf(canvas, 32, 26), QPoint(76, 26));  // BR
    EXPECT_EQ(SourceOf(canvas, 3, 13), QPoint(3, 13));    // left edge from row 13, stretched
    EXPECT_EQ(SourceOf(canvas, 3, 14), QPoint(3, 13));
    EXPECT_EQ(SourceOf(canvas, 18, 13), QPoint(62, 14));  // right edge from row 14
    EXPECT_EQ(SourceOf(canvas, 32, 14), QPoint(76, 14));
    EXPECT_EQ(SourceOf(canvas, 16, 5), QPoint(38, 5));    // top edge, columns 38 and 39
    EXPECT_EQ(SourceOf(canvas, 17, 5), QPoint(39, 5));
    EXPECT_EQ(SourceOf(canvas, 16, 13), QPoint(38, 13));  // centre
    // Bottom edge: 3 x 13 at (15, 14) from rows 14 to 26 of columns 38 and 39.
    for (int y = 14; y < 27; ++y) {
        for (int x = 15; x < 18; ++x) {
            const QPoint source = SourceOf(canvas, x, y);
            EXPECT_TRUE(source.x() == 38 || source.x() == 39) << x << "," << y;
            EXPECT_EQ(source.y(), y) << x << "," << y;
        }
    }
}

TEST(DrawNineSlice, MagentaIsLeftOutOfEdgesAlwaysAndOfCornersOnlyWhenTransparent)
{
    QImage frame = CoordinateFrame(84, 23);
    frame.setPixel(0, 0, 0xFFFF00FF);  // a corner pixel
    frame.setPixel(42, 3, 0xFFFF00FF); // a top-edge pixel
    const QImage opaque = Draw(frame, 80, 22, false);
    const QImage transparent = Draw(frame, 80, 22, true);
    EXPECT_EQ(opaque.pixel(0, 0), 0xFFFF00FFu);
    EXPECT_EQ(transparent.pixel(0, 0), Untouched);
    EXPECT_EQ(opaque.pixel(40, 3), Untouched);
    EXPECT_EQ(transparent.pixel(40, 3), Untouched);
    EXPECT_EQ(SourceOf(transparent, 1, 0), QPoint(1, 0));
}

// The finer bitmaps of high-density screens: a frame with two pixels per design pixel is laid out
// in design pixels and cut and stretched in its own pixels, so every device pixel of its face
// comes from the slice that the 1x face takes that design pixel from (stretching may pick the
// neighbouring source column or row, being finer). Both frames the windows use most.
TEST(DrawNineSlice, AFrameAtTwiceTheDensityIsCutWhereItsDesignIs)
{
    struct Case {
        QSize frame;
        QSize face;
    };
    for (const Case c : {Case{{84, 23}, {80, 22}}, Case{{77, 27}, {33, 27}}}) {
        SCOPED_TRACE(c.frame.width());
        const QImage design = CoordinateFrame(c.frame.width(), c.frame.height());
        QImage fine = design.scaled(c.frame * 2);
        fine.setDevicePixelRatio(2);
        const QImage coarse = Draw(design, c.face.width(), c.face.height(), true);

        QImage canvas(c.face * 2, QImage::Format_ARGB32);
        canvas.setDevicePixelRatio(2);
        canvas.fill(Untouched);
        QPainter painter(&canvas);
        DrawNineSlice(fine, painter, QRect(QPoint(), c.face), true);
        painter.end();

        for (int y = 0; y < canvas.height(); ++y) {
            for (int x = 0; x < canvas.width(); ++x) {
                const QPoint here = SourceOf(canvas, x, y);
                const QPoint there = SourceOf(coarse, x / 2, y / 2);
                ASSERT_LE(std::abs(here.x() - there.x()), 1) << x << "," << y;
                ASSERT_LE(std::abs(here.y() - there.y()), 1) << x << "," << y;
            }
        }
    }
}
