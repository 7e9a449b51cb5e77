#pragma once

#include "avrdude/run_result.h"

#include <QStringList>

// The lines a run adds to a log pane: the failure lines when the child did not start; otherwise
// the return-code line, then the output and error sections, each only when not empty.
QStringList report_lines(const RunResult &result, const QStringList &failure_lines);

// The lines for a child that did not start: the caller's failure lines when its program cannot be
// run, else the cause the system gave, in German (too many open files, a command too long for
// the system, no room for another process or too little memory).
QStringList start_failure_lines(const RunResult &result, const QStringList &failure_lines);

// The report's parts, for a report that is built while the child still writes: its first line,
// and the headings that open a stream's section once the stream has any bytes.
QString return_code_line(const RunResult &result);
inline const QString OutputHeading = QStringLiteral("---Output---");
inline const QString ErrorsHeading = QStringLiteral("---Errors---");

// The line that stands in a stream's section where its middle was left out (see KeptOutput).
QString left_out_line(qsizetype bytes, qsizetype line_breaks);

inline const QString AvrdudePathNotOk = QStringLiteral("Pfad zu AVRDUDE nicht OK!");
