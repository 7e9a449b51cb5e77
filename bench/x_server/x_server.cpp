#include "bench/x_server/x_server.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char **environ;

namespace {

const char *const Xvfb = "/usr/bin/Xvfb";
// The descriptor on which Xvfb writes the display number it took, once it accepts clients.
constexpr int DisplayFd = 3;
constexpr auto StartTimeout = std::chrono::seconds(10);
constexpr auto StopGrace = std::chrono::seconds(2);

// The first line written to fd before the deadline, without its line break; empty when none came.
std::string first_line(int fd, std::chrono::steady_clock::time_point deadline)
{
    std::string seen;
    while (seen.find('\n') == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return {};
        pollfd ready{fd, POLLIN, 0};
        if (::poll(&ready, 1, static_cast<int>(left.count())) <= 0)
            continue;
        char buffer[64];
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got <= 0)
            return {};
        seen.append(buffer, static_cast<size_t>(got));
    }
    return seen.substr(0, seen.find('\n'));
}

} // namespace

XServer::XServer()
{
    int fds[2];
    if (::access(Xvfb, X_OK) != 0 || ::pipe2(fds, O_CLOEXEC) != 0)
        return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, fds[1], DisplayFd);
    const std::string fd = std::to_string(DisplayFd);
    const char *argv[] = {Xvfb,       "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24",
                          "-nolisten", "tcp",       "-noreset", nullptr};
    if (::posix_spawn(&pid_, Xvfb, &actions, nullptr, const_cast<char **>(argv), environ) != 0)
        pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    const std::string number = pid_ > 0 ? first_line(fds[0], std::chrono::steady_clock::now() + StartTimeout) : "";
    ::close(fds[0]);
    if (!number.empty())
        display_ = ":" + number;
}

XServer::~XServer()
{
    if (pid_ <= 0)
        return;
    ::kill(pid_, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + StopGrace;
    int status = 0;
    while (::waitpid(pid_, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, &status, 0);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}
