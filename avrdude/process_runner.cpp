#include "avrdude/process_runner.h"

#include "avrdude/command_line_split.h"
#include "avrdude/native_text.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

extern char **environ;

namespace {

// Reads take what the pipe holds, up to its whole size; the captured text is the same byte for
// byte whatever the size, and large reads measured fastest.
constexpr int PipeSize = 1 << 20;
constexpr qsizetype ReadChunkSize = PipeSize;

enum class Keep { Texts, Nothing };

// Owns a file descriptor for the span of one run.
class Fd {
public:
    Fd() = default;
    explicit Fd(int fd) : fd_(fd) {}
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    ~Fd() { reset(); }
    int get() const { return fd_; }
    void reset(int fd = -1)
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }

private:
    int fd_ = -1;
};

bool make_pipe(Fd &read_end, Fd &write_end)
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return false;
    read_end.reset(fds[0]);
    write_end.reset(fds[1]);
    return true;
}

std::vector<QByteArray> child_argv(const QString &program_file, const QStringList &arguments)
{
    std::vector<QByteArray> argv;
    if (program_file.endsWith(QLatin1String(".bat"), Qt::CaseInsensitive))
        argv.push_back(QByteArrayLiteral("/bin/sh"));
    argv.push_back(native_bytes(program_file));
    for (const QString &arg : arguments)
        argv.push_back(native_bytes(arg));
    return argv;
}

std::uint32_t exit_code_of(int status)
{
    if (WIFEXITED(status))
        return static_cast<std::uint32_t>(WEXITSTATUS(status));
    if (WIFSIGNALED(status))
        return 128u + static_cast<std::uint32_t>(WTERMSIG(status));
    return 0;
}

// Reads what the pipe holds straight into the end of the text, which grows by what was read.
// Returns what read() returned.
ssize_t read_into(int fd, QByteArray &text)
{
    const qsizetype old_size = text.size();
    // Growing is left to QByteArray, which grows geometrically; pages not yet written cost nothing.
    text.resize(old_size + ReadChunkSize);
    const ssize_t got = ::read(fd, text.data() + old_size, ReadChunkSize);
    text.resize(old_size + std::max<ssize_t>(got, 0));
    return got;
}

// After a stop was asked for, how often to look whether the child has ended while its pipes
// stay open.
constexpr int StopPollMs = 20;

// Whether the child has ended, without reaping it: the caller's waitpid takes its status.
bool child_has_ended(pid_t pid)
{
    siginfo_t info{};
    if (::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0)
        return errno != EINTR; // no such child: reaped by someone else, so ended too
    return info.si_pid == pid;
}

// One read from a pipe that poll found ready. False when the stream has ended. When the observer
// keeps what it needs, the chunk goes to the observer alone.
bool take_chunk(int fd, QByteArray &target, OutputStream stream, const ChunkObserver &observer, Keep keep)
{
    const ssize_t got = read_into(fd, target);
    if (got < 0 && errno == EINTR)
        return true;
    if (got <= 0)
        return false;
    if (observer)
        observer(stream, target.constData() + target.size() - got, static_cast<std::size_t>(got));
    if (keep == Keep::Nothing)
        target.resize(0);
    return true;
}

// Drains both pipes until each reports end-of-stream; neither can block the other. Once a stop
// was asked for and the child has ended, it takes what is waiting and returns although the pipes
// are still open: whatever the child left behind in a session of its own (a daemon) may hold them
// for ever, and the stop's signals cannot reach it.
void drain(int out_fd, int err_fd, pid_t pid, const RunStop *stop, RunResult &result, const ChunkObserver &observer,
           Keep keep)
{
    pollfd fds[3] = {{out_fd, POLLIN, 0}, {err_fd, POLLIN, 0}, {stop ? stop->wakeFd() : -1, POLLIN, 0}};
    QByteArray scratch[2];
    QByteArray *targets[2] = {&result.output, &result.errors};
    if (keep == Keep::Nothing)
        targets[0] = &scratch[0], targets[1] = &scratch[1];
    const OutputStream streams[2] = {OutputStream::Output, OutputStream::Errors};
    // A larger pipe lets a chatty child write on while we take the last chunk: fewer wake-ups
    // on both sides. Where the system refuses, the default size serves as before.
    for (int i = 0; i < 2; ++i)
        ::fcntl(fds[i].fd, F_SETPIPE_SZ, PipeSize);
    // Without a wake-up descriptor a stop is looked for as often as the child's end is.
    const int idle_timeout = stop && stop->wakeFd() < 0 ? StopPollMs : -1;
    int open_streams = 2;
    while (open_streams > 0) {
        const bool stopping = stop && stop->requested();
        if (stopping) {
            fds[2].fd = -1;
            if (child_has_ended(pid)) {
                pollfd ready[2] = {fds[0], fds[1]};
                if (::poll(ready, 2, 0) > 0)
                    for (int i = 0; i < 2; ++i)
                        if (ready[i].fd >= 0 && ready[i].revents != 0)
                            take_chunk(ready[i].fd, *targets[i], streams[i], observer, keep);
                break;
            }
        }
        if (::poll(fds, 3, stopping ? StopPollMs : idle_timeout) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0)
                continue;
            if (!take_chunk(fds[i].fd, *targets[i], streams[i], observer, keep)) {
                fds[i].fd = -1;
                --open_streams;
            }
        }
    }
    // The room kept for the next read goes back; a small report keeps no megabyte.
    for (QByteArray *target : targets)
        target->squeeze();
}

RunResult run(const CommandLine &command, const ChunkObserver &observer, const std::function<void(pid_t)> &on_started,
              const RunStop *stop, Keep keep, int inherited_fd)
{
    RunResult result;
    QString program_file;
    if (!resolve_program(command.program, program_file))
        return result;

    Fd out_read, out_write, err_read, err_write;
    if (!make_pipe(out_read, out_write) || !make_pipe(err_read, err_write)) {
        result.start_error = errno;
        return result;
    }

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out_write.get(), STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err_write.get(), STDERR_FILENO);
    // A descriptor duplicated onto itself loses its close-on-exec flag in the child alone.
    if (inherited_fd >= 0)
        posix_spawn_file_actions_adddup2(&actions, inherited_fd, inherited_fd);

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t default_signals;
    sigemptyset(&default_signals);
    sigaddset(&default_signals, SIGPIPE);
    sigaddset(&default_signals, SIGTERM);
    sigaddset(&default_signals, SIGINT);
    sigset_t no_signals;
    sigemptyset(&no_signals);
    posix_spawnattr_setsigdefault(&attributes, &default_signals);
    posix_spawnattr_setsigmask(&attributes, &no_signals);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETPGROUP);

    const std::vector<QByteArray> args = child_argv(program_file, split_arguments(command.arguments));
    std::vector<char *> argv;
    for (const QByteArray &arg : args)
        argv.push_back(const_cast<char *>(arg.constData()));
    argv.push_back(nullptr);

    pid_t pid = -1;
    const int spawn_error = ::posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);

    // Our copies of the write ends must go, or the read ends never see end-of-stream.
    out_write.reset();
    err_write.reset();
    if (spawn_error != 0) {
        result.start_error = spawn_error;
        return result;
    }

    result.started = true;
    if (on_started)
        on_started(pid);
    drain(out_read.get(), err_read.get(), pid, stop, result, observer, keep);

    int status = 0;
    pid_t waited;
    while ((waited = ::waitpid(pid, &status, 0)) < 0 && errno == EINTR) {
    }
    // A child reaped by someone else (SIGCHLD ignored) has no status to give: the run has then
    // failed to report, and nothing must pass its code off as 0.
    if (waited != pid) {
        result.wait_failed = true;
        return result;
    }
    result.exit_code = exit_code_of(status);
    return result;
}

} // namespace

RunResult run_and_capture(const CommandLine &command, const ChunkObserver &observer,
                          const std::function<void(pid_t)> &on_started, const RunStop *stop, int inherited_fd)
{
    return run(command, observer, on_started, stop, Keep::Texts, inherited_fd);
}

RunResult run_and_stream(const CommandLine &command, const ChunkObserver &observer,
                         const std::function<void(pid_t)> &on_started, const RunStop *stop, int inherited_fd)
{
    return run(command, observer, on_started, stop, Keep::Nothing, inherited_fd);
}
