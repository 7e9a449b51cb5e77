#include "avrdude/run_report.h"

#include "avrdude/console_text.h"

namespace {

const QString UnknownExitCode = QStringLiteral("unbekannt (das Ende des Programms konnte nicht abgewartet werden)");

void append_section(QStringList &lines, const QString &heading, const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return;
    lines << heading;
    lines << console_lines(bytes);
}

} // namespace

QString return_code_line(const RunResult &result)
{
    return QStringLiteral("Return-Code des Programms: ") + (result.wait_failed ? UnknownExitCode : QString::number(result.exit_code));
}

QStringList report_lines(const RunResult &result, const QStringList &failure_lines)
{
    if (!result.started)
        return failure_lines;
    QStringList lines{return_code_line(result)};
    append_section(lines, OutputHeading, result.output);
    append_section(lines, ErrorsHeading, result.errors);
    return lines;
}
