// Cold start to the first painted main window, Quillon against its peers: the same six windows
// built from stock Qt widgets (the fair twin), a Qt window showing one label, and an empty one.
// All start on the offscreen platform and are measured from outside: the first-paint hook is
// preloaded into each and reports when the application object has its platform and when the first
// window has been painted, so each start is also told in two parts. Then, where Xvfb is installed, the same on an X server,
// as users start it; where valgrind is installed, the instructions each executes up to that paint,
// a figure the machine's load does not move; and the resident memory of each, idle.
#include "bench/load_average.h"
#include "bench/median.h"
#include "bench/x_server/x_server.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

constexpr int WarmUpRuns = 2;
constexpr int MeasuredRuns = 40;
constexpr int MarkerTimeoutMs = 30000;
constexpr int IdleSettleMs = 1500;
constexpr int KillGraceMs = 2000;
constexpr int InstructionCountTimeoutMs = 120000;
constexpr double TwinAim = 0.85;

// Where the programs show their windows: Qt's offscreen platform, or an X server.
struct Screen {
    std::string platform;
    std::string display;
};

const Screen Offscreen{"offscreen", {}};

const char *const QuillonPath = QUILLON_EXECUTABLE;
const char *const BareWindowPath = BARE_WINDOW_EXECUTABLE;
const char *const StockTwinPath = STOCK_TWIN_EXECUTABLE;
const char *const HookPath = FIRST_PAINT_HOOK;
const char *const TextArgument = "--text";
const char *const Valgrind = "/usr/bin/valgrind";
const std::string CollectedMarker = "Collected : ";
const std::string ApplicationMarker = "application-created ";
const std::string FirstPaintMarker = "first-paint ";

long long monotonic_ns()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

struct Child {
    pid_t pid = -1;
    // The pipe the bench reads: the child's standard error, or the X server's display number.
    int output_fd = -1;
};

// Starts command with the first-paint hook preloaded and its standard error on a pipe.
Child start(std::vector<const char *> command, bool exit_after_paint, const Screen &screen = Offscreen)
{
    std::vector<std::string> variables;
    for (char **v = environ; *v; ++v) {
        const std::string variable = *v;
        if (variable.rfind("LD_PRELOAD=", 0) != 0 && variable.rfind("QT_QPA_PLATFORM=", 0) != 0 &&
            variable.rfind("DISPLAY=", 0) != 0)
            variables.push_back(variable);
    }
    variables.push_back(std::string("LD_PRELOAD=") + HookPath);
    variables.push_back("QT_QPA_PLATFORM=" + screen.platform);
    if (!screen.display.empty())
        variables.push_back("DISPLAY=" + screen.display);
    if (exit_after_paint)
        variables.push_back("QUILLON_BENCH_EXIT_AFTER_PAINT=1");
    std::vector<char *> envp;
    for (std::string &variable : variables)
        envp.push_back(variable.data());
    envp.push_back(nullptr);

    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDERR_FILENO);
    command.push_back(nullptr);
    Child child;
    if (::posix_spawn(&child.pid, command[0], &actions, nullptr, const_cast<char **>(command.data()), envp.data()) != 0)
        child.pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    child.output_fd = fds[0];
    return child;
}

// Reads the child's output until a whole line holding marker has come; all that was read, or an
// empty text when the marker did not come in time.
std::string read_until(const Child &child, const std::string &marker, int timeout_ms)
{
    std::string seen;
    const long long deadline = monotonic_ns() + timeout_ms * 1000000LL;
    for (;;) {
        const long long left_ms = (deadline - monotonic_ns()) / 1000000;
        if (left_ms <= 0)
            return {};
        pollfd fd{child.output_fd, POLLIN, 0};
        if (::poll(&fd, 1, static_cast<int>(left_ms)) <= 0)
            continue;
        char buffer[4096];
        const ssize_t got = ::read(child.output_fd, buffer, sizeof buffer);
        if (got <= 0)
            return {};
        seen.append(buffer, static_cast<size_t>(got));
        const size_t at = seen.find(marker);
        if (at != std::string::npos && seen.find('\n', at) != std::string::npos)
            return seen;
    }
}

// The number after marker in the output, or -1 when it is not there.
long long number_after(const std::string &output, const std::string &marker)
{
    const size_t at = output.find(marker);
    return at == std::string::npos ? -1 : std::stoll(output.substr(at + marker.size()));
}

long long read_marker(const Child &child, const std::string &marker, int timeout_ms)
{
    return number_after(read_until(child, marker, timeout_ms), marker);
}

// Ends the child: it was asked to exit after the marker, or is terminated here; killed if it
// does not go within the grace period. Always reaped.
void finish(Child &child, bool terminate)
{
    if (child.pid <= 0) {
        if (child.output_fd >= 0)
            ::close(child.output_fd);
        child.output_fd = -1;
        return;
    }
    if (terminate)
        ::kill(child.pid, SIGTERM);
    const long long deadline = monotonic_ns() + KillGraceMs * 1000000LL;
    int status = 0;
    while (::waitpid(child.pid, &status, WNOHANG) == 0) {
        if (monotonic_ns() > deadline) {
            ::kill(child.pid, SIGKILL);
            ::waitpid(child.pid, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::close(child.output_fd);
    child.output_fd = -1;
    child.pid = -1;
}

// One start, in milliseconds: from spawning to the application object having its platform, and
// from there to the first painted window; both -1 on failure.
struct StartTimes {
    double to_application = -1;
    double to_paint = -1;
    bool failed() const { return to_application < 0 || to_paint < 0; }
};

StartTimes time_to_first_paint(const char *program, const char *argument = nullptr, const Screen &screen = Offscreen)
{
    const long long started = monotonic_ns();
    Child child = start({program, argument}, true, screen);
    const std::string output = read_until(child, FirstPaintMarker, MarkerTimeoutMs);
    const long long created = number_after(output, ApplicationMarker);
    const long long painted = number_after(output, FirstPaintMarker);
    finish(child, painted < 0);
    if (created < 0 || painted < created)
        return {};
    return {static_cast<double>(created - started) / 1e6, static_cast<double>(painted - created) / 1e6};
}

double whole(const StartTimes &run) { return run.to_application + run.to_paint; }
double before_application(const StartTimes &run) { return run.to_application; }
double after_application(const StartTimes &run) { return run.to_paint; }

// A series of starts of one program: medians of a part, and the run-by-run ratios against another's.
struct StartSeries {
    std::vector<StartTimes> runs;

    bool failed() const
    {
        return std::any_of(runs.begin(), runs.end(), [](const StartTimes &run) { return run.failed(); });
    }
    double median_of(double (*part)(const StartTimes &)) const
    {
        std::vector<double> values;
        for (const StartTimes &run : runs)
            values.push_back(part(run));
        return median(values);
    }
    double ratio_to(const StartSeries &other, double (*part)(const StartTimes &)) const
    {
        std::vector<double> ratios;
        for (size_t i = 0; i < runs.size(); ++i)
            ratios.push_back(part(runs[i]) / part(other.runs[i]));
        return median(ratios);
    }
};

const char *const TwinName = "the six windows in stock Qt widgets";
const char *const LabelName = "a Qt window showing one QLabel";

// The whole start and its two parts, Quillon against a peer; an aim of 0 is none.
void print_comparison(const StartSeries &quillon, const StartSeries &peer, const char *peer_name, double aim = 0)
{
    std::printf("  start to first painted window: quillon %.1f ms, %s %.1f ms, pairwise ratio %.2f", quillon.median_of(whole),
                peer_name, peer.median_of(whole), quillon.ratio_to(peer, whole));
    if (aim > 0)
        std::printf(" (aim <= %.2f)", aim);
    std::printf("\n    to the application object: %.1f ms against %.1f ms, ratio %.2f; from there to the first paint: "
                "%.1f ms against %.1f ms, ratio %.2f\n",
                quillon.median_of(before_application), peer.median_of(before_application),
                quillon.ratio_to(peer, before_application), quillon.median_of(after_application),
                peer.median_of(after_application), quillon.ratio_to(peer, after_application));
}

// Resident set in MiB once the window is up and the program has sat idle for a while.
double idle_rss_mib(const char *program)
{
    Child child = start({program, nullptr}, false);
    double rss = -1;
    if (read_marker(child, FirstPaintMarker, MarkerTimeoutMs) >= 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(IdleSettleMs));
        const std::string status_file = "/proc/" + std::to_string(child.pid) + "/status";
        if (FILE *status = std::fopen(status_file.c_str(), "r")) {
            char line[256];
            while (std::fgets(line, sizeof line, status))
                if (std::sscanf(line, "VmRSS: %lf kB", &rss) == 1)
                    break;
            std::fclose(status);
        }
    }
    finish(child, true);
    return rss < 0 ? -1 : rss / 1024.0;
}

// Instructions the program executes from its start to its first painted window, as callgrind
// counts them; -1 when it did not report them.
double instructions_to_first_paint(const char *program, const char *argument = nullptr)
{
    Child child = start({Valgrind, "--tool=callgrind", "--callgrind-out-file=/dev/null", program, argument}, true);
    const long long collected = read_marker(child, CollectedMarker, InstructionCountTimeoutMs);
    finish(child, collected < 0);
    return static_cast<double>(collected);
}

// Pairwise comparison on an X server; false when a program did not paint there.
bool compare_on_x_server(const std::string &display)
{
    const Screen x{"xcb", display};
    for (int i = 0; i < WarmUpRuns; ++i) {
        time_to_first_paint(QuillonPath, nullptr, x);
        time_to_first_paint(StockTwinPath, nullptr, x);
        time_to_first_paint(BareWindowPath, TextArgument, x);
    }
    StartSeries quillon, twin, label;
    for (int i = 0; i < MeasuredRuns; ++i) {
        quillon.runs.push_back(time_to_first_paint(QuillonPath, nullptr, x));
        twin.runs.push_back(time_to_first_paint(StockTwinPath, nullptr, x));
        label.runs.push_back(time_to_first_paint(BareWindowPath, TextArgument, x));
        if (quillon.runs.back().failed() || twin.runs.back().failed() || label.runs.back().failed())
            return false;
    }
    std::printf("on an X server (Xvfb, no window manager), median of %d:\n", MeasuredRuns);
    print_comparison(quillon, twin, TwinName, TwinAim);
    print_comparison(quillon, label, LabelName);
    return true;
}

} // namespace

int main()
{
    for (int i = 0; i < WarmUpRuns; ++i) {
        time_to_first_paint(QuillonPath);
        time_to_first_paint(StockTwinPath);
        time_to_first_paint(BareWindowPath);
        time_to_first_paint(BareWindowPath, TextArgument);
    }
    // Interleaved, so that a change in the machine's load touches all alike; ratios are taken run
    // by run for the same reason.
    StartSeries quillon, twin, empty, label;
    for (int i = 0; i < MeasuredRuns; ++i) {
        quillon.runs.push_back(time_to_first_paint(QuillonPath));
        twin.runs.push_back(time_to_first_paint(StockTwinPath));
        empty.runs.push_back(time_to_first_paint(BareWindowPath));
        label.runs.push_back(time_to_first_paint(BareWindowPath, TextArgument));
    }
    if (quillon.failed() || twin.failed() || empty.failed() || label.failed()) {
        std::printf("start: a program did not report its application object and first paint\n");
        return 1;
    }
    std::printf("offscreen platform, median of %d, load average %.2f:\n", MeasuredRuns, load_average());
    print_comparison(quillon, twin, TwinName, TwinAim);
    print_comparison(quillon, label, LabelName);
    std::printf("  an empty Qt window (no fonts loaded) %.1f ms, pairwise ratio %.2f\n", empty.median_of(whole),
                quillon.ratio_to(empty, whole));

    if (const XServer server; !server.display().empty()) {
        if (!compare_on_x_server(server.display())) {
            std::printf("start: a program did not report its first paint on the X server\n");
            return 1;
        }
    } else {
        std::printf("no X server comparison: Xvfb could not be started\n");
    }

    if (::access(Valgrind, X_OK) == 0) {
        const double quillon_count = instructions_to_first_paint(QuillonPath);
        const double twin_count = instructions_to_first_paint(StockTwinPath);
        const double label_count = instructions_to_first_paint(BareWindowPath, TextArgument);
        if (quillon_count < 0 || twin_count < 0 || label_count < 0) {
            std::printf("start: valgrind reported no instruction count\n");
            return 1;
        }
        std::printf("instructions from start to first painted window (callgrind): quillon %.1f M, %s %.1f M, ratio "
                    "%.2f; %s %.1f M, ratio %.2f\n",
                    quillon_count / 1e6, TwinName, twin_count / 1e6, quillon_count / twin_count, LabelName,
                    label_count / 1e6, quillon_count / label_count);
    } else {
        std::printf("no instruction counts: %s is not installed\n", Valgrind);
    }

    const double quillon_rss = idle_rss_mib(QuillonPath);
    const double twin_rss = idle_rss_mib(StockTwinPath);
    const double bare_rss = idle_rss_mib(BareWindowPath);
    std::printf("idle resident memory: quillon %.1f MiB (aim <= 80), %s %.1f MiB, bare Qt window %.1f MiB\n",
                quillon_rss, TwinName, twin_rss, bare_rss);
    return quillon_rss < 0 || twin_rss < 0 || bare_rss < 0 ? 1 : 0;
}
