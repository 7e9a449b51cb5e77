#pragma once

#include "avrdude/run_result.h"

#include <QStringList>

// The lines a run adds to a log pane: the failure lines when the child did not start; otherwise
// the return-code line, then the output and error sections, each only when not empty.
QStringList report_lines(const RunResult &result, const QStringList &failure_lines);

// The report's parts, for a report that is built while the child still writes: its first line,
// and the headings that open a stream's section once the stream has any bytes.
QString return_code_line(const RunResult &result);
inline const QString OutputHeading = QStringLiteral("---Output---");
inline const QString ErrorsHeading = QStringLiteral("---Errors---");

inline const QString AvrdudePathNotOk = QStringLiteral("Pfad zu AVRDUDE nicht OK!");
