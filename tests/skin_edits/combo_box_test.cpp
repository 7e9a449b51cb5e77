#include "skin/edit/tsui_combo_box.h"
#include "skin/themes/style_bitmaps.h"

#include <QAbstractItemView>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

const QColor MacBorder{0x7F, 0x7F, 0x7F};
const QColor Grey{0x80, 0x80, 0x80};
// A box 143 x 21 puts its drop button at (124, 2)-(141, 19).
const QRect Button(QPoint(124, 2), QPoint(140, 18));

struct Surface {
    QWidget widget;
    TsuiComboBox *combo;
    explicit Surface(TsuiUIStyle style)
        : combo(new TsuiComboBox(&widget))
    {
        widget.resize(300, 200);
        combo->setUIStyle(style);
        combo->setGeometry(8, 32, 143, 21);
        combo->addItems({QStringLiteral("m8"), QStringLiteral("m16"), QStringLiteral("t2313")});
        combo->setText(QStringLiteral("m8"));
        widget.show();
    }
    QImage image() const { return combo->grab().toImage(); }
};

// The drop-button picture stretched over the button, as the box should show it under the arrow.
QImage stretched(const QString &name)
{
    QImage target(Button.size(), QImage::Format_ARGB32_Premultiplied);
    target.fill(Qt::transparent);
    QPainter(&target).drawImage(target.rect(), LoadStyleBitmap(name));
    return target;
}

// The triangle with its corners at (129, 8), (135, 8), (132, 11), row by row.
const QPoint ArrowPixels[] = {{129, 8},  {130, 8},  {131, 8}, {132, 8}, {133, 8}, {134, 8}, {135, 8}, {130, 9},
                              {131, 9},  {132, 9},  {133, 9}, {134, 9}, {131, 10}, {132, 10}, {133, 10}, {132, 11}};

bool in_arrow(const QPoint &p)
{
    for (const QPoint &a : ArrowPixels)
        if (a == p)
            return true;
    return false;
}

} // namespace

TEST(ComboBox, MacOSFrameButtonAndArrow)
{
    Surface s(TsuiUIStyle::MacOS);
    EXPECT_EQ(s.combo->buttonRect(), Button);
    const QImage image = s.image();
    image.save(QStringLiteral("combo_macos.png"));
    EXPECT_EQ(image.pixelColor(0, 0), MacBorder);
    EXPECT_EQ(image.pixelColor(142, 20), MacBorder);
    EXPECT_EQ(image.pixelColor(70, 0), MacBorder);
    EXPECT_EQ(image.pixelColor(1, 10), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(70, 1), QColor(Qt::white));

    const QImage face = stretched(QStringLiteral("MACOS_COMBOBOX_BUTTON"));
    for (int y = Button.top(); y <= Button.bottom(); ++y)
        for (int x = Button.left(); x <= Button.right(); ++x) {
            const QPoint p(x, y);
            if (in_arrow(p))
                ASSERT_EQ(image.pixelColor(p), QColor(Qt::black)) << x << "," << y;
            else
                ASSERT_EQ(image.pixelColor(p), face.pixelColor(p - Button.topLeft())) << x << "," << y;
        }
    // The edit sits in the field left of the button.
    EXPECT_EQ(s.combo->lineEdit()->geometry(), QRect(QPoint(3, 3), QPoint(122, 17)));
}

TEST(ComboBox, DisabledArrowIsGreyOverAWhiteShadow)
{
    Surface s(TsuiUIStyle::MacOS);
    s.combo->setEnabled(false);
    const QImage image = s.image();
    for (const QPoint &p : ArrowPixels)
        EXPECT_EQ(image.pixelColor(p), Grey) << p.x() << "," << p.y();
    for (const QPoint p : {QPoint(135, 9), QPoint(136, 9), QPoint(134, 10), QPoint(133, 11), QPoint(133, 12)})
        EXPECT_EQ(image.pixelColor(p), QColor(Qt::white)) << p.x() << "," << p.y();
}

TEST(ComboBox, StyleLooks)
{
    // DeepBlue: a filled button with a black edge line one pixel above and below it.
    Surface blue(TsuiUIStyle::DeepBlue);
    QImage image = blue.image();
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::black));
    for (int y = 1; y <= 19; ++y)
        EXPECT_EQ(image.pixelColor(124, y), QColor(Qt::black)) << y;
    EXPECT_EQ(image.pixelColor(125, 3), QColor(0xE8, 0xE8, 0xE8));
    EXPECT_EQ(image.pixelColor(140, 18), QColor(0xE8, 0xE8, 0xE8));
    for (const QPoint &p : ArrowPixels)
        EXPECT_EQ(image.pixelColor(p), QColor(Qt::black));

    // WinXP: the button picture alone, no arrow drawn over it.
    Surface xp(TsuiUIStyle::WinXP);
    image = xp.image();
    const QImage face = stretched(QStringLiteral("WINXP_COMBOBOX_BUTTON"));
    for (int y = Button.top(); y <= Button.bottom(); ++y)
        for (int x = Button.left(); x <= Button.right(); ++x)
            ASSERT_EQ(image.pixelColor(x, y), face.pixelColor(x - Button.left(), y - Button.top())) << x << "," << y;
    EXPECT_EQ(image.pixelColor(0, 0), QColor(0x68, 0x68, 0x68));

    // A stored arrow colour lasts until the style is set again.
    blue.combo->setArrowColor(Qt::red);
    EXPECT_EQ(blue.image().pixelColor(132, 11), QColor(Qt::red));
    blue.combo->setUIStyle(TsuiUIStyle::Protein);
    EXPECT_EQ(blue.combo->arrowColor(), QColor(Qt::black));
    EXPECT_EQ(blue.combo->buttonColor(), QColor(0xFB, 0xFB, 0xFB));

    // csSimple keeps the platform's look: no skinned frame or button.
    Surface simple(TsuiUIStyle::DeepBlue);
    simple.combo->setComboStyle(TComboBoxStyle::csSimple);
    image = simple.image();
    EXPECT_NE(image.pixelColor(125, 3), QColor(0xE8, 0xE8, 0xE8));
    EXPECT_NE(image.pixelColor(124, 10), QColor(Qt::black));
}

// Clicking the drop button opens the list, framed in the border colour; closing repaints around.
TEST(ComboBox, OpenListIsFramedAndPickingSetsTheText)
{
    Surface s(TsuiUIStyle::MacOS);
    QTest::mouseClick(s.combo, Qt::LeftButton, Qt::NoModifier, QPoint(132, 10));
    QAbstractItemView *list = s.combo->view();
    ASSERT_TRUE(QTest::qWaitFor([list] { return list->isVisible(); }, 2000));
    QWidget *frame = list->window();
    ASSERT_NE(frame, s.combo->window());
    EXPECT_GE(frame->mapToGlobal(QPoint(0, 0)).y(), s.combo->mapToGlobal(QPoint(0, 21)).y() - 1);
    const QImage image = frame->grab().toImage();
    image.save(QStringLiteral("combo_list.png"));
    for (int x = 0; x < image.width(); ++x) {
        ASSERT_EQ(image.pixelColor(x, 0), MacBorder) << x;
        ASSERT_EQ(image.pixelColor(x, image.height() - 1), MacBorder) << x;
    }
    for (int y = 0; y < image.height(); ++y)
        ASSERT_EQ(image.pixelColor(0, y), MacBorder) << y;

    // Eight rows of 13 pixels at most; three entries here.
    EXPECT_EQ(list->visualRect(list->model()->index(1, 0)).height(), 13);
    EXPECT_EQ(list->visualRect(list->model()->index(2, 0)).top(), 26);

    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([list] { return !list->isVisible(); }, 2000));
    EXPECT_EQ(s.combo->text(), QStringLiteral("m16"));

    // Typed text is kept as typed, not completed to an entry.
    s.combo->lineEdit()->clear();
    s.combo->lineEdit()->setFocus();
    QTest::keyClicks(s.combo->lineEdit(), QStringLiteral("m1"));
    EXPECT_EQ(s.combo->text(), QStringLiteral("m1"));
}
