// What the skinned push button draws: sizes per style, the glyph's place, the disabled caption,
// the face frame per state and the focus marks.
#include "button_probe.h"

#include "skin/button/tsui_button.h"
#include "skin/themes/style_bitmaps.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QSet>
#include <gtest/gtest.h>

using button_probe::Render;
using button_probe::Rgb;

namespace {

constexpr QRgb Green = 0x00FF00;

// A 16 x 16 glyph that is solid green except its top-left pixel, which names the transparent colour.
QPixmap GreenGlyph()
{
    QImage glyph(16, 16, QImage::Format_RGB32);
    glyph.fill(QColor::fromRgb(Green));
    glyph.setPixel(0, 0, 0xFFFF00FF);
    return QPixmap::fromImage(glyph);
}

// The smallest rectangle around the pixels of one exact colour; null when there are none.
QRect BoundsOf(const QImage &image, QRgb colour)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (Rgb(image, x, y) == colour)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

class ButtonLook : public ::testing::Test {
protected:
    ButtonLook()
    {
        window.resize(200, 100);
        window.setStyleSheet(QString());
        QPalette p = window.palette();
        p.setColor(QPalette::Window, Qt::white);
        window.setPalette(p);
    }
    QWidget window;
};

} // namespace

TEST_F(ButtonLook, AutoSizeTakesOneFrameOfTheStyleStrip)
{
    const struct {
        TsuiUIStyle style;
        QSize size;
    } cases[] = {
        {TsuiUIStyle::MacOS, {84, 23}},   {TsuiUIStyle::WinXP, {18, 21}},     {TsuiUIStyle::DeepBlue, {74, 21}},
        {TsuiUIStyle::Protein, {74, 21}}, {TsuiUIStyle::BlueGlass, {77, 27}}, {TsuiUIStyle::FromThemeFile, {24, 21}},
    };
    for (const auto &c : cases) {
        TsuiButton button(&window);
        EXPECT_EQ(button.size(), QSize(80, 27));
        button.setUIStyle(c.style);
        EXPECT_EQ(button.size(), QSize(80, 27)) << "the style alone does not size the button";
        button.setAutoSize(true);
        EXPECT_EQ(button.size(), c.size) << static_cast<int>(c.style);
    }
}

TEST_F(ButtonLook, StyleDecidesTransparencyUntilSetAgain)
{
    TsuiButton button(&window);
    button.setTransparent(true);
    button.setUIStyle(TsuiUIStyle::WinXP);
    EXPECT_FALSE(button.transparent());
    button.setUIStyle(TsuiUIStyle::BlueGlass);
    EXPECT_TRUE(button.transparent());
    button.setTransparent(false);
    EXPECT_FALSE(button.transparent());
}

TEST_F(ButtonLook, GlyphOfAToolButtonSitsAtSixFiveAndMovesWhenPressed)
{
    auto *button = new TsuiButton(&window);
    button->setUIStyle(TsuiUIStyle::BlueGlass);
    button->setGeometry(10, 10, 33, 27);
    button->setGlyph(GreenGlyph());

    const QImage normal = Render(button);
    EXPECT_EQ(BoundsOf(normal, Green), QRect(6, 5, 16, 16));
    EXPECT_NE(Rgb(normal, 6, 5), Green) << "the top-left colour is transparent";

    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(16, 13));
    ASSERT_TRUE(button->isPressed());
    const QImage pressed = Render(button);
    EXPECT_EQ(BoundsOf(pressed, Green), QRect(7, 6, 16, 16));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(16, 13));

    // A glyph twice as wide as high: the left half when enabled, the right half when disabled.
    QImage pair(32, 16, QImage::Format_RGB32);
    pair.fill(QColor::fromRgb(Green));
    for (int y = 0; y < 16; ++y)
        for (int x = 16; x < 32; ++x)
            pair.setPixel(x, y, 0xFF0000FF);
    pair.setPixel(0, 0, 0xFFFF00FF);
    button->setGlyph(QPixmap::fromImage(pair));
    EXPECT_EQ(BoundsOf(Render(button), Green), QRect(6, 5, 16, 16));
    button->setEnabled(false);
    const QImage disabled = Render(button);
    EXPECT_TRUE(BoundsOf(disabled, Green).isNull());
    EXPECT_EQ(BoundsOf(disabled, 0x0000FF), QRect(6, 5, 16, 16));
}

TEST_F(ButtonLook, DisabledCaptionIsGreyOverAWhiteCopyOnFrameOne)
{
    auto *button = new TsuiButton(&window);
    button->setUIStyle(TsuiUIStyle::DeepBlue);
    button->setGeometry(0, 0, 80, 22);
    QFont sharp = button->font();
    sharp.setStyleStrategy(QFont::NoAntialias);
    button->setFont(sharp);
    button->setText(QStringLiteral("&OK"));
    QPalette black = button->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    button->setPalette(black);

    const QImage enabled = Render(button);
    const QRect text = BoundsOf(enabled, 0x000000);
    ASSERT_FALSE(text.isNull());

    button->setEnabled(false);
    const QImage disabled = Render(button);
    EXPECT_TRUE(BoundsOf(disabled, 0x000000).isNull()) << "no black caption left";
    EXPECT_EQ(BoundsOf(disabled, 0x808080), text);
    // Wherever the grey caption does not cover it, the white copy shows one pixel right and down.
    int whiteSeen = 0;
    for (int y = text.top(); y <= text.bottom(); ++y) {
        for (int x = text.left(); x <= text.right(); ++x) {
            if (Rgb(disabled, x, y) != 0x808080 || Rgb(disabled, x + 1, y + 1) == 0x808080)
                continue;
            EXPECT_EQ(Rgb(disabled, x + 1, y + 1), 0xFFFFFFu) << x + 1 << "," << y + 1;
            ++whiteSeen;
        }
    }
    EXPECT_GT(whiteSeen, 0);
    // Away from the caption the face is the normal frame, not the pressed one.
    const QRect face(2, 2, text.left() - 4, 18);
    for (int y = face.top(); y <= face.bottom(); ++y)
        for (int x = face.left(); x <= face.right(); ++x)
            ASSERT_EQ(Rgb(disabled, x, y), Rgb(enabled, x, y)) << x << "," << y;
}

TEST_F(ButtonLook, FaceShowsHoverAndPressedFrames)
{
    auto *button = new TsuiButton(&window);
    button->setUIStyle(TsuiUIStyle::DeepBlue);
    button->setGeometry(0, 0, 74, 21); // the frame's own size: drawn one to one except the seams
    QImage frames[3];
    for (int i = 0; i < 3; ++i)
        CutBitmapFrame(LoadStyleBitmap(QStringLiteral("DEEPBLUE_BUTTON")), &frames[i], 3, i + 1);
    const auto matches = [&](const QImage &image, const QImage &frame) {
        // A pixel inside the top-left corner slice comes from the frame unchanged.
        return Rgb(image, 5, 5) == (frame.pixel(5, 5) & 0xFFFFFFu) && Rgb(image, 30, 3) == (frame.pixel(30, 3) & 0xFFFFFFu);
    };
    ASSERT_NE(frames[0].pixel(5, 5), frames[1].pixel(5, 5)) << "the strip's frames must differ for this test";
    ASSERT_NE(frames[0].pixel(5, 5), frames[2].pixel(5, 5));
    ASSERT_NE(frames[1].pixel(5, 5), frames[2].pixel(5, 5));
    EXPECT_TRUE(matches(Render(button), frames[0]));

    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(button, &enter);
    EXPECT_TRUE(button->isMouseInside());
    EXPECT_TRUE(matches(Render(button), frames[1]));

    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(matches(Render(button), frames[2]));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(button->isPressed());
}

TEST_F(ButtonLook, FocusIsABoldCaptionInMacOsAndADottedRectangleElsewhereAndOnGlyphButtons)
{
    auto *mac = new TsuiButton(&window);
    mac->setUIStyle(TsuiUIStyle::MacOS);
    mac->setGeometry(0, 0, 80, 22);
    mac->setText(QStringLiteral("Senden"));
    auto *xp = new TsuiButton(&window);
    xp->setUIStyle(TsuiUIStyle::WinXP);
    xp->setGeometry(0, 30, 80, 22);
    xp->setText(QStringLiteral("Senden"));
    // A tool button has no caption to make bold: it shows the rectangle, so that the keyboard's
    // place is seen there too.
    auto *tool = new TsuiButton(&window);
    tool->setUIStyle(TsuiUIStyle::BlueGlass);
    tool->setGeometry(100, 0, 80, 27);
    tool->setGlyph(GreenGlyph());
    ASSERT_TRUE(button_probe::Activate(&window));

    const auto darkPixels = [](const QImage &image) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += qGray(image.pixel(x, y)) < 80;
        return n;
    };
    xp->setFocus();
    const QImage macPlain = Render(mac);
    const QImage xpFocused = Render(xp);
    mac->setFocus();
    ASSERT_TRUE(mac->hasFocus());
    const QImage macBold = Render(mac);
    const QImage xpPlain = Render(xp);

    EXPECT_GT(darkPixels(macBold), darkPixels(macPlain)) << "bold caption";
    // The rectangle runs two pixels in from the edge; the MacOS button has none.
    const auto dotsOnRow = [](const QImage &image, int y) {
        int n = 0;
        for (int x = 10; x < 70; ++x)
            n += Rgb(image, x, y) == 0x000000;
        return n;
    };
    EXPECT_GT(dotsOnRow(xpFocused, 2), 10);
    EXPECT_EQ(dotsOnRow(xpPlain, 2), 0);
    EXPECT_EQ(dotsOnRow(macBold, 2), 0);
    // Two pixels in from the right and bottom edges too: the last dotted column is 77, the last row 19.
    const auto dotsInColumn = [](const QImage &image, int x) {
        int n = 0;
        for (int y = 5; y < 17; ++y)
            n += Rgb(image, x, y) == 0x000000;
        return n;
    };
    EXPECT_GT(dotsInColumn(xpFocused, 77), 3);
    EXPECT_EQ(dotsInColumn(xpFocused, 78), 0);
    EXPECT_GT(dotsOnRow(xpFocused, 19), 10);
    EXPECT_EQ(dotsOnRow(xpFocused, 20), 0);

    const QImage toolPlain = Render(tool);
    tool->setFocus();
    ASSERT_TRUE(tool->hasFocus());
    EXPECT_GT(dotsOnRow(Render(tool), 2), 10);
    EXPECT_EQ(dotsOnRow(toolPlain, 2), 0);
}
