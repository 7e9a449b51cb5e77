#include "skin/edit/tsui_edit.h"
#include "skin/layout/align.h"
#include "skin/panel/tsui_group_box.h"

#include <QFontMetrics>
#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

const QColor FormGrey{0xE7, 0xE7, 0xE7};
const QColor MacBorder{0x7F, 0x7F, 0x7F};

// A window background the box takes its colour from, as a frame with a Color would give it.
struct Surface {
    QWidget widget;
    Surface()
    {
        widget.setProperty("Color", FormGrey);
        widget.resize(400, 300);
    }
};

TsuiGroupBox *avr_options(QWidget *parent, const QString &caption)
{
    auto *box = new TsuiGroupBox(parent);
    box->setUIStyle(TsuiUIStyle::MacOS);
    box->setBorderColor(MacBorder);
    box->setCaption(caption);
    box->resize(185, 75);
    return box;
}

bool is_ink(const QColor &c) { return c != FormGrey && c != MacBorder; }

} // namespace

// The "AVR-Options" box of the main window: 11-pixel font, top line at y 6, the caption at (5, 0)
// in the line's gap, which ends at the caption's width plus 6.
TEST(GroupBox, AvrOptionsLinesAndCaption)
{
    Surface surface;
    TsuiGroupBox *box = avr_options(&surface.widget, QStringLiteral("AVR-Options"));
    ASSERT_EQ(box->font().pixelSize(), 11);
    const QImage image = box->grab().toImage();
    const int cw = QFontMetrics(box->font()).horizontalAdvance(QStringLiteral("AVR-Options"));
    const int y = 6;

    for (int x = 0; x <= 2; ++x)
        EXPECT_EQ(image.pixelColor(x, y), MacBorder) << x;
    EXPECT_NE(image.pixelColor(cw + 6, y), MacBorder);
    for (int x = cw + 7; x < 185; ++x)
        EXPECT_EQ(image.pixelColor(x, y), MacBorder) << x;
    for (int yy = y; yy < 75; ++yy) {
        EXPECT_EQ(image.pixelColor(0, yy), MacBorder) << yy;
        EXPECT_EQ(image.pixelColor(184, yy), MacBorder) << yy;
    }
    for (int x = 0; x < 185; ++x)
        EXPECT_EQ(image.pixelColor(x, 74), MacBorder) << x;
    EXPECT_EQ(image.pixelColor(0, y - 1), FormGrey);
    EXPECT_EQ(image.pixelColor(184, y - 1), FormGrey);
    EXPECT_EQ(image.pixelColor(100, 40), FormGrey); // the parent's colour inside

    // The caption's ink starts at x 5 and stays left of the gap's end.
    int first_ink = -1, last_ink = -1;
    for (int x = 0; x < 185; ++x)
        for (int yy = 0; yy < 14; ++yy)
            if (yy != y && is_ink(image.pixelColor(x, yy))) {
                if (first_ink < 0)
                    first_ink = x;
                last_ink = x;
            }
    EXPECT_GE(first_ink, 5);
    EXPECT_LE(first_ink, 6);
    EXPECT_LT(last_ink, cw + 6);
    image.save(QStringLiteral("avr_options.png"));
}

TEST(GroupBox, EmptyCaptionClosesTheRectangleAndDisabledCaptionIsGrey)
{
    Surface surface;
    TsuiGroupBox *closed = avr_options(&surface.widget, QString());
    const QImage image = closed->grab().toImage();
    for (int x = 0; x < 185; ++x)
        ASSERT_EQ(image.pixelColor(x, 6), MacBorder) << x;

    // Antialiased ink is a blend of the caption colour and the background: the darkest pixel of
    // the caption tells its colour, black when enabled and #808080 when disabled.
    TsuiGroupBox *box = avr_options(&surface.widget, QStringLiteral("LowFuse"));
    auto darkest = [box] {
        const QImage ink = box->grab().toImage();
        QColor result = FormGrey;
        for (int x = 5; x < 60; ++x)
            for (int yy = 0; yy < 6; ++yy)
                if (ink.pixelColor(x, yy).lightness() < result.lightness())
                    result = ink.pixelColor(x, yy);
        return result;
    };
    EXPECT_LT(darkest().lightness(), 0x60);
    box->setEnabled(false);
    const QColor grey_ink = darkest();
    EXPECT_EQ(grey_ink.red(), grey_ink.green());
    EXPECT_EQ(grey_ink.green(), grey_ink.blue());
    EXPECT_GE(grey_ink.red(), 0x80);
    EXPECT_LT(grey_ink.red(), 0xA0);
    const QImage grey = box->grab().toImage();
    EXPECT_EQ(grey.pixelColor(0, 40), MacBorder);
    EXPECT_EQ(grey.pixelColor(184, 6), MacBorder);
}

// Aligned children go inside the lines and below the caption: (3, fh + 5) to (width - 3, height - 3).
TEST(GroupBox, AlignsChildrenBelowTheCaption)
{
    Surface surface;
    TsuiGroupBox *box = avr_options(&surface.widget, QStringLiteral("AVR-Options"));
    auto *child = new QWidget(box);
    set_align(child, TAlign::alClient);
    surface.widget.show();
    box->resize(185, 80);
    EXPECT_EQ(child->geometry(), QRect(QPoint(3, 16), QPoint(181, 76)));

    QFont larger = box->font();
    larger.setPixelSize(20);
    box->setFont(larger);
    EXPECT_EQ(child->geometry().top(), 25);
}

// A style given to the box goes to its children; a stored colour set afterwards wins.
TEST(GroupBox, PushesItsStyleToChildrenAndStoredColoursWin)
{
    Surface surface;
    TsuiGroupBox *box = avr_options(&surface.widget, QStringLiteral("AVR-Options"));
    auto *edit = new TsuiEdit(box);
    edit->setUIStyle(TsuiUIStyle::MacOS);

    box->setUIStyle(TsuiUIStyle::WinXP);
    EXPECT_EQ(edit->uiStyle(), TsuiUIStyle::WinXP);
    EXPECT_EQ(edit->borderColor(), QColor(0x68, 0x68, 0x68));
    EXPECT_EQ(box->borderColor(), QColor(0x68, 0x68, 0x68));
    EXPECT_EQ(box->fontColor(), QColor(0x02, 0x46, 0xCF));

    box->setBorderColor(Qt::black);
    EXPECT_EQ(box->grab().toImage().pixelColor(0, 40), QColor(Qt::black));
    box->setUIStyle(TsuiUIStyle::DeepBlue);
    EXPECT_EQ(edit->uiStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(box->fontColor(), QColor(Qt::black));

    // Gone with its file theme, the box falls back to DeepBlue and takes its children along.
    auto *theme = new TsuiFileTheme;
    box->setFileTheme(theme);
    box->setUIStyle(TsuiUIStyle::MacOS);
    edit->setUIStyle(TsuiUIStyle::MacOS);
    delete theme;
    EXPECT_EQ(box->fileTheme(), nullptr);
    EXPECT_EQ(box->uiStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(edit->uiStyle(), TsuiUIStyle::DeepBlue);
}
