#pragma once

#include "avrdude/command_line.h"
#include "avrdude/run_result.h"
#include "forms/live_run/live_view.h"

#include <QString>
#include <QStringList>

// Runs a command line and returns when the child has ended. Meanwhile the windows keep painting
// and show a wait cursor, but take no input: a window that stops painting for a whole flash write
// looks hung, and a desktop that offers to kill it mid-write can leave a chip half-programmed.
// Escape or closing a window stops the child, and every window's run hint says so meanwhile. The
// live log is left empty for the report.
RunResult run_keeping_windows_painted(const CommandLine &command, const LiveView &view = {});

// Appends a run's report to a log pane, and has a screen reader say how the run ended.
void report_run(const RunResult &result, TsuiMemo &log, const QStringList &failure_lines);
