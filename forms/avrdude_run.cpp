#include "forms/avrdude_run.h"

#include "avrdude/process_runner.h"
#include "avrdude/run_report.h"
#include "forms/live_run/live_report.h"
#include "forms/live_run/run_guard.h"
#include "forms/live_run/run_hint.h"
#include "skin/accessibility/accessible_notice.h"
#include "skin/edit/tsui_memo.h"

#include <QApplication>
#include <QEventLoop>

#include <system_error>
#include <thread>

RunResult run_into_log(const CommandLine &command, const LiveView &view, const QStringList &failure_lines)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    RunResult result;
    QEventLoop loop;
    RunGuard guard;
    const RunHintsShown hints;
    LiveReport live(view);
    QObject::connect(&live, &LiveReport::allShown, &loop, &QEventLoop::quit);
    QByteArray errors_head;
    const auto run_child = [&] {
        // The report keeps the lines; the bytes need not be held a second time.
        result = run_and_stream(
            command,
            [&](OutputStream stream, const char *data, std::size_t size) {
                if (stream == OutputStream::Errors && errors_head.size() < ErrorsKeptBytes)
                    errors_head.append(data, std::min(static_cast<qsizetype>(size), ErrorsKeptBytes - errors_head.size()));
                live.post(stream, data, size);
            },
            [&](pid_t pid) { guard.childStarted(pid); }, &guard.stop());
        guard.runEnded();
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
    QApplication::restoreOverrideCursor();
    // The log changes where the user is not: a screen reader is told how the run ended, the
    // return-code line, or the failure when avrdude did not start.
    if (view.log)
        AccessibleNotice::of(view.log)->announce(result.started ? return_code_line(result)
                                                                : start_failure_lines(result, failure_lines).join(u' '));
    result.errors = std::move(errors_head);
    return result;
}
