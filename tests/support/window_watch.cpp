#include "tests/support/window_watch.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

ShowCounter::ShowCounter(QWidget &window) { window.installEventFilter(this); }

bool ShowCounter::eventFilter(QObject *, QEvent *event)
{
    if (event->type() == QEvent::Show)
        ++shows;
    return false;
}

ModalAnswer::Answer when_shown(QWidget &window, std::function<void()> action)
{
    return [&window, action](QWidget *modal) {
        if (modal != &window)
            return false;
        QTimer::singleShot(0, &window, action);
        return true;
    };
}
