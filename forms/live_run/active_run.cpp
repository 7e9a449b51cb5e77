#include "forms/live_run/active_run.h"

#include "avrdude/native_text.h"
#include "avrdude/run_report.h"
#include "forms/live_run/live_report.h"
#include "forms/live_run/run_guard.h"

#include <sys/eventfd.h>
#include <unistd.h>

constinit std::atomic<ActiveRun *> ActiveRun::current_{nullptr};
constinit std::atomic<bool> ActiveRun::refused_{false};
constinit std::atomic<ActiveRun::WhenOver> ActiveRun::when_over_{nullptr};

ActiveRun::ActiveRun(const CommandLine &command, RunGuard &guard, LiveReport &live)
    : guard_(guard)
    , live_(live)
    , command_text_(native_bytes(command.text()))
    , ended_fd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
    current_.store(this);
}

ActiveRun::~ActiveRun()
{
    current_.store(nullptr);
    if (const WhenOver hook = when_over_.load())
        hook(*this);
    if (ended_fd_ >= 0)
        ::close(ended_fd_);
}

void ActiveRun::finish(const RunResult &result)
{
    outcome_ = (result.started ? return_code_line(result) : QStringLiteral("nicht gestartet")).toUtf8();
    if (guard_.cancelled())
        outcome_ += " (abgebrochen)";
    ended_.store(true);
    const eventfd_t one = 1;
    ::eventfd_write(ended_fd_, one);
}

void ActiveRun::stop() { guard_.cancel(); }

void ActiveRun::kill() { guard_.kill(); }

void ActiveRun::detach()
{
    detached_.store(true);
    live_.stopWaiting();
}
