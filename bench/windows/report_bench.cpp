// The report of a run whose output has 100,000 lines, into the main window's log, until the log
// has been painted: the report alone, its bytes handed over as the runner hands them, without a
// child (long_output_bench measures the whole way from the click).
#include "avrdude/run_report.h"
#include "bench/windows/bench_support.h"
#include "forms/live_run/live_report.h"
#include "forms/main/main_form.h"
#include "skin/edit/tsui_memo.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

constexpr int OutputLines = 100000;
constexpr int Runs = 7;
constexpr unsigned RunLimitSeconds = 600;
constexpr double AimMs = 300.0;
constexpr qsizetype ChunkBytes = 1 << 20;

// avrdude-like lines, CR LF as on the console.
RunResult long_run()
{
    RunResult result;
    result.started = true;
    for (int i = 0; i < OutputLines; ++i)
        result.output += "avrdude: 0x" + QByteArray::number(i * 16, 16).rightJustified(6, '0') +
                         ": 0C 94 34 00 0C 94 3E 00 0C 94 3E 00 0C 94 3E 00\r\n";
    result.errors = "avrdude done.  Thank you.\r\n";
    return result;
}

void post_in_chunks(LiveReport &live, OutputStream stream, const QByteArray &bytes)
{
    for (qsizetype at = 0; at < bytes.size(); at += ChunkBytes)
        live.post(stream, bytes.constData() + at, static_cast<std::size_t>(std::min(ChunkBytes, bytes.size() - at)));
}

void report_into(TsuiMemo *log, const RunResult &result)
{
    LiveReport live({log});
    // Posted from this thread, which also takes: nothing may wait for a step.
    live.stopWaiting();
    post_in_chunks(live, OutputStream::Output, result.output);
    post_in_chunks(live, OutputStream::Errors, result.errors);
    live.postEnd();
    live.complete(result, {AvrdudePathNotOk});
}

} // namespace

int main(int argc, char *argv[])
{
    BenchApplication bench(argc, argv, RunLimitSeconds);
    ApplicationWindows &windows = bench.windows();
    TForm1 &form = windows.main();
    form.show();
    QCoreApplication::processEvents();

    const RunResult result = long_run();
    QStringList lines;
    const double split_us = median_microseconds(Runs, [&] { lines = report_lines(result, {}); });
    const double append_us = median_microseconds(Runs, [&] {
        form.Log->clearLines();
        form.Log->appendLines(lines);
    });
    const double whole_us = median_microseconds(Runs, [&] {
        form.Log->clearLines();
        report_into(form.Log, result);
        form.Log->repaint();
    });
    std::printf("report of %d output lines into the log, painted (median of %d): %.1f ms (aim <= %.0f ms)\n",
                OutputLines, Runs, whole_us / 1000.0, AimMs);
    std::printf("  of which decoding and splitting %.1f ms, appending to the log %.1f ms\n", split_us / 1000.0,
                append_us / 1000.0);
    std::printf("  log holds %lld lines\n", static_cast<long long>(form.Log->lines().size()));
    return 0;
}
