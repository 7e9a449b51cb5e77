#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// Counts the keys that reach it.
class KeyCounter : public QWidget {
public:
    explicit KeyCounter(QWidget *owner = nullptr, Qt::WindowFlags flags = {})
        : QWidget(owner, flags)
    {
    }
    int received = 0;
    bool last_was_repeat = false;

protected:
    void keyPressEvent(QKeyEvent *event) override { count(event); }
    void keyReleaseEvent(QKeyEvent *event) override { count(event); }

private:
    void count(const QKeyEvent *event)
    {
        ++received;
        last_was_repeat = event->isAutoRepeat();
    }
};

// Whether a key event sent to the window, as the application delivers it, reaches it.
bool reaches(KeyCounter &window, QEvent::Type type, int key, bool repeat = false, quint64 time = 0)
{
    const int before = window.received;
    QKeyEvent event(type, key, Qt::NoModifier, QString(), repeat);
    event.setTimestamp(time);
    QCoreApplication::sendEvent(&window, &event);
    return window.received > before;
}

} // namespace

TEST(HeldKeys, AKeyActsOnlyInTheWindowThatTookItsPressAndEnterActsOnce)
{
    KeyCounter first, second;
    KeyCounter drop_down(&first, Qt::Popup);

    // Held in the window that took the press, a key repeats there and in its drop-downs.
    EXPECT_TRUE(reaches(first, QEvent::KeyPress, Qt::Key_Down));
    EXPECT_TRUE(reaches(first, QEvent::KeyPress, Qt::Key_Down, true));
    EXPECT_TRUE(reaches(drop_down, QEvent::KeyPress, Qt::Key_Down, true));
    // Still held once the keyboard has moved to another window: nothing there.
    EXPECT_FALSE(reaches(second, QEvent::KeyPress, Qt::Key_Down, true));
    EXPECT_FALSE(reaches(second, QEvent::KeyRelease, Qt::Key_Down));
    // A release whose press no window of ours took is no release either.
    EXPECT_FALSE(reaches(first, QEvent::KeyRelease, Qt::Key_Down));

    // Enter and Escape act once, however long they are held.
    for (const int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        EXPECT_TRUE(reaches(first, QEvent::KeyPress, key)) << key;
        EXPECT_FALSE(reaches(first, QEvent::KeyPress, key, true)) << key;
        EXPECT_TRUE(reaches(first, QEvent::KeyRelease, key)) << key;
    }
}

// On X11 a repeat is a release and a press of the same moment, which Qt may take for real ones.
TEST(HeldKeys, APressAtTheMomentOfItsKeysReleaseIsARepeat)
{
    KeyCounter first, second;

    EXPECT_TRUE(reaches(first, QEvent::KeyPress, Qt::Key_Down, false, 100));
    EXPECT_TRUE(reaches(first, QEvent::KeyRelease, Qt::Key_Down, false, 140));
    EXPECT_TRUE(reaches(first, QEvent::KeyPress, Qt::Key_Down, false, 140));
    EXPECT_TRUE(first.last_was_repeat);
    // Held on into another window, the same: nothing there.
    EXPECT_FALSE(reaches(second, QEvent::KeyRelease, Qt::Key_Down, false, 180));
    EXPECT_FALSE(reaches(second, QEvent::KeyPress, Qt::Key_Down, false, 180));
    // Pressed anew later, it is a press.
    EXPECT_TRUE(reaches(second, QEvent::KeyPress, Qt::Key_Down, false, 900));
    EXPECT_FALSE(second.last_was_repeat);

    EXPECT_TRUE(reaches(first, QEvent::KeyPress, Qt::Key_Return, false, 1000));
    EXPECT_TRUE(reaches(first, QEvent::KeyRelease, Qt::Key_Return, false, 1040));
    EXPECT_FALSE(reaches(first, QEvent::KeyPress, Qt::Key_Return, false, 1040));
}
