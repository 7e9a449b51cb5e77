#include "avrdude/port_lock.h"

#include "avrdude/native_text.h"

#include <QCryptographicHash>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Shared by every user, and safe: root's, writable by all, with the sticky bit, so nobody removes
// or replaces a lock file that is not theirs. /run/lock first, as serial ports' locks are kept.
const char *const SharedFolders[] = {"/run/lock", "/tmp"};
constexpr mode_t LockFileMode = 0644;
// Tries to open a lock file that another process makes or replaces at the same moment.
constexpr int OpenAttempts = 3;

bool is_shared_safely(const char *folder)
{
    struct stat status {};
    return ::lstat(folder, &status) == 0 && S_ISDIR(status.st_mode) && status.st_uid == 0
           && (status.st_mode & (S_ISVTX | S_IWOTH)) == (S_ISVTX | S_IWOTH);
}

QString shown(const QByteArray &bytes) { return readable_text(native_text(bytes)); }

QString system_error(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

} // namespace

PortLock::PortLock(const QString &port)
    : key_(portKey(port))
{
}

PortLock::~PortLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

QByteArray PortLock::portKey(const QString &port)
{
    const QByteArray bytes = native_bytes(port);
    struct stat status {};
    if (!bytes.isEmpty() && ::stat(bytes.constData(), &status) == 0) {
        char canonical[PATH_MAX];
        if (::realpath(bytes.constData(), canonical))
            return QByteArray(canonical);
    }
    const QByteArray text = bytes.toLower();
    return text.startsWith("usb") ? QByteArrayLiteral("usb") : text;
}

QByteArray PortLock::lockFile(const QByteArray &key)
{
    const QByteArray name = QByteArrayLiteral("/quillon-port-")
                            + QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(32)
                            + QByteArrayLiteral(".lock");
    // Tests that run side by side keep their runs on "usb" apart this way.
    const QByteArray chosen = qgetenv("QUILLON_PORT_LOCK_DIR");
    if (!chosen.isEmpty())
        return chosen + name;
    for (const char *folder : SharedFolders)
        if (is_shared_safely(folder))
            return folder + name;
    return {};
}

bool PortLock::open()
{
    const QByteArray path = lockFile(key_);
    if (path.isEmpty()) {
        failure_ = QStringLiteral("Kein gemeinsamer Ordner für die Sperre des Ports (/run/lock oder /tmp, "
                                  "root gehörend, für alle beschreibbar, mit Sticky-Bit).");
        return false;
    }
    // No link is followed and nothing blocks (a FIFO put in its place); only a plain file serves.
    // Opening for reading is enough to lock, so the file need not be writable by anyone else.
    constexpr int Flags = O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    for (int attempt = 0; attempt < OpenAttempts; ++attempt) {
        // Opening an existing file without O_CREAT: a system that protects files of other users
        // in shared folders refuses O_CREAT on them.
        fd_ = ::open(path.constData(), Flags);
        if (fd_ >= 0 || errno != ENOENT)
            break;
        fd_ = ::open(path.constData(), Flags | O_CREAT | O_EXCL, LockFileMode);
        if (fd_ >= 0) {
            // Every user must be able to open it, whatever this process's umask.
            ::fchmod(fd_, LockFileMode);
            break;
        }
        if (errno != EEXIST)
            break;
    }
    if (fd_ < 0) {
        failure_ = QStringLiteral("Die Sperrdatei %1 kann nicht geöffnet werden: %2").arg(shown(path), system_error(errno));
        return false;
    }
    struct stat status {};
    if (::fstat(fd_, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd_);
        fd_ = -1;
        failure_ = QStringLiteral("Die Sperrdatei %1 ist keine gewöhnliche Datei.").arg(shown(path));
        return false;
    }
    return true;
}

PortLock::Outcome PortLock::tryTake()
{
    if (taken_)
        return Outcome::Taken;
    if (fd_ < 0 && !open())
        return Outcome::Failed;
    if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
        taken_ = true;
        return Outcome::Taken;
    }
    if (errno == EWOULDBLOCK || errno == EINTR)
        return Outcome::Busy;
    failure_ = QStringLiteral("Die Sperre des Ports kann nicht genommen werden: %1").arg(system_error(errno));
    return Outcome::Failed;
}
