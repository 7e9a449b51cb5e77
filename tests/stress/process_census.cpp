#include "tests/stress/process_census.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <QThreadPool>

#include <cerrno>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int ReapPollMs = 10;
constexpr int PoolWaitMs = 5000;
const QString PooledThreadName = QStringLiteral("Thread (pooled)");

int entry_count(const QString &directory)
{
    return static_cast<int>(QDir(directory).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System).size());
}

// The parent pid from /proc/<pid>/stat; the command name may hold blanks and parentheses, so
// the fields are counted from the last ')'.
pid_t parent_of(const QString &pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    const qsizetype close = text.lastIndexOf(')');
    if (close < 0)
        return -1;
    const QList<QByteArray> fields = text.mid(close + 2).split(' ');
    return fields.size() > 1 ? fields[1].toInt() : -1;
}

ProcessCensus census_now()
{
    ProcessCensus census;
    census.open_descriptors = entry_count(QStringLiteral("/proc/self/fd"));
    census.threads = entry_count(QStringLiteral("/proc/self/task"));
    for (const QFileInfo &fd : QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::System | QDir::NoDotAndDotDot))
        census.descriptor_targets << fd.symLinkTarget();
    for (const QString &task : QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(QStringLiteral("/proc/self/task/%1/comm").arg(task));
        if (comm.open(QIODevice::ReadOnly))
            census.thread_names << QString::fromLocal8Bit(comm.readAll().trimmed());
    }
    const pid_t self = ::getpid();
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        bool numeric = false;
        const pid_t pid = entry.toInt(&numeric);
        if (numeric && parent_of(entry) == self)
            census.children << pid;
    }
    return census;
}

} // namespace

ProcessCensus take_census()
{
    // Qt fills large areas on its global thread pool while it paints, and keeps those threads
    // for half a minute: they are Qt's, not left behind. Painting runs on this thread only, so
    // once the pool has let its threads go and they have ended, none comes back before the count.
    QThreadPool::globalInstance()->waitForDone(PoolWaitMs);
    QElapsedTimer clock;
    clock.start();
    ProcessCensus census = census_now();
    while (census.thread_names.contains(PooledThreadName) && clock.elapsed() < PoolWaitMs) {
        QThread::msleep(ReapPollMs);
        census = census_now();
    }
    return census;
}

int reap_ended_children(int timeout_ms)
{
    int reaped = 0;
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        const pid_t pid = ::waitpid(-1, nullptr, WNOHANG);
        if (pid > 0) {
            ++reaped;
            continue;
        }
        if (pid < 0 && errno == ECHILD)
            return reaped;
        if (clock.elapsed() >= timeout_ms)
            return reaped;
        QThread::msleep(ReapPollMs);
    }
}

bool process_group_alive(pid_t group) { return ::kill(-group, 0) == 0 || errno == EPERM; }
