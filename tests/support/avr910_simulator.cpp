#include "tests/support/avr910_simulator.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::chrono::seconds ReadyTimeout{10};
constexpr std::chrono::seconds StopTimeout{3};

std::string readFile(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFileWhole(const std::filesystem::path &path, const std::string &content)
{
    std::filesystem::create_directories(path.parent_path());
    std::filesystem::path temporary = path;
    temporary += ".preset";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        if (!out)
            throw std::runtime_error("cannot write " + temporary.string());
    }
    std::filesystem::rename(temporary, path);  // the simulator never sees half a file
}

std::string describeStatus(int status)
{
    if (WIFEXITED(status))
        return "exited with code " + std::to_string(WEXITSTATUS(status));
    if (WIFSIGNALED(status))
        return "killed by signal " + std::to_string(WTERMSIG(status));
    return "stopped";
}

}  // namespace

Avr910Simulator::Avr910Simulator() : Avr910Simulator(Options{}) {}

Avr910Simulator::Avr910Simulator(Options options) : options_(std::move(options))
{
    char pattern[] = "/tmp/quillon-avr910sim-XXXXXX";
    if (!mkdtemp(pattern))
        throw std::runtime_error(std::string("mkdtemp: ") + std::strerror(errno));
    workDir_ = pattern;
    stateDir_ = options_.stateDir.empty() ? workDir_ / "state" : options_.stateDir;
    port_ = (workDir_ / "tty").string();
    try {
        start();
    } catch (...) {
        stop();
        throw;
    }
}

Avr910Simulator::~Avr910Simulator()
{
    stop();
}

void Avr910Simulator::start()
{
    const char *toolsDir = std::getenv("QUILLON_TOOLS_DIR");
    if (!toolsDir || !*toolsDir)
        throw std::runtime_error("QUILLON_TOOLS_DIR is not set; it names the folder that holds avr910sim");
    const std::string program = (std::filesystem::path(toolsDir) / "avr910sim").string();

    int toChild[2];
    int fromChild[2];
    if (pipe2(toChild, O_CLOEXEC) != 0)
        throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
    if (pipe2(fromChild, O_CLOEXEC) != 0) {
        ::close(toChild[0]);
        ::close(toChild[1]);
        throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
    }
    stdinWrite_ = toChild[1];
    stdoutRead_ = fromChild[0];

    std::vector<std::string> args = {program, "--port-link", port_, "--state", stateDir_.string(),
                                     "--part", options_.part};
    if (options_.blockSize != 0) {
        args.push_back("--block-mode");
        args.push_back(std::to_string(options_.blockSize));
    }
    if (options_.baud != 0) {
        args.push_back("--baud");
        args.push_back(std::to_string(options_.baud));
    }
    std::vector<char *> argv;
    for (std::string &arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    // dup2 clears close-on-exec on the child's 0 and 1; every other process the test starts
    // (avrdude) inherits neither pipe end, so the simulator sees end of stdin when this test dies.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, toChild[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, fromChild[1], STDOUT_FILENO);
    const int spawned = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(toChild[0]);
    ::close(fromChild[1]);
    if (spawned != 0) {
        pid_ = -1;
        throw std::runtime_error("cannot start " + program + ": " + std::strerror(spawned));
    }

    std::string output;
    const auto deadline = Clock::now() + ReadyTimeout;
    while (output.find('\n') == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            throw std::runtime_error("avr910sim did not report ready within 10 s");
        pollfd fd{stdoutRead_, POLLIN, 0};
        if (::poll(&fd, 1, static_cast<int>(left)) < 0 && errno != EINTR)
            throw std::runtime_error(std::string("poll: ") + std::strerror(errno));
        char buffer[256];
        const ssize_t n = ::read(stdoutRead_, buffer, sizeof buffer);
        if (n > 0) {
            output.append(buffer, static_cast<std::size_t>(n));
        } else if (n == 0) {
            int status = 0;
            ::waitpid(pid_, &status, 0);
            pid_ = -1;
            throw std::runtime_error("avr910sim " + describeStatus(status) + " before it was ready");
        }
    }
    if (output.substr(0, output.find('\n')) != "ready")
        throw std::runtime_error("avr910sim said \"" + output + "\" instead of ready");
}

void Avr910Simulator::stop()
{
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        int status = 0;
        bool reaped = false;
        const auto deadline = Clock::now() + StopTimeout;
        while (Clock::now() < deadline) {
            const pid_t done = ::waitpid(pid_, &status, WNOHANG);
            if (done == pid_ || (done < 0 && errno != EINTR)) {
                reaped = true;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        if (!reaped) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, &status, 0);
        }
        pid_ = -1;
    }
    if (stdinWrite_ >= 0)
        ::close(stdinWrite_);
    if (stdoutRead_ >= 0)
        ::close(stdoutRead_);
    stdinWrite_ = stdoutRead_ = -1;
    if (!workDir_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(workDir_, ignored);
        workDir_.clear();
    }
}

std::vector<std::uint8_t> Avr910Simulator::flash() const
{
    const std::string bytes = readFile(stateDir_ / "flash.bin");
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

std::vector<std::uint8_t> Avr910Simulator::eeprom() const
{
    const std::string bytes = readFile(stateDir_ / "eeprom.bin");
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

Avr910Fuses Avr910Simulator::fuses() const
{
    Avr910Fuses fuses;
    std::istringstream lines(readFile(stateDir_ / "fuses.txt"));
    std::string line;
    while (std::getline(lines, line)) {
        const auto equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        const std::string key = line.substr(0, equals);
        const auto value = static_cast<std::uint8_t>(std::strtoul(line.c_str() + equals + 1, nullptr, 0));
        if (key == "lfuse")
            fuses.lfuse = value;
        else if (key == "hfuse")
            fuses.hfuse = value;
        else if (key == "efuse")
            fuses.efuse = value;
        else if (key == "lock")
            fuses.lock = value;
    }
    return fuses;
}

void Avr910Simulator::setFlash(const std::vector<std::uint8_t> &image) const
{
    writeFileWhole(stateDir_ / "flash.bin", std::string(image.begin(), image.end()));
}

void Avr910Simulator::setEeprom(const std::vector<std::uint8_t> &image) const
{
    writeFileWhole(stateDir_ / "eeprom.bin", std::string(image.begin(), image.end()));
}

void Avr910Simulator::setFuses(const Avr910Fuses &fuses) const
{
    char text[160];
    std::snprintf(text, sizeof text, "part=%s\nlfuse=0x%02X\nhfuse=0x%02X\nefuse=0x%02X\nlock=0x%02X\n",
                  options_.part.c_str(), fuses.lfuse, fuses.hfuse, fuses.efuse, fuses.lock);
    writeFileWhole(stateDir_ / "fuses.txt", text);
}

M328pAvrduderc::M328pAvrduderc()
{
    char pattern[] = "/tmp/quillon-avrdude-home-XXXXXX";
    if (!mkdtemp(pattern))
        throw std::runtime_error(std::string("mkdtemp: ") + std::strerror(errno));
    home_ = pattern;
    std::ofstream((home_ / ".avrduderc").string()) << "part parent \"m328p\"\n"
                                                      "    id = \"m328p\";\n"
                                                      "    avr910_devcode = 0x76;\n"
                                                      ";\n";
    if (const char *home = std::getenv("HOME"))
        previousHome_ = home;
    ::setenv("HOME", home_.c_str(), 1);
}

M328pAvrduderc::~M328pAvrduderc()
{
    if (previousHome_)
        ::setenv("HOME", previousHome_->c_str(), 1);
    else
        ::unsetenv("HOME");
    std::error_code ignored;
    std::filesystem::remove_all(home_, ignored);
}
