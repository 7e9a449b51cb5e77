// A key release acts on a check box or a push button only after the same control took that key's
// press while it had the focus. A release left over from a key that closed a dialog, opened a
// window or went to another control must change nothing: on a fuse bit it would reach the chip.
#include "button_probe.h"

#include "skin/button/tsui_button.h"
#include "skin/button/tsui_check_box.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <functional>

namespace {

struct Controls {
    QAbstractButton *control;
    QLineEdit *neighbour;
};

struct Scenario {
    const char *name;
    std::function<void(const Controls &)> keys;
    int actions;
};

void press(QWidget *to, Qt::Key key, bool autoRepeat = false)
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, QString(), autoRepeat);
    QApplication::sendEvent(to, &event);
}

void release(QWidget *to, Qt::Key key, bool autoRepeat = false)
{
    QKeyEvent event(QEvent::KeyRelease, key, Qt::NoModifier, QString(), autoRepeat);
    QApplication::sendEvent(to, &event);
}

const Scenario Scenarios[] = {
    {"its own press and release", [](const Controls &c) {
         press(c.control, Qt::Key_Space);
         release(c.control, Qt::Key_Space);
     }, 1},
    {"a key held down: repeated presses, one release", [](const Controls &c) {
         press(c.control, Qt::Key_Space);
         press(c.control, Qt::Key_Space, true);
         release(c.control, Qt::Key_Space, true);
         press(c.control, Qt::Key_Space, true);
         release(c.control, Qt::Key_Space);
     }, 1},
    {"a release without a press", [](const Controls &c) { release(c.control, Qt::Key_Return); }, 0},
    {"a press that went to another control", [](const Controls &c) {
         c.neighbour->setFocus();
         press(c.neighbour, Qt::Key_Return);
         c.control->setFocus();
         release(c.control, Qt::Key_Return);
     }, 0},
    {"the focus left between press and release", [](const Controls &c) {
         press(c.control, Qt::Key_Space);
         c.neighbour->setFocus();
         c.control->setFocus();
         release(c.control, Qt::Key_Space);
     }, 0},
    {"another key's release", [](const Controls &c) {
         press(c.control, Qt::Key_Space);
         release(c.control, Qt::Key_Return);
     }, 0},
    {"a mouse button held down is no key press", [](const Controls &c) {
         QTest::mousePress(c.control, Qt::LeftButton, {}, QPoint(4, 4));
         release(c.control, Qt::Key_Space);
         QTest::mouseRelease(c.control, Qt::LeftButton, {}, QPoint(-50, -50));
     }, 0},
};

template <typename Control>
void expect_actions_per_scenario(const char *what)
{
    for (const Scenario &scenario : Scenarios) {
        QWidget window;
        window.resize(300, 100);
        auto *neighbour = new QLineEdit(&window);
        neighbour->setGeometry(10, 60, 100, 20);
        auto *control = new Control(&window);
        control->setUIStyle(TsuiUIStyle::MacOS);
        control->setGeometry(10, 10, 90, 22);
        ASSERT_TRUE(button_probe::Activate(&window));
        control->setFocus();
        QSignalSpy actions(control, &Control::OnClick);
        scenario.keys({control, neighbour});
        EXPECT_EQ(actions.count(), scenario.actions) << what << ": " << scenario.name;
    }
}

} // namespace

TEST(KeyRelease, ActsOnlyAfterItsOwnPressOnACheckBox) { expect_actions_per_scenario<TsuiCheckBox>("check box"); }

TEST(KeyRelease, ActsOnlyAfterItsOwnPressOnAButton) { expect_actions_per_scenario<TsuiButton>("button"); }
