// A run whose child prints a line and then nothing for a while (a slow programmer, a long erase):
// how often the window's thread wakes and how much processor time it takes meanwhile, Quillon's
// main window against a window that runs the same child with QProcess and appends its output to
// a QPlainTextEdit, in the same run.
#include "bench/load_average.h"
#include "bench/windows/bench_support.h"
#include "forms/main/main_form.h"
#include "skin/edit/tsui_edit.h"
#include "tests/support/program_dir_files.h"
#include "tests/support/thread_activity.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>

#include <chrono>
#include <cstdio>
#include <functional>
#include <thread>

namespace {

constexpr unsigned RunLimitSeconds = 120;
constexpr int SettleMs = 300;
constexpr int WatchedMs = 3000;

QString test_child() { return QCoreApplication::applicationDirPath() + QStringLiteral("/../tests/avrdude_test/test_child"); }

// The child's words: a line, then silence past the watched span.
QString silent_child_words()
{
    return QStringLiteral("out:started\\n sleep:%1 out:done\\n").arg(SettleMs + WatchedMs + SettleMs);
}

// What the calling thread did during the silent span while run() ran the child.
ThreadActivity activity_while(const std::function<void()> &run)
{
    const ThreadHandle window_thread = current_thread();
    ThreadActivity first, last;
    std::thread watcher([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(SettleMs));
        first = thread_activity(window_thread);
        std::this_thread::sleep_for(std::chrono::milliseconds(WatchedMs));
        last = thread_activity(window_thread);
    });
    run();
    watcher.join();
    return {last.wake_ups - first.wake_ups, last.cpu_ms - first.cpu_ms};
}

void run_with_qprocess(QPlainTextEdit &log)
{
    QProcess child;
    QEventLoop loop;
    QObject::connect(&child, &QProcess::readyReadStandardOutput, &log,
                     [&] { log.appendPlainText(QString::fromLocal8Bit(child.readAllStandardOutput())); });
    QObject::connect(&child, &QProcess::finished, &loop, &QEventLoop::quit);
    child.start(test_child(), {silent_child_words()});
    loop.exec();
}

void print(const char *who, const ThreadActivity &activity)
{
    const double seconds = WatchedMs / 1000.0;
    std::printf("  %s: %.1f wake-ups and %.2f ms of processor time a second\n", who, activity.wake_ups / seconds,
                activity.cpu_ms / seconds);
}

} // namespace

int main(int argc, char **argv)
{
    BenchApplication bench(argc, argv, RunLimitSeconds);
    TForm1 &form = bench.windows().main();
    write_program_file(QStringLiteral("options.ini"), QFile::encodeName(test_child()) + "\r\n");
    bench.windows().session().loadAvrdudePath();
    form.show();
    QPlainTextEdit peer;
    peer.setReadOnly(true);
    peer.resize(685, 400);
    peer.show();

    form.command->setText(silent_child_words());
    const ThreadActivity quillon = activity_while([&] { form.suiButton1Click(); });
    const ThreadActivity stock = activity_while([&] { run_with_qprocess(peer); });
    if (quillon.wake_ups < 0 || stock.wake_ups < 0 || quillon.cpu_ms < 0 || stock.cpu_ms < 0) {
        std::printf("silent run: the kernel does not tell a thread's wake-ups and processor time\n");
        return 1;
    }
    std::printf("silent run (the child prints a line, then nothing for %d ms), the window's thread over %d ms, load "
                "average %.2f:\n",
                WatchedMs + SettleMs, WatchedMs, load_average());
    print("quillon", quillon);
    print("QProcess with a QPlainTextEdit", stock);
    return 0;
}
