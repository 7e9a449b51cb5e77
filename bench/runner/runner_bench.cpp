// The process runner's cost: its overhead per run against a bare posix_spawn + waitpid of the
// same child, and its capture of 100 MiB against its peers (QProcess in both of its ways and
// Python's subprocess.run) and against cat writing the same bytes to /dev/null; and the peak
// memory a capture takes.
#include "avrdude/process_runner.h"
#include "bench/median.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QString>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

template <typename F> double time_ms(F &&f)
{
    const auto start = Clock::now();
    f();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The baseline: start the child with its output on /dev/null and wait for it.
void bare_spawn(const char *program, const char *argument)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    char *argv[] = {const_cast<char *>(program), const_cast<char *>(argument), nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, program, &actions, nullptr, argv, environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
    }
    posix_spawn_file_actions_destroy(&actions);
}

constexpr int CaptureMiB = 100;
constexpr int CaptureRuns = 5;

QString bench_file_path()
{
    // tmpfs, so that the disk is not what is measured.
    const QString dir = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    return dir + QStringLiteral("/quillon_runner_bench.bin");
}

bool write_bench_file(const QString &file, int mib)
{
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    QByteArray block(1 << 20, 'x');
    for (int i = 0; i < mib; ++i) {
        // Line breaks now and then, as a chatty child writes them.
        block[i % block.size()] = '\n';
        out.write(block);
    }
    return true;
}

QByteArray qprocess_wait_for_finished(const QString &file)
{
    QProcess process;
    process.start(QStringLiteral("/bin/cat"), {file});
    process.waitForFinished(-1);
    return process.readAllStandardOutput();
}

QByteArray qprocess_ready_read(const QString &file)
{
    QProcess process;
    QByteArray output;
    QEventLoop loop;
    QObject::connect(&process, &QProcess::readyReadStandardOutput, [&] { output += process.readAllStandardOutput(); });
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    process.start(QStringLiteral("/bin/cat"), {file});
    loop.exec();
    output += process.readAllStandardOutput();
    return output;
}

// Timed inside Python, so that starting the interpreter is not counted.
double python_subprocess_run_ms(const QString &file)
{
    const QString python = QStringLiteral("/usr/bin/python3");
    if (!QFileInfo(python).isExecutable())
        return -1;
    const QString script = QStringLiteral(
        "import subprocess, sys, time\n"
        "times = []\n"
        "for _ in range(%1):\n"
        "    start = time.perf_counter()\n"
        "    subprocess.run(['/bin/cat', sys.argv[1]], capture_output=True)\n"
        "    times.append((time.perf_counter() - start) * 1000)\n"
        "print(sorted(times)[len(times) // 2])\n").arg(CaptureRuns);
    QProcess process;
    process.start(python, {QStringLiteral("-c"), script, file});
    process.waitForFinished(-1);
    return process.readAllStandardOutput().trimmed().toDouble();
}

long status_kib(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(static_cast<qsizetype>(std::strlen(field))).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

struct PeakMemory {
    long peak_kib = 0;
    qsizetype captured_bytes = 0;
};

// Peak resident memory above the start, measured by resetting the kernel's high-water mark first.
PeakMemory runner_peak_memory(const QString &file)
{
    PeakMemory memory;
    QFile clear_refs(QStringLiteral("/proc/self/clear_refs"));
    if (!clear_refs.open(QIODevice::WriteOnly) || clear_refs.write("5") != 1)
        return memory;
    clear_refs.close();
    const long before = status_kib("VmRSS:");
    memory.captured_bytes = run_and_capture({QStringLiteral("/bin/cat"), u' ' + file}).output.size();
    memory.peak_kib = status_kib("VmHWM:") - before;
    return memory;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    constexpr int Runs = 300;
    std::vector<double> runner_times, bare_times;
    for (int i = 0; i < Runs; ++i) {
        runner_times.push_back(time_ms([] { run_and_capture({QStringLiteral("/bin/true"), QString()}); }));
        bare_times.push_back(time_ms([] { bare_spawn("/bin/true", nullptr); }));
    }
    const double runner_ms = median(runner_times);
    const double bare_ms = median(bare_times);
    std::printf("overhead: run_and_capture(/bin/true) median %.3f ms, bare posix_spawn+waitpid %.3f ms, ratio %.2f\n",
                runner_ms, bare_ms, runner_ms / bare_ms);

    // The capture against its peers, on the same 100 MiB from tmpfs in the same run.
    const QString file = bench_file_path();
    if (!write_bench_file(file, CaptureMiB))
        return 1;
    const QByteArray path = QFile::encodeName(file);
    const PeakMemory memory = runner_peak_memory(file);
    std::vector<double> capture_ms, qprocess_wait_ms, qprocess_ready_ms, cat_ms;
    qsizetype sizes[3] = {};
    for (int i = 0; i < CaptureRuns; ++i) {
        capture_ms.push_back(time_ms([&] { sizes[0] = run_and_capture({QStringLiteral("/bin/cat"), u' ' + file}).output.size(); }));
        qprocess_wait_ms.push_back(time_ms([&] { sizes[1] = qprocess_wait_for_finished(file).size(); }));
        qprocess_ready_ms.push_back(time_ms([&] { sizes[2] = qprocess_ready_read(file).size(); }));
        cat_ms.push_back(time_ms([&] { bare_spawn("/bin/cat", path.constData()); }));
    }
    const double python_ms = python_subprocess_run_ms(file);
    QFile::remove(file);
    const double mib = static_cast<double>(sizes[0]) / (1 << 20);
    const auto line = [mib](const char *what, double ms) {
        std::printf("  %-52s %7.1f ms (%4.0f MiB/s)\n", what, ms, mib / ms * 1000);
    };
    std::printf("capture of %.0f MiB from tmpfs, median of %d:\n", mib, CaptureRuns);
    line("run_and_capture", median(capture_ms));
    line("QProcess waitForFinished + readAll", median(qprocess_wait_ms));
    line("QProcess readyRead", median(qprocess_ready_ms));
    if (python_ms > 0)
        line("python3 subprocess.run(capture_output=True)", python_ms);
    else
        std::printf("  python3 subprocess.run: not measured (no /usr/bin/python3)\n");
    line("cat to /dev/null (no capture)", median(cat_ms));
    if (sizes[1] != sizes[0] || sizes[2] != sizes[0])
        std::printf("  captured sizes differ: %lld %lld %lld\n", static_cast<long long>(sizes[0]),
                    static_cast<long long>(sizes[1]), static_cast<long long>(sizes[2]));
    std::printf("runner peak memory during the capture: %.1f MiB above the start for %.1f MiB captured (%.2f x)\n",
                memory.peak_kib / 1024.0, memory.captured_bytes / 1048576.0,
                memory.peak_kib * 1024.0 / static_cast<double>(memory.captured_bytes));
    return 0;
}
