// The push button driven by real mouse and key events: clicks that count and clicks that do
// not, default and cancel buttons, accelerators, the modal result and the auto-repeat event.
#include "button_probe.h"

#include "skin/button/tsui_button.h"
#include "skin/form/tform.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class ButtonInput : public ::testing::Test {
protected:
    ButtonInput()
    {
        window.resize(300, 120);
        edit = new QLineEdit(&window);
        edit->setGeometry(10, 10, 100, 20);
        ok = makeButton(QStringLiteral("&OK"), 10);
        cancel = makeButton(QStringLiteral("&Abbrechen"), 100);
    }
    TsuiButton *makeButton(const QString &caption, int x)
    {
        auto *button = new TsuiButton(&window);
        button->setUIStyle(TsuiUIStyle::MacOS);
        button->setText(caption);
        button->setGeometry(x, 50, 80, 22);
        return button;
    }

    QWidget window;
    QLineEdit *edit;
    TsuiButton *ok;
    TsuiButton *cancel;
};

} // namespace

TEST_F(ButtonInput, ReleaseOutsideFiresNoClickUnlessThePointerCameBack)
{
    QSignalSpy clicks(ok, &TsuiButton::OnClick);
    const QPoint inside(40, 11);
    const QPoint outside(120, 11);

    QTest::mousePress(ok, Qt::LeftButton, {}, inside);
    EXPECT_TRUE(ok->isPressed());
    QTest::mouseMove(ok, outside);
    EXPECT_FALSE(ok->isPressed()) << "the pressed look goes when the pointer leaves the face";
    QTest::mouseRelease(ok, Qt::LeftButton, {}, outside);
    EXPECT_EQ(clicks.count(), 0);

    QTest::mousePress(ok, Qt::LeftButton, {}, inside);
    QTest::mouseMove(ok, outside);
    QTest::mouseMove(ok, inside);
    QTest::mouseRelease(ok, Qt::LeftButton, {}, inside);
    EXPECT_EQ(clicks.count(), 1);

    // The right button never clicks.
    QTest::mouseClick(ok, Qt::RightButton, {}, inside);
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(ButtonInput, EnterAndEscapeGoToTheDefaultAndCancelButtons)
{
    QSignalSpy okClicks(ok, &TsuiButton::OnClick);
    QSignalSpy cancelClicks(cancel, &TsuiButton::OnClick);
    ok->setDefault(true);
    cancel->setCancel(true);
    ASSERT_TRUE(button_probe::Activate(&window));

    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(okClicks.count(), 1) << "Enter in an edit clicks the default button";
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(cancelClicks.count(), 1);

    // A focused button takes Enter itself, default or not; Escape still cancels.
    cancel->setFocus();
    ASSERT_TRUE(cancel->hasFocus());
    EXPECT_FALSE(ok->activeDefault());
    QTest::keyClick(cancel, Qt::Key_Return);
    EXPECT_EQ(cancelClicks.count(), 2);
    EXPECT_EQ(okClicks.count(), 1);
    QTest::keyClick(cancel, Qt::Key_Escape);
    EXPECT_EQ(cancelClicks.count(), 3);

    // Back in the edit, Enter goes to the default button again; with Ctrl held it goes nowhere.
    edit->setFocus();
    EXPECT_TRUE(ok->activeDefault());
    QTest::keyClick(edit, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(okClicks.count(), 1);
    ok->setEnabled(false);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(okClicks.count(), 1) << "a disabled default button cannot take Enter";
}

TEST_F(ButtonInput, SpaceClicksAFocusedButtonOnRelease)
{
    QSignalSpy clicks(ok, &TsuiButton::OnClick);
    ASSERT_TRUE(button_probe::Activate(&window));
    ok->setFocus();
    QTest::keyPress(ok, Qt::Key_Space);
    EXPECT_TRUE(ok->isPressed());
    EXPECT_EQ(clicks.count(), 0);
    QTest::keyRelease(ok, Qt::Key_Space);
    EXPECT_FALSE(ok->isPressed());
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(ButtonInput, AltAndTheUnderlinedLetterClicksOnlyAnEnabledButton)
{
    QSignalSpy okClicks(ok, &TsuiButton::OnClick);
    QSignalSpy cancelClicks(cancel, &TsuiButton::OnClick);
    ASSERT_TRUE(button_probe::Activate(&window));
    edit->setFocus();

    QTest::keyClick(&window, Qt::Key_O, Qt::AltModifier);
    EXPECT_EQ(okClicks.count(), 1);
    EXPECT_EQ(cancelClicks.count(), 0);
    QTest::keyClick(&window, Qt::Key_A, Qt::AltModifier);
    EXPECT_EQ(cancelClicks.count(), 1);

    ok->setEnabled(false);
    QTest::keyClick(&window, Qt::Key_O, Qt::AltModifier);
    EXPECT_EQ(okClicks.count(), 1);

    // A new caption moves the accelerator with it.
    ok->setEnabled(true);
    ok->setText(QStringLiteral("&Lesen"));
    QTest::keyClick(&window, Qt::Key_O, Qt::AltModifier);
    QTest::keyClick(&window, Qt::Key_L, Qt::AltModifier);
    EXPECT_EQ(okClicks.count(), 2);
}

TEST_F(ButtonInput, AutoRepeatTicksWhileHeldAndStopsOnRelease)
{
    QSignalSpy ticks(ok, &TsuiButton::OnMouseContinuouslyDown);
    QSignalSpy clicks(ok, &TsuiButton::OnClick);
    ok->setMouseContinuouslyDownInterval(20);

    QTest::mousePress(ok, Qt::LeftButton, {}, QPoint(40, 11));
    QElapsedTimer held;
    held.start();
    while (ticks.count() < 3 && held.elapsed() < 3000)
        QTest::qWait(10);
    EXPECT_GE(ticks.count(), 3);
    EXPECT_EQ(clicks.count(), 0);
    QTest::mouseRelease(ok, Qt::LeftButton, {}, QPoint(40, 11));
    EXPECT_EQ(clicks.count(), 1);

    const int afterRelease = ticks.count();
    QTest::qWait(100);
    EXPECT_EQ(ticks.count(), afterRelease);

    // Released outside: no click, and the ticks stop all the same.
    QTest::mousePress(ok, Qt::LeftButton, {}, QPoint(40, 11));
    QTest::mouseMove(ok, QPoint(200, 11));
    QTest::mouseRelease(ok, Qt::LeftButton, {}, QPoint(200, 11));
    const int afterOutside = ticks.count();
    QTest::qWait(100);
    EXPECT_EQ(ticks.count(), afterOutside);
    EXPECT_EQ(clicks.count(), 1);
}

TEST(ButtonModalResult, AClickEndsTheModalShowingWithTheButtonsResult)
{
    TForm form;
    form.resize(200, 100);
    auto *button = new TsuiButton(&form);
    button->setModalResult(mrOk);
    button->setGeometry(10, 10, 80, 27);
    int clicksSeen = 0;
    QObject::connect(button, &TsuiButton::OnClick, [&] { ++clicksSeen; });

    bool clicked = false;
    QTimer::singleShot(0, &form, [&] {
        QTest::mouseClick(button, Qt::LeftButton);
        clicked = true;
    });
    // The form closes itself if the click never lands, so a fault fails instead of hanging.
    QTimer::singleShot(5000, &form, [&] { form.close(); });
    EXPECT_EQ(form.ShowModal(), mrOk);
    EXPECT_TRUE(clicked);
    EXPECT_EQ(clicksSeen, 1);
}
