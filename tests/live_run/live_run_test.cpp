// A run as the user sees it while it lasts: the child's output in the log as it arrives,
// avrdude's progress in the strip, and Escape or closing the window to stop it.
#include "avrdude/port_lock.h"
#include "forms/live_run/progress_strip.h"
#include "forms/main/main_form.h"
#include "session/session.h"
#include "skin/edit/tsui_edit.h"
#include "skin/edit/tsui_memo.h"
#include "skin/button/tsui_button.h"
#include "tests/support/program_dir_files.h"
#include "tests/support/thread_activity.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <set>
#include <unistd.h>
#include <thread>

namespace {

QString test_child() { return QCoreApplication::applicationDirPath() + QStringLiteral("/../avrdude_test/test_child"); }

// What avrdude writes to a pipe while it programs, slowly; its error stream mixes UTF-8 lines
// with a line in the console's code page 850.
const QString SlowProgress = QStringLiteral(
    "out:avrdude\\x20start\\n err:Gr\\xc3\\xb6\\xc3\\x9fe\\n \"err:Writing | \" sleep:300 err:######################### sleep:300 "
    "err:#########################\\x20|\\x20100%\\x200.60s\\n\\n err:\\x81ber\\nS\\xc3\\xbcd\\n sleep:300 out:done\\n exit:0");
const QString FullBar = QStringLiteral("Writing | ") + QString(50, u'#') + QStringLiteral(" | 100% 0.60s");

class LiveRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        write_program_file(QStringLiteral("options.ini"), test_child().toUtf8() + "\r\n");
        session.loadAvrdudePath();
        form.show();
    }
    void TearDown() override { form.hide(); }

    // Runs the free command while sampling what the window shows every few milliseconds.
    void runSampling(const QString &command)
    {
        QTimer sampler;
        sampler.setInterval(5);
        QObject::connect(&sampler, &QTimer::timeout, [this] {
            percents.insert(form.progressStrip->isVisible() ? form.progressStrip->percent() : -1);
            live_texts << form.Log->toPlainText();
        });
        sampler.start();
        form.command->setText(command);
        form.suiButton1Click();
    }

    Session session;
    TForm1 form{session};
    std::set<int> percents;
    QStringList live_texts;
};

} // namespace

TEST_F(LiveRun, ShowsOutputAndProgressWhileItRunsAndTheExactReportAfterwards)
{
    runSampling(SlowProgress);
    EXPECT_TRUE(percents.count(0)) << "the bar appears at 0 %";
    EXPECT_TRUE(percents.count(50));
    EXPECT_TRUE(percents.count(100));
    EXPECT_FALSE(form.progressStrip->isVisible()) << "hidden again after the run";

    // While it runs, the log shows the report's sections as far as they have come, each line
    // decoded on its own.
    const auto saw = [this](const QString &text) {
        return std::any_of(live_texts.begin(), live_texts.end(), [&](const QString &live) { return live.startsWith(text); });
    };
    const QString live_start = QStringLiteral("---Output---\navrdude start\n---Errors---\nGröße\n");
    EXPECT_TRUE(saw(live_start + QStringLiteral("Writing | #")));
    EXPECT_TRUE(saw(live_start + FullBar + QStringLiteral("\n\nüber\nSüd")));

    EXPECT_EQ(form.Log->lines(), (QStringList{"Return-Code des Programms: 0", "---Output---", "avrdude start", "done",
                                              "---Errors---", QStringLiteral("Größe"), FullBar, "", QStringLiteral("über"),
                                              QStringLiteral("Süd")}));
}

TEST_F(LiveRun, EscapeEndsTheChildsProcessGroup)
{
    QElapsedTimer clock;
    clock.start();
    QTimer::singleShot(300, &form, [this] { QTest::keyClick(form.Log, Qt::Key_Escape); });
    runSampling(QStringLiteral("out:started\\n grandchild:20000 sleep:20000"));
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(form.Log->lines(), (QStringList{"Return-Code des Programms: 143", "---Output---", "started"}));
}

TEST_F(LiveRun, AChildThatIgnoresTerminateIsKilledAfterTheGracePeriod)
{
    QElapsedTimer clock;
    clock.start();
    QTimer::singleShot(300, &form, [this] { form.close(); });
    runSampling(QStringLiteral("ignoreterm sleep:20000"));
    EXPECT_GE(clock.elapsed(), 2000);
    EXPECT_LT(clock.elapsed(), 8000);
    EXPECT_EQ(form.Log->lines(), QStringList{QStringLiteral("Return-Code des Programms: 137")});
    EXPECT_TRUE(form.isVisible()) << "the close only stopped the run";
}

TEST_F(LiveRun, OtherInputStaysBlockedWhileItRuns)
{
    int clicks = 0;
    QObject::connect(form.suiButton1, &TsuiButton::OnClick, [&] { ++clicks; });
    QTimer::singleShot(200, &form, [this] {
        QTest::mouseClick(form.suiButton1, Qt::LeftButton);
        QTest::keyClick(form.command, Qt::Key_X);
    });
    runSampling(QStringLiteral("sleep:600 out:once"));
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(form.command->text(), QStringLiteral("sleep:600 out:once"));
    EXPECT_EQ(form.Log->lines(), (QStringList{"Return-Code des Programms: 0", "---Output---", "once"}));
}

TEST_F(LiveRun, ASilentChildLetsTheWindowsSleep)
{
    constexpr int SettleMs = 300;
    constexpr int WatchedMs = 2000;
    // A few for the run's own start and end may fall in; a refresh that runs for the whole run
    // wakes the thread some 50 times in this span.
    constexpr long MostWakeUps = 5;
    const ThreadHandle window_thread = current_thread();
    long first = -1, last = -1;
    std::thread watcher([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(SettleMs));
        first = thread_activity(window_thread).wake_ups;
        std::this_thread::sleep_for(std::chrono::milliseconds(WatchedMs));
        last = thread_activity(window_thread).wake_ups;
    });
    form.command->setText(QStringLiteral("out:started\\n sleep:%1 out:done\\n").arg(SettleMs + WatchedMs + SettleMs));
    form.suiButton1Click();
    watcher.join();
    ASSERT_GE(first, 0);
    EXPECT_LE(last - first, MostWakeUps);
    EXPECT_EQ(form.Log->lines(), (QStringList{"Return-Code des Programms: 0", "---Output---", "started", "done"}));
}

// A run on a port that another run holds waits, and its log says so, until the port is free or
// the user stops waiting; a command that names no port takes no lock.
TEST_F(LiveRun, WaitsForAPortAnotherRunHoldsUntilItIsFreeOrEscapeStopsTheWait)
{
    const QString port = QStringLiteral("quillon-live-run-%1").arg(::getpid());
    const QString command = QStringLiteral("-P ") + port + QStringLiteral(" out:ran");
    const QString busy = QStringLiteral("Port %1 wird gerade von einem anderen Lauf benutzt; dieser Lauf wartet, bis er "
                                        "frei ist (Abbrechen mit Esc).")
                             .arg(port);
    std::optional<PortLock> other(std::in_place, port);
    ASSERT_EQ(other->tryTake(), PortLock::Outcome::Taken) << other->failure().toStdString();

    QTimer::singleShot(300, &form, [this] { QTest::keyClick(form.Log, Qt::Key_Escape); });
    runSampling(command);
    EXPECT_EQ(form.Log->lines(), (QStringList{busy, QStringLiteral("Abgebrochen: Port %1 war belegt.").arg(port),
                                              QStringLiteral("avrdude wurde nicht gestartet.")}));

    runSampling(QStringLiteral("out:ran"));
    EXPECT_EQ(form.Log->lines(), (QStringList{"Return-Code des Programms: 0", "---Output---", "ran"}));

    live_texts.clear();
    QTimer::singleShot(400, &form, [&] { other.reset(); });
    runSampling(command);
    EXPECT_TRUE(live_texts.contains(busy));
    const QStringList lines = form.Log->lines();
    ASSERT_EQ(lines.size(), 4) << lines.join(u'\n').toStdString();
    EXPECT_EQ(lines.mid(0, 3), (QStringList{"Return-Code des Programms: 0", "---Output---", "ran"}));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Port %1 war belegt; dieser Lauf hat \\d+,\\d s gewartet, bis er frei war\\.$").arg(port))
                    .match(lines.at(3)).hasMatch())
        << lines.at(3).toStdString();
}
