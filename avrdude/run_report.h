#pragma once

#include "avrdude/run_result.h"

#include <QStringList>

// The lines a run adds to a log pane: the failure lines when the child did not start; otherwise
// the return-code line, then the output and error sections, each only when not empty.
QStringList report_lines(const RunResult &result, const QStringList &failure_lines);

inline const QString AvrdudePathNotOk = QStringLiteral("Pfad zu AVRDUDE nicht OK!");
