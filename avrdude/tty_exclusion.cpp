#include "avrdude/tty_exclusion.h"

#include <QByteArray>

#include <chrono>
#include <dirent.h>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// How often the child's open files are looked at until it has the port open: avrdude reads its
// configuration first, which takes tens of milliseconds.
constexpr std::chrono::milliseconds WatchInterval{5};

} // namespace

TtyExclusion::TtyExclusion(const QByteArray &port)
{
    struct stat status {};
    if (!port.isEmpty() && ::stat(port.constData(), &status) == 0 && S_ISCHR(status.st_mode))
        device_ = status.st_rdev;
}

TtyExclusion::~TtyExclusion()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    stop_requested_.notify_all();
    if (watcher_.joinable())
        watcher_.join();
    if (port_fd_ >= 0) {
        ::ioctl(port_fd_, TIOCNXCL);
        ::close(port_fd_);
    }
}

void TtyExclusion::childStarted(pid_t pid)
{
    if (device_ != 0)
        watcher_ = std::thread([this, pid] { watch(pid); });
}

void TtyExclusion::watch(pid_t pid)
{
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        lock.unlock();
        const bool taken = takeFrom(pid);
        lock.lock();
        if (taken)
            return;
        stop_requested_.wait_for(lock, WatchInterval, [this] { return stopping_; });
    }
}

// Opens the port anew through the child's own descriptor of it, once the child has one, and makes
// it exclusive through that open. True once there is nothing more to watch for: ours keeps the port open until the run is over, so that it can
// be opened by all again even when the child has gone without closing it.
bool TtyExclusion::takeFrom(pid_t pid)
{
    const QByteArray folder = "/proc/" + QByteArray::number(pid) + "/fd";
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return false;
    bool found = false;
    int port_fd = -1;
    while (const dirent *entry = ::readdir(dir)) {
        struct stat status {};
        if (::fstatat(::dirfd(dir), entry->d_name, &status, 0) != 0 || !S_ISCHR(status.st_mode)
            || status.st_rdev != device_)
            continue;
        found = true;
        port_fd = ::openat(::dirfd(dir), entry->d_name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        break;
    }
    ::closedir(dir);
    // A port the child has open but we may not open stays as the system keeps it.
    if (port_fd < 0)
        return found;
    ::ioctl(port_fd, TIOCEXCL);
    const std::lock_guard lock(mutex_);
    port_fd_ = port_fd;
    return true;
}
