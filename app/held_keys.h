#pragma once

#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

#include <unordered_map>

class QEvent;
class QObject;

// Keeps a key to the window that took its press. Held down while that window closes, a key does
// nothing in the window that has the keyboard next: its repeats press no button there (a held
// Enter that closed a message would otherwise press the focused button of the window below) and
// its release is no release of a press. A drop-down or list belongs to the window it drops from.
// Enter and Escape act once, however long they are held: a repeat could send a command again.
class HeldKeys {
public:
    enum class Verdict {
        Deliver,
        Block,
        // A repeat Qt took for a new press: deliver it marked as the repeat it is.
        DeliverAsRepeat,
    };

    Verdict judge(QObject *receiver, QEvent *event);

private:
    struct Held {
        QPointer<QWidget> window;
        bool down = false;
        // The X server's time of the key's last release; 0 when unknown.
        quint64 released_at = 0;
    };
    std::unordered_map<int, Held> keys_;
};
