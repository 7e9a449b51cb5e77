#pragma once

#include <string>
#include <sys/types.h>

// An X server of a benchmark's own (Xvfb, no window manager), on a display it picks itself. It
// stays up between the programs it serves, as a user's does; a server that resets as each leaves
// makes the next start wait for the reset. Ended by its PID and reaped.
class XServer {
public:
    XServer();
    ~XServer();
    XServer(const XServer &) = delete;
    XServer &operator=(const XServer &) = delete;

    // Empty when no server could be started (Xvfb missing, or it did not answer in time).
    const std::string &display() const { return display_; }

private:
    pid_t pid_ = -1;
    std::string display_;
};
