#pragma once

#include <QByteArray>
#include <cstdint>

// The outcome of one child process. The two streams stay separate, never interleaved.
struct RunResult {
    bool started = false;
    std::uint32_t exit_code = 0; // meaningful only when started
    QByteArray output;
    QByteArray errors;
};
