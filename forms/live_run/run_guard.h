#pragma once

#include "avrdude/run_stop.h"
#include "skin/accessibility/accessible_actions.h"

#include <QObject>

#include <atomic>
#include <csignal>
#include <functional>
#include <sys/types.h>

class QTimer;

// Keeps input away from every window while a child runs, except the ways to stop it: Escape, and
// closing one of Quillon's windows, by the window manager or by the close button of our own title
// bar. What assistive tools ask controls to do is held back alike, but for that close button.
// Stopping ends the child's whole process group: terminate, then kill when it has not gone after a
// grace period; and it tells the runner, which then stops waiting for pipes that something out of
// the group's reach keeps open.
class RunGuard : public QObject {
    Q_OBJECT

public:
    static constexpr int KillGraceMs = 2000;

    RunGuard();
    ~RunGuard() override;

    // Called from the runner's thread once the child exists.
    void childStarted(pid_t pid);
    // Called once the run is over; nothing is signalled after that.
    void runEnded() { ended_.store(true); }

    bool cancelled() const { return cancelled_.load(); }
    void cancel();
    // Kills the child's group at once, as the end of the grace period does.
    void kill() { signalGroup(SIGKILL); }
    const RunStop &stop() const { return stop_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void signalGroup(int signal);
    // Whether a mouse event goes to a title bar's close button (or is the rest of a click on it).
    bool reachesCloseButton(QObject *watched, QEvent *event);

    std::atomic<pid_t> child_{0};
    std::atomic<bool> ended_{false};
    std::atomic<bool> cancelled_{false};
    QTimer *kill_timer_;
    RunStop stop_;
    bool close_button_held_ = false;
    AccessibleActionGate accessible_actions_{
        [](AccessibleActionKind kind) { return kind == AccessibleActionKind::ClosesWindow; }};
};
