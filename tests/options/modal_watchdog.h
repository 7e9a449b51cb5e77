#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>

// Ends a test's modal showings when an expected answer never came: closes every visible window
// after the time limit, so that a broken handler fails the test instead of hanging it.
class ModalWatchdog {
public:
    explicit ModalWatchdog(int limit_ms = 30000)
    {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            fired_ = true;
            for (QWidget *top : QApplication::topLevelWidgets()) {
                if (!top->isVisible())
                    continue;
                if (auto *dialog = qobject_cast<QDialog *>(top))
                    dialog->reject();
                else
                    top->close();
            }
        });
        timer_.start(limit_ms);
    }

    bool fired() const { return fired_; }

private:
    QTimer timer_;
    bool fired_ = false;
};
