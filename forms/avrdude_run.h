#pragma once

#include "avrdude/run_result.h"

#include <QString>
#include <QStringList>

class TsuiMemo;

// Runs a command line and returns when the child has ended. Meanwhile the windows keep painting
// and show a wait cursor, but take no input: a window that stops painting for a whole flash write
// looks hung, and a desktop that offers to kill it mid-write can leave a chip half-programmed.
RunResult run_keeping_windows_painted(const QString &command_line);

// Appends a run's report to a log pane.
void report_run(const RunResult &result, TsuiMemo &log, const QStringList &failure_lines);
