#include "avrdude/run_report.h"

#include "avrdude/console_text.h"

#include <cerrno>

namespace {

const QString UnknownExitCode = QStringLiteral("unbekannt (das Ende des Programms konnte nicht abgewartet werden)");

void append_section(QStringList &lines, const QString &heading, const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return;
    lines << heading;
    lines << console_lines(bytes);
}

struct StartCause {
    int error;
    const char *text;
};

// What the user can do about it is said with it: none of these is cured by another avrdude path.
constexpr StartCause StartCauses[] = {
    {EMFILE, "zu viele offene Dateien. Schließen Sie Fenster oder Programme und versuchen Sie es noch einmal."},
    {ENFILE, "das System hat zu viele offene Dateien. Schließen Sie Programme und versuchen Sie es noch einmal."},
    {E2BIG, "der Befehl ist zu lang für das System. Kürzen Sie ihn."},
    {EAGAIN, "das System lässt keinen weiteren Prozess zu (zu viele laufende Prozesse). Beenden Sie Programme und "
             "versuchen Sie es noch einmal."},
    {ENOMEM, "zu wenig Arbeitsspeicher. Beenden Sie Programme und versuchen Sie es noch einmal."},
};

} // namespace

QStringList start_failure_lines(const RunResult &result, const QStringList &failure_lines)
{
    for (const StartCause &cause : StartCauses)
        if (cause.error == result.start_error)
            return {QStringLiteral("Der Befehl konnte nicht gestartet werden: ") + QString::fromUtf8(cause.text)};
    return failure_lines;
}

QString return_code_line(const RunResult &result)
{
    return QStringLiteral("Return-Code des Programms: ") + (result.wait_failed ? UnknownExitCode : QString::number(result.exit_code));
}

QString left_out_line(qsizetype bytes, qsizetype line_breaks)
{
    return QStringLiteral("[… %1 Bytes in etwa %2 Zeilen ausgelassen: von jeder Ausgabe behält Quillon nur den Anfang "
                          "und das Ende …]")
        .arg(bytes)
        .arg(line_breaks);
}

QStringList report_lines(const RunResult &result, const QStringList &failure_lines)
{
    if (!result.started)
        return start_failure_lines(result, failure_lines);
    QStringList lines{return_code_line(result)};
    append_section(lines, OutputHeading, result.output);
    append_section(lines, ErrorsHeading, result.errors);
    return lines;
}
