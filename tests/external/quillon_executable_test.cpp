// The real executable, started by another tool with device, programmer, port and HEX file, and
// operated through the keyboard: Alt+P in the external window programs the simulated chip.

#include "tests/external/vnc_keyboard.h"
#include "tests/support/avr910_simulator.h"
#include "tests/support/intel_hex.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

namespace {

constexpr int StartLimitMs = 20000;
constexpr int ProgrammingLimitMs = 90000;
constexpr int PollMs = 100;
constexpr int StaysOpenMs = 500;
constexpr int EndLimitMs = 5000;
constexpr std::size_t M8FlashBytes = 8192;
constexpr std::uint32_t KeysymP = 'p';

quint16 free_port()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// The built executable with a settings file of its own beside it, in a directory with a blank.
bool install_quillon(const QString &dir)
{
    const QString built = QCoreApplication::applicationDirPath() + QStringLiteral("/../../bin/quillon");
    QFile settings(dir + QStringLiteral("/options.ini"));
    return QFile::copy(built, dir + QStringLiteral("/quillon")) && settings.open(QIODevice::WriteOnly)
           && settings.write("/usr/bin/avrdude\r\n") > 0;
}

// Ends the started Quillon by its PID and reaps it.
class QuillonProcess {
public:
    ~QuillonProcess()
    {
        if (process.state() == QProcess::NotRunning)
            return;
        process.terminate();
        if (!process.waitForFinished(EndLimitMs)) {
            process.kill();
            process.waitForFinished(EndLimitMs);
        }
    }
    QProcess process;
};

} // namespace

TEST(QuillonExecutable, FourParametersOpenTheExternalWindowAndAltPProgramsTheFlash)
{
    Avr910Simulator sim;
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString dir = root.path() + QStringLiteral("/Quillon Programm");
    ASSERT_TRUE(QDir().mkpath(dir));
    ASSERT_TRUE(install_quillon(dir));
    const auto program = test_program();
    const QString hex = root.path() + QStringLiteral("/Hex Dateien/mein programm.hex");
    write_intel_hex(hex, program);

    const quint16 port = free_port();
    QuillonProcess quillon;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("vnc:port=%1:size=1024x768").arg(port));
    quillon.process.setProcessEnvironment(environment);
    quillon.process.setProcessChannelMode(QProcess::ForwardedChannels);
    // Each parameter is one argument, as a shell passes a quoted path with blanks.
    quillon.process.start(dir + QStringLiteral("/quillon"),
                          {QStringLiteral("m8"), QStringLiteral("avr910"), QString::fromStdString(sim.port()), hex});
    ASSERT_TRUE(quillon.process.waitForStarted(StartLimitMs));

    // Quillon answers only once an event loop runs; the first one is the external window's.
    VncKeyboard keyboard;
    ASSERT_TRUE(keyboard.connectTo(port, StartLimitMs)) << keyboard.error().toStdString();
    ASSERT_TRUE(keyboard.chord(VncKeyboard::AltL, KeysymP)) << keyboard.error().toStdString();

    auto expected = program;
    expected.resize(M8FlashBytes, 0xFF);
    QDeadlineTimer deadline(ProgrammingLimitMs);
    while (sim.flash() != expected && !deadline.hasExpired() && quillon.process.state() == QProcess::Running)
        QThread::msleep(PollMs);
    EXPECT_EQ(sim.flash(), expected);

    // The external window closed; the main window, and with it the program, goes on.
    QThread::msleep(StaysOpenMs);
    EXPECT_EQ(quillon.process.state(), QProcess::Running);
}

// A parent that ignores SIGCHLD hands that on through exec; Quillon must take the default back,
// or the system reaps avrdude before Quillon can read its exit code.
TEST(QuillonExecutable, TakesBackTheDefaultChildSignalFromItsParent)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(install_quillon(dir.path()));
    QuillonProcess quillon;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    quillon.process.setProcessEnvironment(environment);
    quillon.process.setChildProcessModifier([] { ::signal(SIGCHLD, SIG_IGN); });
    quillon.process.start(dir.path() + QStringLiteral("/quillon"), {});
    ASSERT_TRUE(quillon.process.waitForStarted(StartLimitMs));

    const QString status_file = QStringLiteral("/proc/%1/status").arg(quillon.process.processId());
    const auto child_signal_ignored = [&] {
        QFile status(status_file);
        status.open(QIODevice::ReadOnly);
        for (const QByteArray &line : status.readAll().split('\n'))
            if (line.startsWith("SigIgn:"))
                return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (SIGCHLD - 1)) & 1;
        return 1ull;
    };
    QDeadlineTimer deadline(StartLimitMs);
    while (child_signal_ignored() && !deadline.hasExpired() && quillon.process.state() == QProcess::Running)
        QThread::msleep(PollMs);
    EXPECT_EQ(quillon.process.state(), QProcess::Running);
    EXPECT_FALSE(child_signal_ignored());
}
