#include "avrdude/serial_ports.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

#include <algorithm>
#include <map>

namespace {

// The platform device the 8250 driver hangs its unprobed ports on.
const QString PlaceholderUartDevice = QStringLiteral("serial8250");

bool is_character_device(const QString &path)
{
    struct stat node {};
    return ::stat(QFile::encodeName(path).constData(), &node) == 0 && S_ISCHR(node.st_mode);
}

bool has_real_device(const QString &sysfs_tty)
{
    const QFileInfo device(sysfs_tty + QStringLiteral("/device"));
    return device.exists() && QFileInfo(device.canonicalFilePath()).fileName() != PlaceholderUartDevice;
}

// Each stable name by the device node it leads to, each link resolved once: a machine may have
// hundreds of ports and more links.
std::multimap<QString, QString> by_id_names(const QString &by_id_folder)
{
    std::multimap<QString, QString> names;
    for (const QFileInfo &link : QDir(by_id_folder).entryInfoList(QDir::System | QDir::Files, QDir::Name))
        names.emplace(link.canonicalFilePath(), link.absoluteFilePath());
    return names;
}

// ttyUSB2 before ttyUSB10: the name's stem, then its number.
bool natural_less(const QString &a, const QString &b)
{
    const auto split = [](const QString &name) {
        qsizetype digits = name.size();
        while (digits > 0 && name[digits - 1].isDigit())
            --digits;
        return std::pair{name.left(digits), name.mid(digits).toULongLong()};
    };
    return split(a) < split(b);
}

} // namespace

std::vector<SerialPort> present_serial_ports(const SerialPortFolders &folders)
{
    QStringList names;
    const QDir ttys(folders.sysfs_ttys);
    for (const QString &name : ttys.entryList(QDir::Dirs | QDir::System | QDir::NoDotAndDotDot))
        if (has_real_device(ttys.filePath(name)) && is_character_device(folders.devices + u'/' + name))
            names << name;
    std::sort(names.begin(), names.end(), natural_less);

    const std::multimap<QString, QString> stable_names = by_id_names(folders.by_id);
    std::vector<SerialPort> ports;
    for (const QString &name : names) {
        const QString path = folders.devices + u'/' + name;
        SerialPort port{path, {}};
        const auto [first, last] = stable_names.equal_range(QFileInfo(path).canonicalFilePath());
        for (auto it = first; it != last; ++it)
            port.by_id << it->second;
        ports.push_back(port);
    }
    return ports;
}

QStringList serial_port_entries(const std::vector<SerialPort> &ports)
{
    QStringList entries;
    for (const SerialPort &port : ports)
        entries << port.path << port.by_id;
    return entries;
}
