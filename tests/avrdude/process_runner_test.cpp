#include "avrdude/process_runner.h"

#include "avrdude/native_text.h"
#include "avrdude/run_report.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <dirent.h>
#include <filesystem>
#include <sys/resource.h>
#include <unistd.h>

namespace {

QString child() { return QCoreApplication::applicationDirPath() + QStringLiteral("/test_child"); }

RunResult run_child(const QString &arguments, const ChunkObserver &observer = {})
{
    return run_and_capture({child(), u' ' + arguments}, observer);
}

int open_descriptor_count()
{
    int count = 0;
    if (DIR *dir = ::opendir("/proc/self/fd")) {
        while (::readdir(dir))
            ++count;
        ::closedir(dir);
    }
    return count;
}

// What the test child's fill writes: 64 KiB blocks of 'x', each ending in a line break.
QByteArray fill_bytes(qsizetype count)
{
    QByteArray bytes(count, 'x');
    for (qsizetype end = 65535; end < count; end += 65536)
        bytes[end] = '\n';
    return bytes;
}

} // namespace

TEST(ProcessRunner, CapturesBothStreamsSeparatelyWithTheExitCode)
{
    const RunResult result = run_child(QStringLiteral("out:one\\n err:two\\n out:three exit:3"));
    ASSERT_TRUE(result.started);
    EXPECT_EQ(result.exit_code, 3u);
    EXPECT_EQ(result.output, QByteArray("one\nthree"));
    EXPECT_EQ(result.errors, QByteArray("two\n"));

    const RunResult silent = run_child(QString());
    ASSERT_TRUE(silent.started);
    EXPECT_EQ(silent.exit_code, 0u);
    EXPECT_TRUE(silent.output.isEmpty());
    EXPECT_TRUE(silent.errors.isEmpty());
}

// Streams larger than any pipe or read come through whole, byte for byte, to the result and to
// the observer alike; streamed, to the observer alone.
TEST(ProcessRunner, DrainsBothPipesSoAFullOneCannotBlockTheOther)
{
    const QByteArray errors = fill_bytes(3000000) + fill_bytes(5);
    const QByteArray output = "after" + fill_bytes(2500000);
    for (const auto run : {&run_and_capture, &run_and_stream}) {
        const bool kept = run == &run_and_capture;
        SCOPED_TRACE(kept ? "captured" : "streamed");
        QByteArray seen[2];
        const RunResult result = run({child(), QStringLiteral(" errfill:3000000 out:after outfill:2500000 errfill:5")},
                                     [&](OutputStream stream, const char *data, std::size_t size) {
                                         seen[stream == OutputStream::Errors].append(data, static_cast<qsizetype>(size));
                                     },
                                     {}, nullptr, -1);
        ASSERT_TRUE(result.started);
        EXPECT_TRUE(seen[0] == output);
        EXPECT_TRUE(seen[1] == errors);
        EXPECT_TRUE(result.output == (kept ? output : QByteArray()));
        EXPECT_TRUE(result.errors == (kept ? errors : QByteArray()));
    }
}

TEST(ProcessRunner, ReportsAChildEndedBySignalAs128PlusTheSignal)
{
    const RunResult result = run_child(QStringLiteral("out:partial signal:9"));
    ASSERT_TRUE(result.started);
    EXPECT_EQ(result.exit_code, 128u + 9u);
    EXPECT_EQ(result.output, QByteArray("partial"));
}

TEST(ProcessRunner, EndsOnlyWhenTheLastHolderOfThePipesHasGone)
{
    QElapsedTimer clock;
    clock.start();
    const RunResult result = run_child(QStringLiteral("grandchild:400 out:parent exit:0"));
    EXPECT_GE(clock.elapsed(), 350);
    ASSERT_TRUE(result.started);
    EXPECT_EQ(result.output, QByteArray("parent"));
}

TEST(ProcessRunner, DoesNotStartWhatCannotRunAndLeaksNothing)
{
    const int before = open_descriptor_count();
    for (const QString &program : {QString(), QStringLiteral("/nonexistent/avrdude")}) {
        const RunResult result = run_and_capture({program, QStringLiteral(" /c / -p m8")});
        EXPECT_FALSE(result.started) << program.toStdString();
        EXPECT_TRUE(result.output.isEmpty());
    }
    for (int i = 0; i < 50; ++i)
        ASSERT_TRUE(run_child(QStringLiteral("out:x")).started);
    EXPECT_EQ(open_descriptor_count(), before);
}

TEST(ProcessRunner, PassesQuotedArgumentsWithBlanksAsOneAndStdinIsEmpty)
{
    const RunResult result = run_child(QStringLiteral("echoargs /c / -U flash:w:\"/my dir/a b.hex\":a"));
    ASSERT_TRUE(result.started);
    EXPECT_EQ(result.output, QByteArray("/c\n/\n-U\nflash:w:/my dir/a b.hex:a\n"));

    const RunResult cat = run_and_capture({QStringLiteral("cat"), QString()});
    ASSERT_TRUE(cat.started);
    EXPECT_EQ(cat.exit_code, 0u);
    EXPECT_TRUE(cat.output.isEmpty());
}

// A program and a file whose names are not UTF-8 reach the system byte for byte.
TEST(ProcessRunner, KeepsEveryByteOfTheProgramAndItsArguments)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray program = QFile::encodeName(dir.path()) + "/pr\xf6gramm";
    std::filesystem::copy_file(QFile::encodeName(child()).toStdString(), program.toStdString());
    const QString arguments = QStringLiteral(" echoargs -U flash:w:\"") + native_text("/my dir/lat\xe4in.hex")
                              + QStringLiteral("\":a");
    const RunResult result = run_and_capture({native_text(program), arguments});
    // QTemporaryDir cannot name it either.
    std::filesystem::remove(program.toStdString());
    ASSERT_TRUE(result.started);
    EXPECT_EQ(result.output, QByteArray("-U\nflash:w:/my dir/lat\xe4in.hex:a\n"));
}

TEST(ProcessRunner, RunsBatchFilesThroughTheShell)
{
    QTemporaryDir dir;
    const QString script = dir.path() + QStringLiteral("/install_giveio.bat");
    QFile file(script);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("echo installing\necho problem >&2\nexit 4\n");
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);

    const RunResult result = run_and_capture({script, QString()});
    ASSERT_TRUE(result.started);
    EXPECT_EQ(result.exit_code, 4u);
    EXPECT_EQ(result.output, QByteArray("installing\n"));
    EXPECT_EQ(result.errors, QByteArray("problem\n"));
}

TEST(ProcessRunner, HandsChunksOverWhileTheChildStillRuns)
{
    QElapsedTimer clock;
    clock.start();
    qint64 first_chunk_ms = -1;
    const RunResult result = run_child(QStringLiteral("out:early sleep:400 out:late"),
                                       [&](OutputStream, const char *, std::size_t) {
                                           if (first_chunk_ms < 0)
                                               first_chunk_ms = clock.elapsed();
                                       });
    const qint64 end_ms = clock.elapsed();
    ASSERT_GE(first_chunk_ms, 0);
    EXPECT_LE(first_chunk_ms, end_ms - 300);
    EXPECT_EQ(result.output, QByteArray("earlylate"));
}

TEST(ProcessRunner, StartsTheChildInAProcessGroupOfItsOwn)
{
    pid_t child_pid = 0;
    const CommandLine print_own_group{QStringLiteral("sh"),
                                      QStringLiteral(" -c \"read -r pid comm state ppid pgrp rest < /proc/$$/stat; echo $pgrp\"")};
    const RunResult result = run_and_capture(print_own_group, {}, [&](pid_t pid) { child_pid = pid; });
    ASSERT_TRUE(result.started);
    EXPECT_EQ(result.output.trimmed().toLongLong(), static_cast<long long>(child_pid));
}

TEST(ProcessRunner, HandsEveryChunkToTheObserverInArrivalOrder)
{
    QByteArray seen_output;
    QByteArray seen_errors;
    const RunResult result = run_child(QStringLiteral("out:a sleep:50 err:b sleep:50 out:c"),
                                       [&](OutputStream stream, const char *data, std::size_t size) {
                                           (stream == OutputStream::Output ? seen_output : seen_errors)
                                               .append(data, static_cast<qsizetype>(size));
                                       });
    EXPECT_EQ(seen_output, result.output);
    EXPECT_EQ(seen_errors, result.errors);
    EXPECT_EQ(result.output, QByteArray("ac"));
}

// Under a parent that ignores SIGCHLD the system reaps the child itself; its code is then unknown
// and must not come back as 0.
TEST(ProcessRunner, AChildReapedBehindItsBackHasNoExitCode)
{
    struct sigaction ignore{}, previous{};
    ignore.sa_handler = SIG_IGN;
    ASSERT_EQ(::sigaction(SIGCHLD, &ignore, &previous), 0);
    const RunResult result = run_child(QStringLiteral("out:x exit:3"));
    ::sigaction(SIGCHLD, &previous, nullptr);
    ASSERT_TRUE(result.started);
    EXPECT_TRUE(result.wait_failed);
    EXPECT_EQ(result.output, QByteArray("x"));
}

// A run that cannot start says why when the program is not to blame; only a program that cannot
// be run gets the caller's lines, which send the user to its path.
TEST(ProcessRunner, AStartThatFailsNamesItsCause)
{
    const QStringList path_lines{QStringLiteral("Pfad zu AVRDUDE nicht OK!"), QStringLiteral("/nicht/da")};
    struct Case {
        const char *name;
        CommandLine command;
        int open_file_room; // descriptors left free to the run, -1 for no limit
        QString first_line;
    };
    const Case cases[] = {
        {"a program that is not there", {QStringLiteral("/nicht/da"), QStringLiteral(" -p m8")}, -1, path_lines.first()},
        {"a command too long for the system", {child(), u' ' + QString(200000, u'a')}, -1,
         QStringLiteral("Der Befehl konnte nicht gestartet werden: der Befehl ist zu lang für das System. Kürzen Sie ihn.")},
        {"too many open files", {child(), QStringLiteral(" out:x")}, 1,
         QStringLiteral("Der Befehl konnte nicht gestartet werden: zu viele offene Dateien. Schließen Sie Fenster oder "
                        "Programme und versuchen Sie es noch einmal.")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        rlimit files{};
        ::getrlimit(RLIMIT_NOFILE, &files);
        if (c.open_file_room >= 0) {
            // The lowest free descriptor is where the pipes would go; one more fits, two do not.
            const int lowest_free = ::dup(0);
            ::close(lowest_free);
            const rlimit tight{static_cast<rlim_t>(lowest_free + c.open_file_room), files.rlim_max};
            ::setrlimit(RLIMIT_NOFILE, &tight);
        }
        const RunResult result = run_and_capture(c.command);
        ::setrlimit(RLIMIT_NOFILE, &files);
        EXPECT_FALSE(result.started);
        const QStringList lines = report_lines(result, path_lines);
        EXPECT_EQ(lines.value(0), c.first_line);
        EXPECT_EQ(lines.size(), c.first_line == path_lines.first() ? path_lines.size() : 1);
    }
}
