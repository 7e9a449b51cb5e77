#include "forms/avrdude_run.h"

#include "avrdude/native_text.h"
#include "avrdude/port_argument.h"
#include "avrdude/process_runner.h"
#include "avrdude/run_report.h"
#include "avrdude/tty_exclusion.h"
#include "forms/live_run/active_run.h"
#include "forms/live_run/live_report.h"
#include "forms/live_run/port_claim.h"
#include "forms/live_run/run_guard.h"
#include "forms/live_run/run_hint.h"
#include "skin/accessibility/accessible_notice.h"
#include "skin/edit/tsui_memo.h"

#include <QApplication>
#include <QEventLoop>

#include <system_error>
#include <thread>

namespace {

// Lines in place of a report, for a run whose child never started.
RunResult report_not_started(const LiveView &view, const QStringList &lines)
{
    if (view.log) {
        view.log->appendLines(lines);
        AccessibleNotice::of(view.log)->announce(lines.join(u' '));
    }
    return {};
}

// Runs the child while the windows keep painting, and reports it into the log.
RunResult run_reported(const CommandLine &command, const LiveView &view, const QStringList &failure_lines,
                       RunGuard &guard, const PortClaim &claim, const std::optional<QString> &port)
{
    RunResult result;
    QEventLoop loop;
    LiveReport live(view);
    QObject::connect(&live, &LiveReport::allShown, &loop, &QEventLoop::quit);
    TtyExclusion exclusion(port ? native_bytes(*port) : QByteArray());
    ActiveRun active(command, guard, live);
    QByteArray errors_head;
    const auto run_child = [&] {
        // The report keeps the lines; the bytes need not be held a second time.
        result = run_and_stream(
            command,
            [&](OutputStream stream, const char *data, std::size_t size) {
                if (stream == OutputStream::Errors && errors_head.size() < ErrorsKeptBytes)
                    errors_head.append(data, std::min(static_cast<qsizetype>(size), ErrorsKeptBytes - errors_head.size()));
                if (active.reporting())
                    live.post(stream, data, size);
            },
            [&](pid_t pid) {
                guard.childStarted(pid);
                exclusion.childStarted(pid);
            },
            &guard.stop(), claim.lockFd());
        guard.runEnded();
        active.finish(result);
        live.postEnd();
    };
    // No room for the thread that runs the child is a start that failed, said as such in the log.
    std::thread worker;
    try {
        worker = std::thread(run_child);
    } catch (const std::system_error &error) {
        result.start_error = error.code().value();
    }
    if (worker.joinable()) {
        loop.exec();
        live.stopWaiting();
        worker.join();
    }
    live.complete(result, failure_lines);
    // The log changes where the user is not: a screen reader is told how the run ended, the
    // return-code line, or the failure when avrdude did not start.
    if (view.log)
        AccessibleNotice::of(view.log)->announce(result.started ? return_code_line(result)
                                                                : start_failure_lines(result, failure_lines).join(u' '));
    result.errors = std::move(errors_head);
    return result;
}

} // namespace

RunResult run_into_log(const CommandLine &command, const LiveView &view, const QStringList &failure_lines)
{
    // Quillon has been told to end: it finishes what runs, but starts nothing new.
    if (ActiveRun::newRunsRefused())
        return report_not_started(view, {QStringLiteral("Quillon wird beendet; avrdude wurde nicht mehr gestartet.")});
    QApplication::setOverrideCursor(Qt::WaitCursor);
    RunGuard guard;
    const RunHintsShown hints;
    const std::optional<QString> port = port_argument(command);
    PortClaim claim(port);
    RunResult result;
    if (claim.take(guard, view.log)) {
        result = run_reported(command, view, failure_lines, guard, claim, port);
        if (view.log && !claim.waitedLine().isEmpty())
            view.log->appendLines({claim.waitedLine()});
    } else {
        report_not_started(view, claim.notStartedLines());
    }
    QApplication::restoreOverrideCursor();
    return result;
}
