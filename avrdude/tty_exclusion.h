#pragma once

#include <QByteArray>

#include <condition_variable>
#include <mutex>
#include <sys/types.h>
#include <thread>

// Keeps every other program (a terminal program, a modem manager probing new ports, avrdude
// started from a shell) from opening the serial port a run's avrdude has open: the port is made
// exclusive (TIOCEXCL) as soon as avrdude has opened it, and open to all again when the run is
// over. It cannot be made exclusive before, as avrdude's own open would then be refused. Only
// opens by processes without administrator rights are kept out, as the system does it.
class TtyExclusion {
public:
    // The port as avrdude gets it; nothing is done unless it names a character device.
    explicit TtyExclusion(const QByteArray &port);
    // Lets others open the port again.
    ~TtyExclusion();
    TtyExclusion(const TtyExclusion &) = delete;
    TtyExclusion &operator=(const TtyExclusion &) = delete;

    // Any thread, once: watches the child's open files for the port.
    void childStarted(pid_t pid);

private:
    void watch(pid_t pid);
    bool takeFrom(pid_t pid);

    dev_t device_ = 0;
    std::mutex mutex_;
    std::condition_variable stop_requested_;
    bool stopping_ = false;
    int port_fd_ = -1; // our own open of the port, through which it is exclusive
    std::thread watcher_;
};
