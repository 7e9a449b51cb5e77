// Check boxes and radio buttons: OnClick as a change notification, radio groups, keys, the
// size rule and the state pictures.
#include "button_probe.h"

#include "skin/button/tsui_check_box.h"
#include "skin/button/tsui_radio_button.h"
#include "skin/themes/style_bitmaps.h"

#include <QMouseEvent>
#include <QSignalSpy>
#include <gtest/gtest.h>

using button_probe::Render;

namespace {

TsuiCheckBox *MacCheckBox(QWidget *parent, const QString &caption)
{
    auto *box = new TsuiCheckBox(parent);
    box->setUIStyle(TsuiUIStyle::MacOS);
    box->setText(caption);
    return box;
}

TsuiRadioButton *MacRadio(QWidget *parent, const QString &caption, int groupIndex)
{
    auto *radio = new TsuiRadioButton(parent);
    radio->setUIStyle(TsuiUIStyle::MacOS);
    radio->setGroupIndex(groupIndex);
    radio->setText(caption);
    return radio;
}

// A double click as the window system delivers it: press, release, double-click press, release.
void DoubleClick(QWidget *control, QPoint at)
{
    QTest::mousePress(control, Qt::LeftButton, {}, at);
    QTest::mouseRelease(control, Qt::LeftButton, {}, at);
    QMouseEvent second(QEvent::MouseButtonDblClick, at, control->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                       Qt::NoModifier);
    QApplication::sendEvent(control, &second);
    QTest::mouseRelease(control, Qt::LeftButton, {}, at);
}

} // namespace

TEST(CheckBox, SizesItselfToPictureAndCaptionInItsFont)
{
    QWidget window;
    TsuiCheckBox fresh(&window);
    EXPECT_EQ(fresh.size(), QSize(93, 17));

    TsuiCheckBox *box = MacCheckBox(&window, QStringLiteral("Bit 0"));
    const QFontMetrics metrics(box->font());
    // The MacOS picture is 15 x 17.
    const int height = std::max(metrics.height() + 2, 17) + 4;
    const int width = 15 + metrics.horizontalAdvance(QStringLiteral("Bit 0")) + 8;
    EXPECT_EQ(box->size(), QSize(width, height));

    QFont bigger = box->font();
    bigger.setPixelSize(30);
    box->setFont(bigger);
    const QFontMetrics big(bigger);
    EXPECT_EQ(box->size(), QSize(15 + big.horizontalAdvance(QStringLiteral("Bit 0")) + 8, big.height() + 2 + 4));

    box->setAutoSize(false);
    box->resize(200, 40);
    box->setText(QStringLiteral("Bit 7"));
    EXPECT_EQ(box->size(), QSize(200, 40));
}

TEST(CheckBox, OnClickFiresOncePerChangeOfChecked)
{
    QWidget window;
    TsuiCheckBox *box = MacCheckBox(&window, QStringLiteral("Bit 0"));
    QSignalSpy clicks(box, &TsuiCheckBox::OnClick);

    box->setChecked(true);
    EXPECT_EQ(clicks.count(), 1);
    box->setChecked(true);
    EXPECT_EQ(clicks.count(), 1) << "the same value is no change";
    box->setState(TsuiCheckBox::cbGrayed);
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(box->state(), TsuiCheckBox::cbUnchecked);
    EXPECT_EQ(clicks.count(), 2);
    box->setState(TsuiCheckBox::cbUnchecked);
    EXPECT_EQ(clicks.count(), 2);

    box->setLoading(true);
    box->setChecked(true);
    box->setLoading(false);
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(clicks.count(), 2) << "nothing fires while the window is built";

    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(clicks.count(), 3);
    // A double click on a check box is two clicks.
    DoubleClick(box, QPoint(5, 5));
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(clicks.count(), 5);
}

TEST(CheckBox, DisabledBoxShowsFrameThreeAndIgnoresInput)
{
    QWidget window;
    TsuiCheckBox *box = MacCheckBox(&window, QStringLiteral("= 0"));
    box->setLoading(true);
    box->setChecked(true);
    box->setLoading(false);
    box->setEnabled(false);
    QSignalSpy clicks(box, &TsuiCheckBox::OnClick);

    QImage frame;
    CutBitmapFrame(LoadStyleBitmap(QStringLiteral("MACOS_CHECKBOX")), &frame, 4, 3);
    const QImage image = Render(box);
    const int top = (box->height() - frame.height()) / 2;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            ASSERT_EQ(image.pixel(1 + x, top + y), frame.pixel(x, y) | 0xFF000000u) << x << "," << y;

    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(clicks.count(), 0);
}

TEST(RadioButton, CheckingOneUnchecksItsGroupAndReportsOnlyItself)
{
    QWidget window;
    TsuiRadioButton *a = MacRadio(&window, QStringLiteral("giveio-Treiber installieren"), 0);
    TsuiRadioButton *b = MacRadio(&window, QStringLiteral("giveio-Treiber deinstallieren"), 0);
    TsuiRadioButton *other = MacRadio(&window, QStringLiteral("andere Gruppe"), 1);
    QWidget elsewhere(&window);
    TsuiRadioButton *sameIndexElsewhere = MacRadio(&elsewhere, QStringLiteral("anderswo"), 0);
    b->setChecked(true);
    other->setChecked(true);
    sameIndexElsewhere->setChecked(true);
    QSignalSpy aClicks(a, &TsuiCheckBox::OnClick);
    QSignalSpy bClicks(b, &TsuiCheckBox::OnClick);

    QTest::mouseClick(a, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(a->isChecked());
    EXPECT_FALSE(b->isChecked());
    EXPECT_TRUE(other->isChecked()) << "another GroupIndex is another group";
    EXPECT_TRUE(sameIndexElsewhere->isChecked()) << "another parent is another group";
    EXPECT_EQ(aClicks.count(), 1);
    EXPECT_EQ(bClicks.count(), 0);

    QTest::mouseClick(a, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(a->isChecked()) << "a click never unchecks a radio button";
    EXPECT_EQ(aClicks.count(), 1);

    a->setChecked(false);
    EXPECT_FALSE(a->isChecked());
    EXPECT_FALSE(b->isChecked()) << "unchecking checks nothing else";
    EXPECT_EQ(aClicks.count(), 1);
    EXPECT_EQ(bClicks.count(), 0);

    // While loading the group is still kept to one, but nothing is reported.
    b->setLoading(true);
    a->setLoading(true);
    a->setChecked(true);
    b->setChecked(true);
    EXPECT_FALSE(a->isChecked());
    EXPECT_EQ(aClicks.count(), 1);
    EXPECT_EQ(bClicks.count(), 0);
}

TEST(RadioButton, ArrowKeysMoveTheChoiceRoundItsGroupAndClickWhereTheyLand)
{
    QWidget window;
    window.resize(400, 100);
    TsuiRadioButton *a = MacRadio(&window, QStringLiteral("a"), 0);
    TsuiRadioButton *other = MacRadio(&window, QStringLiteral("andere Gruppe"), 1);
    TsuiRadioButton *off = MacRadio(&window, QStringLiteral("gesperrt"), 0);
    TsuiRadioButton *b = MacRadio(&window, QStringLiteral("b"), 0);
    off->setEnabled(false);
    other->move(100, 0);
    off->move(200, 0);
    b->move(300, 0);
    ASSERT_TRUE(button_probe::Activate(&window));
    QSignalSpy aClicks(a, &TsuiCheckBox::OnClick);
    QSignalSpy bClicks(b, &TsuiCheckBox::OnClick);

    // Each row: the key, pressed on the focused button, and the button then focused and checked.
    struct Step {
        Qt::Key key;
        TsuiRadioButton *lands;
    };
    a->setFocus();
    const Step steps[] = {{Qt::Key_Right, b}, {Qt::Key_Down, a}, {Qt::Key_Up, b}, {Qt::Key_Left, a}};
    for (const Step &step : steps) {
        TsuiRadioButton *from = qobject_cast<TsuiRadioButton *>(QApplication::focusWidget());
        QTest::keyClick(from, step.key);
        EXPECT_TRUE(step.lands->hasFocus()) << step.key;
        EXPECT_TRUE(step.lands->isChecked()) << step.key;
        EXPECT_FALSE((step.lands == a ? b : a)->isChecked()) << step.key;
    }
    EXPECT_EQ(aClicks.count(), 2);
    EXPECT_EQ(bClicks.count(), 2);
    EXPECT_FALSE(off->isChecked()) << "a disabled member is passed over";
    EXPECT_FALSE(other->isChecked()) << "another group is left alone";
}

TEST(RadioButton, SpaceTogglesACheckBoxButNotARadioButton)
{
    QWidget window;
    window.resize(300, 100);
    TsuiCheckBox *box = MacCheckBox(&window, QStringLiteral("&Bit 0"));
    TsuiRadioButton *radio = MacRadio(&window, QStringLiteral("&giveio"), 0);
    radio->move(0, 40);
    ASSERT_TRUE(button_probe::Activate(&window));

    box->setFocus();
    QTest::keyPress(box, Qt::Key_Space);
    EXPECT_FALSE(box->isChecked()) << "a check box toggles on key release";
    QTest::keyRelease(box, Qt::Key_Space);
    EXPECT_TRUE(box->isChecked());

    radio->setFocus();
    QTest::keyClick(radio, Qt::Key_Space);
    EXPECT_FALSE(radio->isChecked());

    // Accelerators click and take the focus; a radio's double click changes nothing more.
    QTest::keyClick(&window, Qt::Key_B, Qt::AltModifier);
    EXPECT_FALSE(box->isChecked());
    EXPECT_TRUE(box->hasFocus());
    QTest::keyClick(&window, Qt::Key_G, Qt::AltModifier);
    EXPECT_TRUE(radio->isChecked());
    QSignalSpy radioClicks(radio, &TsuiCheckBox::OnClick);
    QSignalSpy doubleClicks(radio, &TsuiCheckBox::OnDblClick);
    radio->setChecked(false);
    DoubleClick(radio, QPoint(5, 5));
    EXPECT_TRUE(radio->isChecked());
    EXPECT_EQ(radioClicks.count(), 1);
    EXPECT_EQ(doubleClicks.count(), 1);
}
