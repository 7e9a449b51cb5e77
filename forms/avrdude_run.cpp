#include "forms/avrdude_run.h"

#include "avrdude/process_runner.h"
#include "avrdude/run_report.h"
#include "forms/live_run/live_output.h"
#include "forms/live_run/run_guard.h"
#include "forms/live_run/run_hint.h"
#include "skin/accessibility/accessible_notice.h"
#include "skin/edit/tsui_memo.h"

#include <QApplication>
#include <QEventLoop>
#include <QMetaObject>

#include <thread>

RunResult run_keeping_windows_painted(const CommandLine &command, const LiveView &view)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    RunResult result;
    QEventLoop loop;
    RunGuard guard;
    const RunHintsShown hints;
    LiveOutput live(view);
    std::thread worker([&] {
        result = run_and_capture(
            command, [&](OutputStream stream, const char *data, std::size_t size) { live.post(stream, data, size); },
            [&](pid_t pid) { guard.childStarted(pid); }, &guard.stop());
        guard.runEnded();
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    live.finish();
    QApplication::restoreOverrideCursor();
    return result;
}

void report_run(const RunResult &result, TsuiMemo &log, const QStringList &failure_lines)
{
    const QStringList lines = report_lines(result, failure_lines);
    log.appendLines(lines);
    // The log changes where the user is not: a screen reader is told how the run ended, the
    // return-code line, or the failure when avrdude did not start.
    AccessibleNotice::of(&log)->announce(result.started ? lines.value(0) : lines.join(u' '));
}
