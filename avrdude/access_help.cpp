#include "avrdude/access_help.h"

#include "avrdude/console_text.h"

#include <QFile>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace {

// avrdude 7.1's words, after its "avrdude [function()] OS error: " or "warning: " prefix.
constexpr QByteArrayView SerialOpenFailed = "cannot open port ";
constexpr QByteArrayView PermissionDenied = "Permission denied";
constexpr QByteArrayView NoSuchFile = "No such file or directory";
constexpr QByteArrayView UsbOpenDenied = "cannot open USB device: Permission denied";
constexpr QByteArrayView UsbPermissionsHint = "set up correct usb port permissions";

const QString Heading = QStringLiteral("---Hilfe---");

// What follows `marker` on its line in `text`; nothing when the marker is not there.
std::optional<QByteArray> rest_of_line(const QByteArray &text, QByteArrayView marker)
{
    const qsizetype at = text.indexOf(marker);
    if (at < 0)
        return std::nullopt;
    const qsizetype from = at + marker.size();
    qsizetype end = text.indexOf('\n', from);
    if (end < 0)
        end = text.size();
    QByteArray rest = text.mid(from, end - from);
    if (rest.endsWith('\r'))
        rest.chop(1);
    return rest;
}

// "PORT: REASON" of a serial port avrdude could not open, for the two reasons that get help.
std::optional<RefusedAccess> serial_refusal(const QByteArray &text)
{
    const std::optional<QByteArray> rest = rest_of_line(text, SerialOpenFailed);
    if (!rest)
        return std::nullopt;
    const qsizetype colon = rest->lastIndexOf(": ");
    if (colon < 0)
        return std::nullopt;
    const QByteArray reason = rest->mid(colon + 2);
    const QString port = decode_console_line(rest->left(colon));
    if (reason == PermissionDenied)
        return RefusedAccess{RefusedAccess::SerialPortDenied, port};
    if (reason == NoSuchFile)
        return RefusedAccess{RefusedAccess::NoSuchPort, port};
    return std::nullopt;
}

QString quoted(const QString &text) { return u'„' + text + u'“'; }

} // namespace

std::optional<RefusedAccess> refused_access(const RunResult &result)
{
    if (!result.started || result.exit_code == 0)
        return std::nullopt;
    const std::optional<RefusedAccess> serial = serial_refusal(result.errors);
    if (serial && serial->kind == RefusedAccess::SerialPortDenied)
        return serial;
    if (result.errors.contains(UsbOpenDenied) || result.errors.contains(UsbPermissionsHint))
        return RefusedAccess{RefusedAccess::UsbDeviceDenied, {}};
    return serial;
}

DeviceAccess device_access(const QString &path)
{
    struct stat node {};
    if (::stat(QFile::encodeName(path).constData(), &node) != 0)
        return {};
    DeviceAccess access;
    std::vector<char> buffer(16384);
    struct group entry {};
    struct group *found = nullptr;
    if (getgrgid_r(node.st_gid, &entry, buffer.data(), buffer.size(), &found) == 0 && found)
        access.group = QString::fromLocal8Bit(found->gr_name);
    else
        access.group = QString::number(node.st_gid);
    // Joining root's group to reach one device would give far more than that device.
    constexpr mode_t GroupReadWrite = S_IRGRP | S_IWGRP;
    access.group_may_open = node.st_gid != 0 && (node.st_mode & GroupReadWrite) == GroupReadWrite;
    return access;
}

QString login_name()
{
    std::vector<char> buffer(16384);
    struct passwd entry {};
    struct passwd *found = nullptr;
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found)
        return QString::fromLocal8Bit(found->pw_name);
    return QString::number(geteuid());
}

QStringList access_help_lines(const RefusedAccess &refused, const DeviceAccess &access, const QString &user)
{
    switch (refused.kind) {
    case RefusedAccess::NoSuchPort:
        return {Heading, QStringLiteral("Den Port %1 gibt es auf diesem System nicht; die vorhandenen seriellen Ports "
                                        "bietet die Liste \"Port:\" an.")
                             .arg(quoted(refused.port))};
    case RefusedAccess::UsbDeviceDenied:
        return {Heading,
                QStringLiteral("Ein USB-Programmer wurde gefunden, ließ sich aber nicht öffnen: Benutzer %1 fehlt "
                               "die Berechtigung.")
                    .arg(quoted(user)),
                QStringLiteral("Das Paket avrdude bringt udev-Regeln mit, die dem angemeldeten Benutzer den Zugriff "
                               "auf bekannte Programmer geben."),
                QStringLiteral("Ziehen Sie den Programmer ab und stecken Sie ihn wieder an, damit die Regeln greifen."),
                QStringLiteral("Ob das System den Programmer erkennt, zeigt der Befehl: lsusb")};
    case RefusedAccess::SerialPortDenied:
        break;
    }
    QStringList lines{Heading, QStringLiteral("Der Port %1 ließ sich nicht öffnen: Benutzer %2 hat keine Berechtigung dafür.")
                                   .arg(refused.port, quoted(user))};
    if (access.group.isEmpty()) {
        lines << QStringLiteral("Welche Gruppe ihn öffnen darf, zeigt der Befehl: ls -lL %1").arg(refused.port);
    } else if (!access.group_may_open) {
        lines << QStringLiteral("Das Gerät (Gruppe %1) ist für keine Gruppe freigegeben, in die sich ein Benutzer "
                                "aufnehmen sollte; eine udev-Regel muss es freigeben, etwa mit GROUP=\"dialout\", "
                                "MODE=\"0660\".")
                     .arg(quoted(access.group));
    } else {
        lines << QStringLiteral("Öffnen darf ihn die Gruppe %1, der das Gerät gehört. So nehmen Sie sich in diese "
                                "Gruppe auf:")
                     .arg(quoted(access.group))
              << QStringLiteral("sudo usermod -aG %1 %2").arg(access.group, user)
              << QStringLiteral("Melden Sie sich danach ab und wieder an: Erst mit der neuen Anmeldung gilt die Gruppe.");
    }
    return lines;
}

QStringList access_help_for(const RunResult &result)
{
    const std::optional<RefusedAccess> refused = refused_access(result);
    if (!refused)
        return {};
    const DeviceAccess access =
        refused->kind == RefusedAccess::SerialPortDenied ? device_access(refused->port) : DeviceAccess{};
    return access_help_lines(*refused, access, login_name());
}
