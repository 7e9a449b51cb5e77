#pragma once

#include <atomic>

// A request to stop a run, made on one thread and seen by the runner on the thread that drains
// the child's pipes: wakeFd() becomes readable once it is made.
class RunStop {
public:
    RunStop();
    ~RunStop();
    RunStop(const RunStop &) = delete;
    RunStop &operator=(const RunStop &) = delete;

    // Any thread, any number of times.
    void request();
    bool requested() const { return requested_.load(); }
    int wakeFd() const { return read_end_; }

private:
    std::atomic<bool> requested_{false};
    int read_end_ = -1;
    int write_end_ = -1;
};
