// The real executable, started by another tool with device, programmer, port and HEX file, and
// operated through the keyboard: Alt+P in the external window programs the simulated chip.

#include "forms/main/main_form.h"
#include "session/session.h"
#include "skin/edit/tsui_combo_box.h"
#include "skin/edit/tsui_memo.h"
#include "tests/external/vnc_keyboard.h"
#include "tests/support/avr910_simulator.h"
#include "tests/support/intel_hex.h"
#include "tests/support/modal_answer.h"
#include "tests/support/program_dir_files.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

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

// Whether a child process of pid runs the named program.
bool has_child_named(qint64 pid, const QByteArray &name)
{
    for (const QFileInfo &entry : QDir(QStringLiteral("/proc")).entryInfoList(QDir::Dirs)) {
        QFile stat(entry.filePath() + QStringLiteral("/stat"));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        const qsizetype name_end = line.lastIndexOf(')');
        const QList<QByteArray> fields = line.mid(name_end + 2).split(' ');
        if (fields.size() > 1 && fields.at(1).toLongLong() == pid && line.mid(line.indexOf('(') + 1, name_end - line.indexOf('(') - 1) == name)
            return true;
    }
    return false;
}

// The error a process without administrator rights gets when it opens the port; 0 when it may.
// Administrators open an exclusive port all the same, so the test's own process (root, in CI)
// gives that right up in a child first.
int open_error_without_admin_rights(const std::string &port)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct data[2]{};
        ::syscall(SYS_capget, &header, data);
        data[0].effective &= ~(1u << CAP_SYS_ADMIN);
        ::syscall(SYS_capset, &header, data);
        const int fd = ::open(port.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        ::_exit(fd >= 0 ? 0 : errno);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

// Two Quillons on one programmer: the real executable's external window writes 8 KiB of flash
// while this test, as a second Quillon, reads the flash from its main window. The read waits,
// and its log says so, until the write is over; meanwhile no other program may open the port.
// Each run ends as if it had had the programmer alone.
TEST(QuillonExecutable, ASecondQuillonWaitsForTheRunOnItsPort)
{
    Avr910Simulator::Options options;
    options.baud = 19200;
    Avr910Simulator sim(options);
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    ASSERT_TRUE(install_quillon(root.path()));
    std::vector<std::uint8_t> program(M8FlashBytes);
    for (std::size_t i = 0; i < program.size(); ++i)
        program[i] = static_cast<std::uint8_t>((i * 131 + i / 256) & 0xFF);
    const QByteArray hex = QFile::encodeName(root.path()) + "/flash.hex";
    write_intel_hex_at(hex, program);

    const quint16 vnc_port = free_port();
    QuillonProcess writer;
    writer.start(root.path() + QStringLiteral("/quillon"), {"m8", "avr910", QByteArray::fromStdString(sim.port()), hex}, vnc_port);
    ASSERT_TRUE(writer.process.waitForStarted(StartLimitMs));
    VncKeyboard keyboard;
    ASSERT_TRUE(keyboard.connectTo(vnc_port, StartLimitMs)) << keyboard.error().toStdString();
    ASSERT_TRUE(keyboard.chord(VncKeyboard::AltL, KeysymP)) << keyboard.error().toStdString();
    QDeadlineTimer deadline(StartLimitMs);
    while (!has_child_named(writer.process.processId(), "avrdude") && !deadline.hasExpired())
        QThread::msleep(PollMs);
    ASSERT_TRUE(has_child_named(writer.process.processId(), "avrdude"));
    // avrdude reads its configuration before it opens the port.
    QThread::msleep(1000);
    EXPECT_EQ(open_error_without_admin_rights(sim.port()), EBUSY) << "the port is exclusive while avrdude has it open";

    write_program_file(QStringLiteral("options.ini"), "/usr/bin/avrdude\r\n");
    Session session;
    session.loadAvrdudePath();
    TForm1 reader{session};
    reader.avrselect->setText(QStringLiteral("m8"));
    reader.progselect->setText(QStringLiteral("avr910"));
    reader.portselect->setText(QString::fromStdString(sim.port()));
    QStringList seen;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] { seen << reader.Log->lines().value(0); });
    sampler.start(50);
    const QString back = root.path() + QStringLiteral("/back.hex");
    {
        ModalAnswer answer(ModalAnswer::chooseFile(back), ProgrammingLimitMs);
        reader.suiButton2Click();
        ASSERT_TRUE(answer.answered());
    }
    sampler.stop();
    EXPECT_TRUE(seen.contains(QStringLiteral("Port %1 wird gerade von einem anderen Lauf benutzt; dieser Lauf wartet, bis "
                                             "er frei ist (Abbrechen mit Esc).")
                                  .arg(QString::fromStdString(sim.port()))));
    const QStringList log = reader.Log->lines();
    ASSERT_FALSE(log.isEmpty());
    EXPECT_EQ(log.first().toStdString(), "Return-Code des Programms: 0") << log.join(u'\n').toStdString();
    EXPECT_TRUE(log.last().startsWith(QStringLiteral("Port %1 war belegt;").arg(QString::fromStdString(sim.port()))));

    const std::vector<std::uint8_t> flash = sim.flash();
    std::size_t written = 0;
    for (std::size_t i = 0; i < program.size(); ++i)
        written += i < flash.size() && flash[i] == program[i];
    EXPECT_EQ(written, program.size()) << "bytes right in the chip after the write";
    QFile read(back);
    ASSERT_TRUE(read.open(QIODevice::ReadOnly));
    const auto bytes = parse_intel_hex(read.readAll());
    std::size_t read_right = 0;
    for (std::size_t i = 0; i < program.size(); ++i)
        read_right += bytes.count(static_cast<int>(i)) && bytes.at(static_cast<int>(i)) == program[i];
    EXPECT_EQ(read_right, program.size()) << "bytes the read saw as the write left them";
    EXPECT_EQ(open_error_without_admin_rights(sim.port()), 0) << "the port is open to all again";
}

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
