#include "avrdude/run_report.h"

#include "avrdude/console_text.h"

namespace {

const QString UnknownExitCode = QStringLiteral("unbekannt (das Ende des Programms konnte nicht abgewartet werden)");

void append_section(QStringList &lines, const char *heading, const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return;
    lines << QString::fromLatin1(heading);
    lines << split_console_lines(decode_console_text(bytes));
}

} // namespace

QStringList report_lines(const RunResult &result, const QStringList &failure_lines)
{
    if (!result.started)
        return failure_lines;
    QStringList lines;
    lines << QStringLiteral("Return-Code des Programms: ")
                 + (result.wait_failed ? UnknownExitCode : QString::number(result.exit_code));
    append_section(lines, "---Output---", result.output);
    append_section(lines, "---Errors---", result.errors);
    return lines;
}
