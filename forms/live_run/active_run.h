#pragma once

#include "avrdude/command_line.h"
#include "avrdude/run_result.h"

#include <QByteArray>

#include <atomic>

class LiveReport;
class RunGuard;

// The run under way in this process, as the application's end sees it: registered while its child
// lives. Quillon, told to end, lets the run finish instead of cutting it short (the chip would be
// left half-written), says on standard error what ran and how it ended, and can stop it as Escape
// does. The record works without an event loop, for an end that comes from inside one.
class ActiveRun {
public:
    // Called on the user-interface thread when the registered run is over.
    using WhenOver = void (*)(const ActiveRun &run);

    ActiveRun(const CommandLine &command, RunGuard &guard, LiveReport &live);
    ~ActiveRun();
    ActiveRun(const ActiveRun &) = delete;
    ActiveRun &operator=(const ActiveRun &) = delete;

    // Runner's thread, once the child has ended and its pipes are drained.
    void finish(const RunResult &result);
    // Runner's thread: whether the log still takes the child's output.
    bool reporting() const { return !detached_.load(); }

    // The registered run, or nullptr.
    static ActiveRun *current() { return current_.load(); }
    // Once the application was told to end, no run starts any more.
    static void refuseNewRuns() { refused_.store(true); }
    static bool newRunsRefused() { return refused_.load(); }
    static void setWhenOver(WhenOver hook) { when_over_.store(hook); }

    // The command line as it ran; and, once ended, how it ended: the report's return-code line.
    const QByteArray &commandText() const { return command_text_; }
    bool ended() const { return ended_.load(); }
    const QByteArray &outcome() const { return outcome_; }
    // Readable once the run has ended.
    int endedFd() const { return ended_fd_; }

    // As Escape: the child's group is terminated, and killed after the grace period.
    void stop();
    // Kills the child's group at once: for the end of the grace period when no event loop runs.
    void kill();
    // No event loop will show the output any more: the runner drops it and never waits for the log.
    void detach();

private:
    // Trivially destructible: read while the process ends.
    static constinit std::atomic<ActiveRun *> current_;
    static constinit std::atomic<bool> refused_;
    static constinit std::atomic<WhenOver> when_over_;

    RunGuard &guard_;
    LiveReport &live_;
    QByteArray command_text_;
    QByteArray outcome_;
    std::atomic<bool> ended_{false};
    std::atomic<bool> detached_{false};
    int ended_fd_ = -1;
};
