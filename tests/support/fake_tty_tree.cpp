#include "tests/support/fake_tty_tree.h"

#include <QDir>
#include <QFile>

#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Where the kernel puts the tty's own folder under /sys/devices, and its device, if any.
struct SysfsPlace {
    QString devices_folder; // relative to sys/devices
    QString device;         // the folder "device" links to, relative to sys/devices; empty: none
};

SysfsPlace place_of(const QString &name, FakeTtyTree::Behind behind)
{
    switch (behind) {
    case FakeTtyTree::Behind::UsbSerial: {
        const QString port = QStringLiteral("pci0000:00/0000:00:14.0/usb1/1-1/1-1:1.0/") + name;
        return {port + QStringLiteral("/tty/") + name, port};
    }
    case FakeTtyTree::Behind::CdcAcm: {
        const QString interface = QStringLiteral("pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.0");
        return {interface + QStringLiteral("/tty/") + name, interface};
    }
    case FakeTtyTree::Behind::PnpUart:
        return {QStringLiteral("pnp0/00:05/tty/") + name, QStringLiteral("pnp0/00:05")};
    case FakeTtyTree::Behind::Placeholder8250:
        return {QStringLiteral("platform/serial8250/tty/") + name, QStringLiteral("platform/serial8250")};
    case FakeTtyTree::Behind::Virtual:
        break;
    }
    return {QStringLiteral("virtual/tty/") + name, {}};
}

bool link(const QString &target, const QString &link_name)
{
    return QFile::link(target, link_name) || QFileInfo(link_name).isSymLink();
}

} // namespace

FakeTtyTree::FakeTtyTree()
{
    QDir(root_.path()).mkpath(QStringLiteral("sys/class/tty"));
    QDir(root_.path()).mkpath(QStringLiteral("dev/serial/by-id"));
}

FakeTtyTree::~FakeTtyTree()
{
    for (const auto &[name, master] : masters_)
        ::close(master);
}

bool FakeTtyTree::plug(const QString &name, Behind behind, const QString &by_id)
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0)
        return false;
    masters_[name] = master;
    const char *slave = grantpt(master) == 0 && unlockpt(master) == 0 ? ptsname(master) : nullptr;
    if (!slave)
        return false;

    const QDir sys(root_.filePath(QStringLiteral("sys")));
    const SysfsPlace place = place_of(name, behind);
    const QString tty_folder = sys.filePath(QStringLiteral("devices/") + place.devices_folder);
    if (!QDir().mkpath(tty_folder))
        return false;
    if (!place.device.isEmpty()) {
        const QString device_folder = sys.filePath(QStringLiteral("devices/") + place.device);
        QDir().mkpath(device_folder);
        if (!link(QDir(tty_folder).relativeFilePath(device_folder), tty_folder + QStringLiteral("/device")))
            return false;
    }
    const QString class_entry = sysfsTtys() + u'/' + name;
    if (!link(QDir(sysfsTtys()).relativeFilePath(tty_folder), class_entry))
        return false;
    if (!link(QString::fromLocal8Bit(slave), node(name)))
        return false;
    return by_id.isEmpty() || link(QStringLiteral("../../") + name, byId() + u'/' + by_id);
}

void FakeTtyTree::unplug(const QString &name)
{
    QFile::remove(sysfsTtys() + u'/' + name);
    QFile::remove(node(name));
    QDir by_id(byId());
    for (const QString &entry : by_id.entryList(QDir::System | QDir::Files))
        if (!QFileInfo(by_id.filePath(entry)).exists())
            QFile::remove(by_id.filePath(entry));
    if (const auto master = masters_.find(name); master != masters_.end()) {
        ::close(master->second);
        masters_.erase(master);
    }
}
