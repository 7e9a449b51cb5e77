// The runner under load and under faults, with real child processes: many runs in a row, huge
// output on both streams at once, a grandchild that outlives the child, and children ended by
// signals. Every wait is bounded; every child is reaped.
#include "avrdude/process_runner.h"
#include "avrdude/run_report.h"
#include "forms/main/main_form.h"
#include "session/session.h"
#include "skin/edit/tsui_memo.h"
#include "tests/stress/process_census.h"
#include "tests/support/program_dir_files.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <thread>

namespace {

constexpr int ChildrenInARow = 1000;
constexpr qint64 HugeStreamBytes = 100 * 1024 * 1024;
constexpr int GrandchildHoldSeconds = 2;
constexpr int CancelAfterMs = 300;
constexpr int ReapTimeoutMs = 5000;
constexpr int KillAfterMs = 200;
constexpr int UncancelledSleepSeconds = 20;
constexpr int DaemonSafetyKillMs = 8000;
constexpr int CensusSettleMs = 2000;
constexpr int CensusPollMs = 20;

// A shell command line run as Quillon runs a program with its arguments.
CommandLine shell(const QString &script) { return {QStringLiteral("/bin/sh"), QStringLiteral(" -c \"") + script + u'"'}; }

QStringList report_of(const QString &script)
{
    return report_lines(run_and_capture(shell(script)), {AvrdudePathNotOk});
}

void expect_nothing_left_behind(const ProcessCensus &before)
{
    // A thread that has just been joined can still be listed for a moment, and more so on a
    // loaded machine; what is still there after the settle time has been left behind. A thread of
    // Qt's or of the sanitizers' own that was there before and has ended since is no leftover.
    QElapsedTimer clock;
    clock.start();
    ProcessCensus after = take_census();
    while ((after.open_descriptors != before.open_descriptors || after.threads > before.threads ||
            !after.children.isEmpty()) &&
           clock.elapsed() < CensusSettleMs) {
        QThread::msleep(CensusPollMs);
        after = take_census();
    }
    EXPECT_EQ(after.open_descriptors, before.open_descriptors)
        << before.descriptor_targets.join(u' ').toStdString() << "\n -> " << after.descriptor_targets.join(u' ').toStdString();
    EXPECT_LE(after.threads, before.threads)
        << before.thread_names.join(u' ').toStdString() << " -> " << after.thread_names.join(u' ').toStdString();
    EXPECT_TRUE(after.children.isEmpty()) << after.children.size() << " processes left, first " << after.children.value(0);
}

// A run stopped from the main window, as the user stops it: the window shown (which reads the
// settings file), one run to warm up, and the census taken after it.
class StoppedRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        install_data_file(QStringLiteral("options.ini"));
        form.show();
        form.runIntoLog({QStringLiteral("/bin/true"), QString()}, {AvrdudePathNotOk});
        before = take_census();
    }
    void TearDown() override { form.hide(); }

    Session session;
    TForm1 form{session};
    ProcessCensus before;
};

} // namespace

TEST(RunnerStress, AThousandChildrenInARowThroughTheMainWindowLeaveNothingBehind)
{
    Session session;
    TForm1 form{session};
    // The first run may set up what Qt creates once; only growth after it is a leak.
    form.runIntoLog({QStringLiteral("/bin/true"), QString()}, {AvrdudePathNotOk});
    const ProcessCensus before = take_census();
    for (int run = 0; run < ChildrenInARow; ++run) {
        form.runIntoLog(shell(QStringLiteral("echo out %1; echo err %1 >&2; exit %2").arg(run).arg(run % 3)),
                        {AvrdudePathNotOk});
        const QStringList expected{QStringLiteral("Return-Code des Programms: %1").arg(run % 3),
                                   QStringLiteral("---Output---"), QStringLiteral("out %1").arg(run),
                                   QStringLiteral("---Errors---"), QStringLiteral("err %1").arg(run)};
        ASSERT_EQ(form.Log->lines(), expected) << "run " << run;
    }
    expect_nothing_left_behind(before);
}

TEST(RunnerStress, CapturesAHundredMegabytesOnBothStreamsAtOnce)
{
    const ProcessCensus before = take_census();
    const CommandLine command = shell(
        QStringLiteral("head -c %1 /dev/zero | tr '\\0' o & head -c %1 /dev/zero | tr '\\0' e >&2; wait").arg(HugeStreamBytes));
    const RunResult result = run_and_capture(command);
    ASSERT_TRUE(result.started);
    EXPECT_EQ(result.exit_code, 0u);
    ASSERT_EQ(result.output.size(), HugeStreamBytes);
    ASSERT_EQ(result.errors.size(), HugeStreamBytes);
    // Not a byte of one stream in the other.
    EXPECT_EQ(result.output.count('o'), HugeStreamBytes);
    EXPECT_EQ(result.errors.count('e'), HugeStreamBytes);
    expect_nothing_left_behind(before);
}

TEST(RunnerStress, ARunEndsWhenAGrandchildThatOutlivesTheChildClosesThePipes)
{
    const ProcessCensus before = take_census();
    QElapsedTimer clock;
    clock.start();
    const QStringList report =
        report_of(QStringLiteral("(sleep %1; echo late; echo late error >&2) & echo early; exit 4")
                      .arg(GrandchildHoldSeconds));
    EXPECT_GE(clock.elapsed(), GrandchildHoldSeconds * 1000 - 100);
    EXPECT_EQ(report, (QStringList{QStringLiteral("Return-Code des Programms: 4"), QStringLiteral("---Output---"),
                                   QStringLiteral("early"), QStringLiteral("late"), QStringLiteral("---Errors---"),
                                   QStringLiteral("late error")}));
    // The grandchild was orphaned to this program; once it has ended, nothing is left.
    reap_ended_children(ReapTimeoutMs);
    expect_nothing_left_behind(before);
}

TEST_F(StoppedRun, EscapeEndsAGrandchildThatHoldsThePipesWithTheChild)
{
    pid_t group = 0;
    QElapsedTimer clock;
    clock.start();
    QTimer::singleShot(CancelAfterMs, &form, [&] { QTest::keyClick(form.Log, Qt::Key_Escape); });
    // The grandchild sleeps far longer than the cancel takes; should the cancel miss it, the run
    // still ends when it does, and the time shows the miss.
    form.runIntoLog(shell(QStringLiteral("sleep %1 & echo started; echo $$; wait").arg(UncancelledSleepSeconds)),
                    {AvrdudePathNotOk});
    EXPECT_LT(clock.elapsed(), UncancelledSleepSeconds * 1000 / 2);
    const QStringList lines = form.Log->lines();
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines[0], QStringLiteral("Return-Code des Programms: %1").arg(128 + SIGTERM));
    EXPECT_EQ(lines[2], QStringLiteral("started"));
    group = lines[3].toInt();
    ASSERT_GT(group, 0);
    reap_ended_children(ReapTimeoutMs);
    EXPECT_FALSE(process_group_alive(group));
    expect_nothing_left_behind(before);
}

TEST_F(StoppedRun, StoppingEndsARunWhoseDaemonKeepsThePipesOpen)
{
    // A daemon in a session of its own is out of reach of the stop's signals and holds our pipes
    // for ever; once the child itself has ended, stopping must not wait for it.
    struct Case {
        const char *child_after_starting_the_daemon;
        int code;
    };
    for (const Case &c : {Case{"exit 3", 3}, Case{"exec sleep 100000", 128 + SIGTERM}}) {
        QTemporaryDir dir;
        const QString pid_file = dir.filePath(QStringLiteral("daemon.pid"));
        pid_t daemon = 0;
        const auto read_daemon_pid = [&] {
            QFile file(pid_file);
            if (daemon == 0 && file.open(QIODevice::ReadOnly))
                daemon = file.readAll().trimmed().toInt();
        };
        QTimer::singleShot(CancelAfterMs, &form, [&] { QTest::keyClick(form.Log, Qt::Key_Escape); });
        // Should the stop wait for the daemon, this ends it, so that the test fails rather than hangs.
        QTimer::singleShot(DaemonSafetyKillMs, &form, [&] {
            read_daemon_pid();
            if (daemon > 0)
                ::kill(daemon, SIGKILL);
        });
        QElapsedTimer clock;
        clock.start();
        form.runIntoLog(shell(QStringLiteral("setsid sh -c 'echo $$ >%1; exec sleep 100000' & echo started; %2")
                                  .arg(pid_file, QLatin1String(c.child_after_starting_the_daemon))),
                        {AvrdudePathNotOk});
        EXPECT_LT(clock.elapsed(), DaemonSafetyKillMs / 2) << c.child_after_starting_the_daemon;
        EXPECT_EQ(form.Log->lines(), (QStringList{QStringLiteral("Return-Code des Programms: %1").arg(c.code),
                                                  QStringLiteral("---Output---"), QStringLiteral("started")}));
        read_daemon_pid();
        ASSERT_GT(daemon, 0) << "the daemon never started";
        // Orphans come to this program: one that has ended is reaped here and can be signalled no more.
        reap_ended_children(0);
        EXPECT_EQ(::kill(daemon, 0), 0) << "the daemon has ended: the run may have waited for it";
        ::kill(daemon, SIGKILL);
        reap_ended_children(ReapTimeoutMs);
    }
    // The read ends were closed although the daemon held the write ends to the last.
    expect_nothing_left_behind(before);
}

TEST(RunnerStress, SurvivesChildrenEndedBySignals)
{
    const ProcessCensus before = take_census();

    // Killed from outside halfway through its output.
    pid_t child = 0;
    std::thread killer;
    const RunResult killed = run_and_capture(
        shell(QStringLiteral("echo before; exec sleep %1").arg(UncancelledSleepSeconds)), {}, [&](pid_t pid) {
            child = pid;
            killer = std::thread([pid] {
                std::this_thread::sleep_for(std::chrono::milliseconds(KillAfterMs));
                ::kill(pid, SIGKILL);
            });
        });
    killer.join();
    ASSERT_TRUE(killed.started);
    EXPECT_GT(child, 0);
    EXPECT_EQ(report_lines(killed, {}),
              (QStringList{QStringLiteral("Return-Code des Programms: 137"), QStringLiteral("---Output---"),
                           QStringLiteral("before")}));

    // Ending itself by a fault signal, after writing half a line to each stream.
    EXPECT_EQ(report_of(QStringLiteral("printf half; printf error >&2; kill -SEGV $$")),
              (QStringList{QStringLiteral("Return-Code des Programms: 139"), QStringLiteral("---Output---"),
                           QStringLiteral("half"), QStringLiteral("---Errors---"), QStringLiteral("error")}));
    expect_nothing_left_behind(before);
}
