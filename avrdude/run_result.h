#pragma once

#include <QByteArray>
#include <cstdint>

// The outcome of one child process. The two streams stay separate, never interleaved.
struct RunResult {
    bool started = false;
    std::uint32_t exit_code = 0; // meaningful only when started and waited for
    bool wait_failed = false;    // started, but its end could not be waited for: no exit code
    int start_error = 0;         // not started: the system's error number, 0 when the program cannot run
    QByteArray output;
    QByteArray errors;
};
