#include "tests/support/private_mounts.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

bool available = false;
QString reason = QStringLiteral("not tried");

// In a user namespace of our own, our uid maps to root there, so mounting is allowed.
bool write_id_map(const char *file, const QByteArray &content)
{
    const int fd = ::open(file, O_WRONLY);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, content.constData(), static_cast<size_t>(content.size())) == content.size();
    ::close(fd);
    return ok;
}

bool enter_user_and_mount_namespace()
{
    const uid_t uid = ::geteuid();
    const gid_t gid = ::getegid();
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
        return false;
    write_id_map("/proc/self/setgroups", "deny");
    return write_id_map("/proc/self/uid_map", QByteArray::number(uid) + " " + QByteArray::number(uid) + " 1\n") &&
           write_id_map("/proc/self/gid_map", QByteArray::number(gid) + " " + QByteArray::number(gid) + " 1\n");
}

} // namespace

bool enter_private_mount_namespace()
{
    if (::unshare(CLONE_NEWNS) != 0 && !enter_user_and_mount_namespace()) {
        reason = QStringLiteral("unshare: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    // Without this, mounts made here would propagate back to the machine's own namespace.
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        reason = QStringLiteral("making mounts private: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    available = true;
    return true;
}

bool private_mounts_available() { return available; }
QString private_mounts_unavailable_reason() { return reason; }

bool mount_small_tmpfs(const QString &directory, qint64 size_bytes)
{
    const QByteArray options = "size=" + QByteArray::number(size_bytes) + ",mode=0755";
    return ::mount("tmpfs", QFile::encodeName(directory).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                   options.constData()) == 0;
}

bool remount_read_only(const QString &directory)
{
    return ::mount(nullptr, QFile::encodeName(directory).constData(), nullptr, MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV,
                   nullptr) == 0;
}

bool bind_read_only(const QString &directory)
{
    const QByteArray path = QFile::encodeName(directory);
    return ::mount(path.constData(), path.constData(), nullptr, MS_BIND, nullptr) == 0 &&
           ::mount(nullptr, path.constData(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

bool unmount(const QString &directory) { return ::umount2(QFile::encodeName(directory).constData(), MNT_DETACH) == 0; }
