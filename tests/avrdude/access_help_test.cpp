// Reading a refused port out of avrdude's error output, and the help for each kind of refusal.

#include "avrdude/access_help.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

RunResult failed_with(const QByteArray &errors, std::uint32_t exit_code = 1)
{
    return RunResult{.started = true, .exit_code = exit_code, .wait_failed = false, .output = {}, .errors = errors};
}

QString kind_and_port(const std::optional<RefusedAccess> &refused)
{
    if (!refused)
        return QStringLiteral("none");
    static const char *const kinds[] = {"serial", "usb", "missing"};
    return QLatin1String(kinds[refused->kind]) + u' ' + refused->port;
}

} // namespace

TEST(AccessHelp, FindsTheRefusalInAvrdudesWords)
{
    const struct {
        QByteArray errors;
        std::uint32_t exit_code;
        const char *found;
    } cases[] = {
        {"avrdude OS error: cannot open port /dev/ttyUSB0: Permission denied\r\n", 1, "serial /dev/ttyUSB0"},
        {"avrdude ser_open() OS error: cannot open port /dev/tty ACM0: Permission denied\n"
         "avrdude main() error: unable to open programmer avr910 on port /dev/tty ACM0\n",
         1, "serial /dev/tty ACM0"},
        {"avrdude OS error: cannot open port com1: No such file or directory\n", 1, "missing com1"},
        {"avrdude warning: cannot open USB device: Permission denied\n"
         "avrdude error: cannot find USB device with vid=0x16c0 pid=0x5dc\n",
         1, "usb "},
        {"avrdude error: cannot claim interface, error code -3, x\n"
         "You may need to run avrdude as root or set up correct usb port permissions.\n",
         1, "usb "},
        // Other reasons, other failures, and success get no help.
        {"avrdude OS error: cannot open port /dev/ttyUSB0: Device or resource busy\n", 1, "none"},
        {"avrdude error: cannot find USB device with vid=0x16c0 pid=0x5dc\n", 1, "none"},
        {"avrdude OS error: cannot open port com1: No such file or directory\n", 0, "none"},
        {"cannot open port without a reason", 1, "none"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(kind_and_port(refused_access(failed_with(c.errors, c.exit_code))), QString::fromUtf8(c.found))
            << c.errors.constData();
    EXPECT_FALSE(refused_access(RunResult{}));
}

TEST(AccessHelp, TheGroupToJoinOnlyWhenJoiningItHelps)
{
    const RefusedAccess serial{RefusedAccess::SerialPortDenied, QStringLiteral("/dev/ttyUSB0")};
    const QStringList joinable = access_help_lines(serial, {QStringLiteral("dialout"), true}, QStringLiteral("anna"));
    EXPECT_EQ(joinable.value(3), QStringLiteral("sudo usermod -aG dialout anna"));
    const QStringList closed = access_help_lines(serial, {QStringLiteral("root"), false}, QStringLiteral("anna"));
    EXPECT_EQ(closed.size(), 3);
    EXPECT_TRUE(closed.last().startsWith(QStringLiteral("Das Gerät (Gruppe „root“) ist für keine Gruppe freigegeben")));
    EXPECT_EQ(access_help_lines(serial, {}, QStringLiteral("anna")).last(),
              QStringLiteral("Welche Gruppe ihn öffnen darf, zeigt der Befehl: ls -lL /dev/ttyUSB0"));

    // Read from the node itself: its group, and whether that group may read and write it.
    QTemporaryDir dir;
    const QString node = dir.filePath(QStringLiteral("ttyUSB0"));
    QFile(node).open(QIODevice::WriteOnly);
    for (const auto &[mode, may_open] : {std::pair{0660, true}, std::pair{0640, false}}) {
        ASSERT_EQ(chmod(QFile::encodeName(node).constData(), static_cast<mode_t>(mode)), 0);
        const DeviceAccess access = device_access(node);
        EXPECT_FALSE(access.group.isEmpty());
        EXPECT_EQ(access.group_may_open, may_open && getegid() != 0) << mode;
    }
    EXPECT_TRUE(device_access(dir.filePath(QStringLiteral("none"))).group.isEmpty());
}
