// The port a command line names, and the lock that lets one run at a time use it, across
// processes and users.
#include "avrdude/port_argument.h"
#include "avrdude/port_lock.h"
#include "avrdude/process_runner.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

// A port text no other test or earlier run has locked.
QString fresh_port(const char *name)
{
    static int count = 0;
    return QStringLiteral("quillon-test-%1-%2-%3").arg(QLatin1String(name)).arg(::getpid()).arg(++count);
}

// What tryTake gives in a child process that runs as another user (uid and gid 65534).
PortLock::Outcome take_as_other_user(const QString &port)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::setresgid(65534, 65534, 65534) != 0 || ::setresuid(65534, 65534, 65534) != 0)
            ::_exit(90);
        PortLock lock(port);
        ::_exit(static_cast<int>(lock.tryTake()));
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 90);
    return static_cast<PortLock::Outcome>(WEXITSTATUS(status));
}

} // namespace

TEST(PortArgument, IsTheLastPortAvrdudesOwnParserReads)
{
    const struct {
        const char *arguments;
        std::optional<QString> port;
    } cases[] = {
        {" /c / -p m8 -P /dev/ttyUSB0 -c avr910", QStringLiteral("/dev/ttyUSB0")},
        {" /c / -P/dev/ttyACM0 -c arduino", QStringLiteral("/dev/ttyACM0")},
        {" /c / -vP usb -c usbasp", QStringLiteral("usb")},
        {" /c / -P com1 -c x -P \"my port\"", QStringLiteral("my port")},
        {" /c / -p m8 -c usbasp", std::nullopt},
        {" /c / -U flash:w:-P:a -x -P", std::nullopt},
        {" /c / -c x -- -P /dev/ttyS0", std::nullopt},
        {" /c / -p", std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(port_argument({QStringLiteral("avrdude"), QString::fromUtf8(c.arguments)}), c.port) << c.arguments;
}

TEST(PortLock, EveryNameOfOneDeviceAndEveryUsbTextShareOneLock)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString device = dir.filePath(QStringLiteral("ttyFAKE0"));
    const QString link = dir.filePath(QStringLiteral("usb-Adapter_1234-if00-port0"));
    ASSERT_EQ(::mknod(device.toUtf8().constData(), S_IFREG | 0600, 0), 0);
    ASSERT_EQ(::symlink(device.toUtf8().constData(), link.toUtf8().constData()), 0);
    EXPECT_EQ(PortLock::portKey(link), PortLock::portKey(device));
    EXPECT_EQ(PortLock::portKey(device), QFileInfo(device).canonicalFilePath().toUtf8());
    EXPECT_EQ(PortLock::portKey(QStringLiteral("USB")), QByteArray("usb"));
    EXPECT_EQ(PortLock::portKey(QStringLiteral("usb:0a3f")), QByteArray("usb"));
    EXPECT_EQ(PortLock::portKey(QStringLiteral("COM1")), QByteArray("com1"));
    EXPECT_NE(PortLock::lockFile("com1"), PortLock::lockFile("com2"));
    EXPECT_TRUE(PortLock::lockFile("com1").endsWith(".lock"));
}

TEST(PortLock, IsHeldByOneAtATimeAndByAChildThatOutlivesItsTaker)
{
    const QString port = fresh_port("child");
    std::optional<PortLock> first(std::in_place, port);
    ASSERT_EQ(first->tryTake(), PortLock::Outcome::Taken) << first->failure().toStdString();
    PortLock second(port);
    EXPECT_EQ(second.tryTake(), PortLock::Outcome::Busy);

    // The child is handed the lock; once its taker has let go, the child still holds it.
    std::atomic<bool> started{false};
    std::thread run([&] {
        run_and_stream({QCoreApplication::applicationDirPath() + QStringLiteral("/test_child"), QStringLiteral(" sleep:700")},
                       [](OutputStream, const char *, std::size_t) {}, [&](pid_t) { started = true; }, nullptr,
                       first->fd());
    });
    while (!started)
        std::this_thread::yield();
    first.reset();
    EXPECT_EQ(second.tryTake(), PortLock::Outcome::Busy);
    run.join();
    EXPECT_EQ(second.tryTake(), PortLock::Outcome::Taken);
}

TEST(PortLock, KeepsTwoUsersApartWhoeverMadeTheLockFile)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to run a part of the test as another user";
    // The folder all users share, not the test's own.
    qunsetenv("QUILLON_PORT_LOCK_DIR");
    // Made by the other user, then by this one.
    const QString made_by_other = fresh_port("other");
    EXPECT_EQ(take_as_other_user(made_by_other), PortLock::Outcome::Taken);
    // A user who lets nobody read their new files still makes a lock file others can use.
    const QString made_here = fresh_port("here");
    const mode_t umask_before = ::umask(077);
    for (const QString &port : {made_by_other, made_here}) {
        PortLock lock(port);
        ASSERT_EQ(lock.tryTake(), PortLock::Outcome::Taken) << lock.failure().toStdString();
        EXPECT_EQ(take_as_other_user(port), PortLock::Outcome::Busy) << port.toStdString();
    }
    ::umask(umask_before);
    EXPECT_EQ(take_as_other_user(made_here), PortLock::Outcome::Taken);
}
