#pragma once

#include "avrdude/port_lock.h"

#include <QString>
#include <QStringList>

#include <optional>

class RunGuard;
class TsuiMemo;

// The lock on a run's port, taken before its child starts, so that one programmer serves one run
// at a time. While another run holds it, the log says so and the windows keep answering until
// the port is free or the user stops waiting, by Escape or by closing a window, as any run is
// stopped. A run on a port whose lock cannot be taken at all is not started. A command line that
// names no port takes no lock: which port avrdude then opens depends on its configuration.
class PortClaim {
public:
    explicit PortClaim(std::optional<QString> port);

    // Takes the lock, waiting as long as it takes; the log (cleared by the caller) shows the
    // waiting and is cleared again once the lock is taken. False when the run must not start:
    // the lines to report instead are notStartedLines().
    bool take(const RunGuard &guard, TsuiMemo *log);
    // The lock file to hand to the child (-1 without a port): a child that outlives Quillon
    // still holds the port.
    int lockFd() const { return lock_ ? lock_->fd() : -1; }
    QStringList notStartedLines() const { return not_started_; }
    // The line added after the report when the run had to wait; empty when it did not.
    QString waitedLine() const;

private:
    std::optional<QString> port_;
    std::optional<PortLock> lock_;
    QStringList not_started_;
    qint64 waited_ms_ = -1;
};
