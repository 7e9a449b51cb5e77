#include "forms/avrdude_run.h"

#include "avrdude/process_runner.h"
#include "avrdude/run_report.h"
#include "skin/edit/tsui_memo.h"

#include <QApplication>
#include <QEventLoop>
#include <QMetaObject>

#include <thread>

RunResult run_keeping_windows_painted(const QString &command_line)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    RunResult result;
    QEventLoop loop;
    std::thread worker([&] {
        result = run_and_capture(command_line);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
    QApplication::restoreOverrideCursor();
    return result;
}

void report_run(const RunResult &result, TsuiMemo &log, const QStringList &failure_lines)
{
    log.appendLines(report_lines(result, failure_lines));
}
