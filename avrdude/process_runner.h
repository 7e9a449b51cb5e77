#pragma once

#include "avrdude/command_line.h"
#include "avrdude/run_result.h"
#include "avrdude/run_stop.h"

#include <QString>

#include <functional>
#include <sys/types.h>

enum class OutputStream { Output, Errors };

// The longest single argument the system hands a program, in bytes without its closing NUL
// (Linux: 32 pages). A longer one fails the start as a command too long.
constexpr qsizetype LongestArgumentBytes = 32 * 4096 - 1;

// Sees each chunk as it arrives, on the thread that runs the child. Optional.
using ChunkObserver = std::function<void(OutputStream, const char *data, std::size_t size)>;

// Runs the command line's program with its arguments, standard input on /dev/null and both
// output streams piped, and returns when the child has ended and both streams are at their end.
// A program ending in ".bat" is run through /bin/sh. The child leads a process group of its own,
// so that it and everything it starts can be ended together. Once `stop` is requested (ending the
// child is the requester's part) and the child has ended, the run ends with what was captured,
// even while something the child left behind keeps the pipes open. A descriptor given as
// inherited_fd stays open in the child under its own number (a lock the child holds on to).
RunResult run_and_capture(const CommandLine &command, const ChunkObserver &observer = {},
                          const std::function<void(pid_t)> &on_started = {}, const RunStop *stop = nullptr,
                          int inherited_fd = -1);

// The same, but every chunk goes to the observer only, and the result's texts stay empty: for a
// caller that keeps what it needs of an output too long to hold twice.
RunResult run_and_stream(const CommandLine &command, const ChunkObserver &observer,
                         const std::function<void(pid_t)> &on_started = {}, const RunStop *stop = nullptr,
                         int inherited_fd = -1);
