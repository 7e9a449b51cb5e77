#pragma once

#include "avrdude/command_line.h"
#include "avrdude/run_result.h"
#include "forms/live_run/live_view.h"

#include <QStringList>

// Runs a command line and reports it into the log, which the caller has cleared: the return-code
// line, the output and the errors, or the failure lines when the program does not start. While
// the child runs, the log already shows its lines in the report's sections as they arrive, and
// the windows keep painting and show a wait cursor, but take no input: a window that stops
// painting for a whole flash write looks hung, and a desktop that offers to kill it mid-write can
// leave a chip half-programmed. Escape or closing a window stops the child, and every window's run
// hint says so meanwhile. A screen reader is told how the run ended.
// The result holds only the head of the error stream (ErrorsKeptBytes), where avrdude says why it
// could not reach the programmer; the whole of both streams is in the log.
RunResult run_into_log(const CommandLine &command, const LiveView &view, const QStringList &failure_lines);
constexpr qsizetype ErrorsKeptBytes = 1 << 20;
