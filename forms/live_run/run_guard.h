#pragma once

#include <QObject>

#include <atomic>
#include <functional>
#include <sys/types.h>

class QTimer;

// Keeps input away from every window while a child runs, except the two ways to stop it: Escape,
// and closing one of Quillon's windows. Stopping ends the child's whole process group: terminate, then kill when
// it has not gone after a grace period.
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

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void signalGroup(int signal);

    std::atomic<pid_t> child_{0};
    std::atomic<bool> ended_{false};
    std::atomic<bool> cancelled_{false};
    QTimer *kill_timer_;
};
