#include "tests/support/thread_activity.h"

#include <QFile>

#include <ctime>
#include <sys/syscall.h>
#include <unistd.h>

ThreadHandle current_thread() { return {::pthread_self(), static_cast<int>(::syscall(SYS_gettid))}; }

ThreadActivity thread_activity(const ThreadHandle &thread)
{
    ThreadActivity activity;
    QFile status(QStringLiteral("/proc/self/task/%1/status").arg(thread.id));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : status.readAll().split('\n'))
            if (line.startsWith("voluntary_ctxt_switches:"))
                activity.wake_ups = line.mid(line.indexOf(':') + 1).trimmed().toLong();
    }
    clockid_t clock;
    timespec used{};
    if (::pthread_getcpuclockid(thread.thread, &clock) == 0 && ::clock_gettime(clock, &used) == 0)
        activity.cpu_ms = static_cast<double>(used.tv_sec) * 1e3 + static_cast<double>(used.tv_nsec) / 1e6;
    return activity;
}
