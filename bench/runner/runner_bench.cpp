// The process runner's cost: its overhead per run against a bare posix_spawn + waitpid of the
// same child, and its capture throughput against cat writing the same bytes to /dev/null.
#include "avrdude/process_runner.h"
#include "bench/median.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <chrono>
#include <cstdio>
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
void bare_spawn2(const char *program, const char *argument, const char *second)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    char *argv[] = {const_cast<char *>(program), const_cast<char *>(argument), const_cast<char *>(second), nullptr};
    if (!argument)
        argv[1] = nullptr;
    pid_t pid = -1;
    if (posix_spawn(&pid, program, &actions, nullptr, argv, environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
    }
    posix_spawn_file_actions_destroy(&actions);
}

void bare_spawn(const char *program, const char *argument) { bare_spawn2(program, argument, nullptr); }

} // namespace

int main()
{
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

    const QString file = QDir::tempPath() + QStringLiteral("/quillon_runner_bench.bin");
    {
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly))
            return 1;
        const QByteArray block(1 << 20, 'x');
        for (int i = 0; i < 100; ++i)
            out.write(block);
    }
    const QByteArray path = QFile::encodeName(file);
    std::vector<double> capture_times, cat_times, piped_times;
    qsizetype captured = 0;
    for (int i = 0; i < 5; ++i) {
        capture_times.push_back(time_ms([&] {
            captured = run_and_capture({QStringLiteral("/bin/cat"), u' ' + file}).output.size();
        }));
        cat_times.push_back(time_ms([&] { bare_spawn("/bin/cat", path.constData()); }));
        const QByteArray pipeline = "/bin/cat '" + path + "' | /bin/cat > /dev/null";
        piped_times.push_back(time_ms([&] { bare_spawn2("/bin/sh", "-c", pipeline.constData()); }));
    }
    QFile::remove(file);
    const double capture_ms = median(capture_times);
    const double cat_ms = median(cat_times);
    const double piped_ms = median(piped_times);
    const double mb = static_cast<double>(captured) / (1 << 20);
    std::printf("throughput: captured %.0f MiB in %.1f ms (%.0f MiB/s); cat to /dev/null %.1f ms (%.0f MiB/s); "
                "ratio %.2f of cat\n",
                mb, capture_ms, mb / capture_ms * 1000, cat_ms, 100.0 / cat_ms * 1000, cat_ms / capture_ms);
    // What holding the bytes costs by itself: 8192-byte appends to one growing buffer.
    std::vector<double> hold_times;
    const QByteArray chunk(8192, 'x');
    for (int i = 0; i < 5; ++i) {
        hold_times.push_back(time_ms([&] {
            QByteArray held;
            while (held.size() < captured)
                held.append(chunk);
        }));
    }
    std::printf("of which memory: appending the same bytes in 8192-byte chunks in memory alone %.1f ms\n",
                median(hold_times));
    std::printf("throughput through a pipe: cat | cat > /dev/null %.1f ms (%.0f MiB/s); ratio %.2f of it\n", piped_ms,
                100.0 / piped_ms * 1000, piped_ms / capture_ms);
    return 0;
}
