// The real executable, started by another tool with device, programmer, port and HEX file, and
// operated through the keyboard: Alt+P in the external window programs the simulated chip.

#include "tests/external/vnc_keyboard.h"
#include "tests/support/avr910_simulator.h"
#include "tests/support/intel_hex.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

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

// The built executable with a settings file of its own beside it naming that avrdude.
bool install_quillon(const QString &dir, const QByteArray &avrdude = "/usr/bin/avrdude")
{
    const QString built = QCoreApplication::applicationDirPath() + QStringLiteral("/../../bin/quillon");
    QFile settings(dir + QStringLiteral("/options.ini"));
    return QFile::copy(built, dir + QStringLiteral("/quillon")) && settings.open(QIODevice::WriteOnly)
           && settings.write(avrdude + "\r\n") > 0;
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

    // Starts the program on Qt's vnc platform with these parameters, each exactly these bytes, as
    // a shell passes them: QProcess would take them as UTF-8 text. bash builds them from printf
    // escapes and then becomes the program, so the PID stays the program's.
    void start(const QString &program, const QList<QByteArray> &parameters, quint16 vnc_port)
    {
        QStringList arguments{QStringLiteral("-c"),
                              QStringLiteral("p=$0; a=(); for x in \"$@\"; do a+=(\"$(printf '%b' \"$x\")\"); done; "
                                             "exec \"$p\" \"${a[@]}\""),
                              program};
        for (const QByteArray &parameter : parameters)
            arguments << printf_escaped(parameter);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("vnc:port=%1:size=1024x768").arg(vnc_port));
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        process.start(QStringLiteral("/bin/bash"), arguments);
    }

    QProcess process;

private:
    static QString printf_escaped(const QByteArray &bytes)
    {
        QString escaped;
        for (const char c : bytes) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte == '\\')
                escaped += QStringLiteral("\\\\");
            else if (byte >= 0x80)
                escaped += QStringLiteral("\\0%1").arg(byte, 3, 8, QLatin1Char('0'));
            else
                escaped += QLatin1Char(c);
        }
        return escaped;
    }
};

} // namespace

// Another tool starts Quillon with device, programmer, port and HEX file; Alt+P in the external
// window programs that file. Its name is the user's bytes: one saved under a Latin-1 name is the
// file avrdude gets, not one with the bytes replaced.
TEST(QuillonExecutable, FourParametersOpenTheExternalWindowAndAltPProgramsTheFlash)
{
    for (const QByteArray &hex_name : {QByteArray("Hex Dateien/mein programm.hex"), QByteArray("lat\xe4in.hex")}) {
        SCOPED_TRACE(hex_name.toHex().toStdString());
        Avr910Simulator sim;
        QTemporaryDir root;
        ASSERT_TRUE(root.isValid());
        const QString dir = root.path() + QStringLiteral("/Quillon Programm");
        ASSERT_TRUE(QDir().mkpath(dir) && QDir().mkpath(root.path() + QStringLiteral("/Hex Dateien")));
        ASSERT_TRUE(install_quillon(dir));
        const auto program = test_program();
        const QByteArray hex = QFile::encodeName(root.path()) + '/' + hex_name;
        write_intel_hex_at(hex, program);

        const quint16 port = free_port();
        QuillonProcess quillon;
        quillon.start(dir + QStringLiteral("/quillon"), {"m8", "avr910", QByteArray::fromStdString(sim.port()), hex}, port);
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
        // QTemporaryDir cannot name a Latin-1 file to remove it.
        std::filesystem::remove(hex.toStdString());
    }
}

// Qt's own switches are not taken out of the command line: "-platform offscreen x" are device,
// programmer and port, and the window still comes up where the environment puts it.
TEST(QuillonExecutable, QtSwitchesOnTheCommandLineAreParameters)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString arguments_file = dir.filePath(QStringLiteral("arguments.txt"));
    const QString recorder = dir.filePath(QStringLiteral("record-arguments"));
    {
        QFile script(recorder);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        const QByteArray file = QFile::encodeName(arguments_file);
        script.write("#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + file + ".new' && mv '" + file + ".new' '" + file + "'\n");
        ASSERT_TRUE(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }
    ASSERT_TRUE(install_quillon(dir.path(), QFile::encodeName(recorder)));

    const quint16 port = free_port();
    QuillonProcess quillon;
    quillon.start(dir.filePath(QStringLiteral("quillon")), {"-platform", "offscreen", "x"}, port);
    ASSERT_TRUE(quillon.process.waitForStarted(StartLimitMs));
    VncKeyboard keyboard;
    ASSERT_TRUE(keyboard.connectTo(port, StartLimitMs)) << keyboard.error().toStdString();
    ASSERT_TRUE(keyboard.chord(VncKeyboard::AltL, KeysymP)) << keyboard.error().toStdString();

    QDeadlineTimer deadline(StartLimitMs);
    while (!QFileInfo::exists(arguments_file) && !deadline.hasExpired())
        QThread::msleep(PollMs);
    QFile arguments(arguments_file);
    ASSERT_TRUE(arguments.open(QIODevice::ReadOnly));
    EXPECT_EQ(arguments.readAll(), QByteArray("/c\n/\n-p\n-platform\n-P\nx\n-E\nnoreset,novcc\n-c\noffscreen\n-e\n-U\n"
                                              "flash:w::a\n"));
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
