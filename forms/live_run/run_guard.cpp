#include "forms/live_run/run_guard.h"

#include "skin/form/tform.h"
#include "skin/titlebar/tsui_title_bar.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWindow>

#include <csignal>

namespace {

bool is_user_input(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::TabletMove:
        return true;
    default:
        return false;
    }
}

// The title bar under a mouse event, and the event's point in its coordinates. A mouse event
// reaches the window first and then the widget under the pointer; the guard sees both.
TsuiTitleBar *title_bar_under(QObject *watched, const QMouseEvent &event, QPoint &at)
{
    const QPoint point = event.position().toPoint();
    if (auto *bar = qobject_cast<TsuiTitleBar *>(watched)) {
        at = point;
        return bar;
    }
    auto *window = qobject_cast<QWindow *>(watched);
    if (!window)
        return nullptr;
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (top->windowHandle() != window)
            continue;
        auto *bar = qobject_cast<TsuiTitleBar *>(top->childAt(point));
        if (bar)
            at = bar->mapFrom(top, point);
        return bar;
    }
    return nullptr;
}

} // namespace

RunGuard::RunGuard()
    : kill_timer_(new QTimer(this))
{
    kill_timer_->setSingleShot(true);
    kill_timer_->setInterval(KillGraceMs);
    connect(kill_timer_, &QTimer::timeout, this, [this] { signalGroup(SIGKILL); });
    QCoreApplication::instance()->installEventFilter(this);
}

RunGuard::~RunGuard() { QCoreApplication::instance()->removeEventFilter(this); }

void RunGuard::childStarted(pid_t pid)
{
    child_.store(pid);
    // A stop asked for before the child existed still reaches it.
    if (cancelled_.load())
        signalGroup(SIGTERM);
}

void RunGuard::cancel()
{
    if (cancelled_.exchange(true))
        return;
    signalGroup(SIGTERM);
    kill_timer_->start();
    stop_.request();
}

void RunGuard::signalGroup(int signal)
{
    const pid_t pid = child_.load();
    if (pid > 0 && !ended_.load())
        ::kill(-pid, signal);
}

bool RunGuard::reachesCloseButton(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
        type != QEvent::MouseButtonRelease && type != QEvent::MouseMove)
        return false;
    const auto *mouse = static_cast<QMouseEvent *>(event);
    QPoint at;
    TsuiTitleBar *bar = title_bar_under(watched, *mouse, at);
    switch (type) {
    case QEvent::MouseMove:
        // The close button lights up under the pointer as it always does.
        return bar != nullptr;
    case QEvent::MouseButtonRelease:
        // The rest of a click that began on the close button goes where its press went.
        if (!close_button_held_)
            return false;
        if (!watched->isWindowType())
            close_button_held_ = false;
        return true;
    default:
        close_button_held_ = bar && mouse->button() == Qt::LeftButton && bar->closeButtonAt(at);
        return close_button_held_;
    }
}

bool RunGuard::eventFilter(QObject *watched, QEvent *event)
{
    // Closing one of our windows (title-bar close, the window manager's close) asks to stop.
    // Qt closes its own tool tips, popups and lists the same way when they expire or fold;
    // those are no request of the user's and must never end a run.
    if (event->type() == QEvent::Close && qobject_cast<TForm *>(watched)) {
        cancel();
        event->ignore();
        return true;
    }
    // Our own title bar's close button is the mouse user's way to stop: the window manager never
    // sees its click, so it must get through to close the window like the manager's close.
    if (!is_user_input(event->type()) || reachesCloseButton(watched, event))
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape)
        cancel();
    return true;
}
