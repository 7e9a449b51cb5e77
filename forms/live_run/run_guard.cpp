#include "forms/live_run/run_guard.h"

#include "skin/form/tform.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTimer>

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
}

void RunGuard::signalGroup(int signal)
{
    const pid_t pid = child_.load();
    if (pid > 0 && !ended_.load())
        ::kill(-pid, signal);
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
    if (!is_user_input(event->type()))
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape)
        cancel();
    return true;
}
