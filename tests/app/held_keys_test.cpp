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

protected:
    void keyPressEvent(QKeyEvent *) override { ++received; }
    void keyReleaseEvent(QKeyEvent *) override { ++received; }
};

// Whether a key event sent to the window, as the application delivers it, reaches it.
bool reaches(KeyCounter &window, QEvent::Type type, int key, bool repeat = false)
{
    const int before = window.received;
    QKeyEvent event(type, key, Qt::NoModifier, QString(), repeat);
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
