#include "tools/avr910sim/pty_line.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

namespace avr910sim {

namespace {

std::runtime_error systemError(const std::string &what)
{
    return std::runtime_error(what + ": " + std::strerror(errno));
}

}  // namespace

PtyLine::PtyLine(std::filesystem::path linkPath) : link_(std::move(linkPath))
{
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master_ < 0)
        throw systemError("posix_openpt");
    if (grantpt(master_) != 0 || unlockpt(master_) != 0) {
        const auto error = systemError("grantpt/unlockpt");
        ::close(master_);
        throw error;
    }
    const char *name = ptsname(master_);
    if (!name) {
        const auto error = systemError("ptsname");
        ::close(master_);
        throw error;
    }
    slaveName_ = name;

    slave_ = ::open(slaveName_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios mode{};
    if (slave_ < 0 || tcgetattr(slave_, &mode) != 0) {
        const auto error = systemError("open " + slaveName_);
        if (slave_ >= 0)
            ::close(slave_);
        ::close(master_);
        throw error;
    }
    cfmakeraw(&mode);
    cfsetispeed(&mode, B19200);
    cfsetospeed(&mode, B19200);
    if (tcsetattr(slave_, TCSANOW, &mode) != 0) {
        const auto error = systemError("tcsetattr " + slaveName_);
        ::close(slave_);
        ::close(master_);
        throw error;
    }

    std::error_code ignored;
    if (std::filesystem::is_symlink(link_, ignored))
        std::filesystem::remove(link_, ignored);  // left behind by a simulator that was killed
    std::error_code error;
    std::filesystem::create_symlink(slaveName_, link_, error);
    if (error) {
        ::close(slave_);
        ::close(master_);
        throw std::runtime_error("cannot link " + link_.string() + " to " + slaveName_ + ": " + error.message());
    }
}

PtyLine::~PtyLine()
{
    std::error_code ignored;
    std::filesystem::remove(link_, ignored);
    ::close(slave_);
    ::close(master_);
}

std::vector<std::uint8_t> PtyLine::readAvailable()
{
    std::vector<std::uint8_t> bytes(4096);
    const ssize_t n = ::read(master_, bytes.data(), bytes.size());
    bytes.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return bytes;
}

bool PtyLine::writeAll(const std::vector<std::uint8_t> &bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
            return false;
        pollfd waitForRoom{master_, POLLOUT, 0};
        if (::poll(&waitForRoom, 1, 1000) == 0)
            return false;  // nobody reads the slave: drop the reply rather than hang
    }
    return true;
}

}  // namespace avr910sim
