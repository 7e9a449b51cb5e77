// avr910sim: an AVR910 serial ISP programmer with an attached AVR, simulated on a pseudo-terminal,
// for end-to-end tests with the real avrdude (`avrdude -c avr910 -P LINK -p m8 ...`).
//
//   avr910sim --port-link PATH --state DIR [--part m8|t85] [--block-mode N]
//             [--no-auto-increment] [--baud N] [--ignore-stdin] [--verbose]
//
// It prints "ready" on stdout once avrdude can open PATH, then serves avrdude runs one after another.
// The chip state (see chip_state_files.h) is read from DIR at the start of every run (`S`), so a test
// may preset the files between runs, and written back at its end (`L`) or after 500 ms of quiet
// following an interrupted run. It stops on SIGTERM, SIGINT, SIGHUP or end of stdin (a test that dies
// takes it along), removes PATH and exits 0. Exit 1: runtime error, 2: bad command line.

#include "tools/avr910sim/avr910_protocol.h"
#include "tools/avr910sim/chip_state_files.h"
#include "tools/avr910sim/pty_line.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <optional>
#include <stdexcept>
#include <poll.h>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

using namespace avr910sim;
using Clock = std::chrono::steady_clock;

// A command whose arguments do not follow within this time is dropped: avrdude sends each command
// in one write, so only a killed avrdude leaves one half done. Shorter than avrdude's 250 ms drain at
// start-up, so the next run's first command is never taken for the old one's arguments.
constexpr std::chrono::milliseconds ArgumentTimeout{100};
constexpr std::chrono::milliseconds IdleSaveDelay{500};

volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int)
{
    stopRequested = 1;
}

struct Options {
    std::string portLink;
    std::string stateDir;
    std::string part = "m8";
    ProgrammerOptions programmer;
    unsigned baud = 0; // 0: reply at once; else as slowly as a serial line at that rate
    bool watchStdin = true;
    bool verbose = false;
};

void printUsage(std::FILE *to)
{
    std::fprintf(to,
                 "usage: avr910sim --port-link PATH --state DIR [options]\n"
                 "Simulates an AVR910 ISP programmer with an attached AVR on a pseudo-terminal.\n"
                 "\n"
                 "  --port-link PATH     symlink to create to the pty slave; give it to avrdude as -P PATH\n"
                 "  --state DIR          chip state: flash.bin, eeprom.bin, fuses.txt (created if absent)\n"
                 "  --part ID            simulated chip: %s (default m8)\n"
                 "  --block-mode N       answer `b` with block size N (1..65535); default byte mode\n"
                 "  --no-auto-increment  answer `a` with 'N'\n"
                 "  --baud N             send each reply no faster than a serial line at N baud\n"
                 "  --ignore-stdin       do not stop at end of stdin (for running from a shell with </dev/null)\n"
                 "  --verbose            log every command and reply on stderr\n"
                 "\n"
                 "Prints \"ready\" when avrdude may connect; stops on SIGTERM/SIGINT/SIGHUP or end of stdin.\n",
                 std::string(knownPartIds()).c_str());
}

std::optional<Options> parseOptions(int argc, char **argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        auto value = [&]() -> const char * { return i + 1 < argc ? argv[++i] : nullptr; };
        if (arg == "--help" || arg == "-h") {
            printUsage(stdout);
            std::exit(0);
        } else if (arg == "--port-link" || arg == "--state" || arg == "--part" || arg == "--block-mode" ||
                   arg == "--baud") {
            const char *v = value();
            if (!v) {
                std::fprintf(stderr, "avr910sim: %s needs a value\n", argv[i]);
                return std::nullopt;
            }
            if (arg == "--port-link") {
                options.portLink = v;
            } else if (arg == "--state") {
                options.stateDir = v;
            } else if (arg == "--part") {
                options.part = v;
            } else if (arg == "--baud") {
                char *end = nullptr;
                const unsigned long baud = std::strtoul(v, &end, 0);
                if (*v == '\0' || *end != '\0' || baud == 0 || baud > 4000000) {
                    std::fprintf(stderr, "avr910sim: --baud needs a rate from 1 to 4000000, not %s\n", v);
                    return std::nullopt;
                }
                options.baud = static_cast<unsigned>(baud);
            } else {
                char *end = nullptr;
                const unsigned long size = std::strtoul(v, &end, 0);
                if (*v == '\0' || *end != '\0' || size == 0 || size > 0xFFFF) {
                    std::fprintf(stderr, "avr910sim: --block-mode needs a size from 1 to 65535, not %s\n", v);
                    return std::nullopt;
                }
                options.programmer.blockSize = static_cast<unsigned>(size);
            }
        } else if (arg == "--no-auto-increment") {
            options.programmer.autoIncrement = false;
        } else if (arg == "--ignore-stdin") {
            options.watchStdin = false;
        } else if (arg == "--verbose") {
            options.verbose = true;
        } else {
            std::fprintf(stderr, "avr910sim: unknown argument %s\n", argv[i]);
            return std::nullopt;
        }
    }
    if (options.portLink.empty() || options.stateDir.empty()) {
        std::fprintf(stderr, "avr910sim: --port-link and --state are required\n");
        return std::nullopt;
    }
    if (!findPart(options.part)) {
        std::fprintf(stderr, "avr910sim: unknown part %s (known: %s)\n", options.part.c_str(),
                     std::string(knownPartIds()).c_str());
        return std::nullopt;
    }
    return options;
}

void logBytes(const char *direction, const std::vector<std::uint8_t> &bytes)
{
    std::string text;
    for (const std::uint8_t b : bytes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, " %02X", b);
        text += hex;
    }
    std::fprintf(stderr, "avr910sim %s%s\n", direction, text.c_str());
}

// Blocks the stop signals outside ppoll(), so one that arrives between two polls is not lost.
sigset_t installSignalHandlers()
{
    struct sigaction action {};
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    for (const int sig : {SIGTERM, SIGINT, SIGHUP}) {
        sigaction(sig, &action, nullptr);
        sigaddset(&stopSignals, sig);
    }
    std::signal(SIGPIPE, SIG_IGN);
    sigset_t whilePolling;
    sigprocmask(SIG_BLOCK, &stopSignals, &whilePolling);
    for (const int sig : {SIGTERM, SIGINT, SIGHUP})
        sigdelset(&whilePolling, sig);
    return whilePolling;
}

int serve(const Options &options)
{
    const sigset_t pollMask = installSignalHandlers();
    const AvrPart part = *findPart(options.part);
    AvrChip chip(part);
    const ChipStateFiles state(options.stateDir, part);
    chip.setMemories(state.load());
    Avr910Protocol protocol(chip, options.programmer);
    PtyLine line(options.portLink);

    std::printf("ready\n");
    std::fflush(stdout);

    Clock::time_point lastByte = Clock::now();
    std::vector<std::uint8_t> reply;
    while (!stopRequested) {
        int timeoutMs = -1;
        if (protocol.midCommand() || chip.modified()) {
            const auto wait = protocol.midCommand() ? ArgumentTimeout : IdleSaveDelay;
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(lastByte + wait - Clock::now());
            timeoutMs = static_cast<int>(std::max<long long>(0, left.count()));
        }
        pollfd fds[2] = {{line.fd(), POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
        const timespec timeout{timeoutMs / 1000, (timeoutMs % 1000) * 1000000L};
        const int ready = ppoll(fds, options.watchStdin ? 2 : 1, timeoutMs < 0 ? nullptr : &timeout, &pollMask);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            throw std::runtime_error(std::string("ppoll: ") + std::strerror(errno));
        }
        if (ready == 0) {
            if (protocol.midCommand()) {
                if (options.verbose)
                    std::fprintf(stderr, "avr910sim: dropped an unfinished command\n");
                protocol.abandonCommand();
            } else if (chip.modified()) {
                state.save(chip.memories());  // a run ended without `L`: keep what it programmed
                chip.clearModified();
            }
            continue;
        }
        if (options.watchStdin && (fds[1].revents & (POLLIN | POLLHUP | POLLERR))) {
            char discard[256];
            const ssize_t n = ::read(STDIN_FILENO, discard, sizeof discard);
            if (n == 0 || (n < 0 && errno != EINTR && errno != EAGAIN))
                break;
        }
        if (fds[0].revents & (POLLERR | POLLNVAL))
            throw std::runtime_error("the pseudo-terminal failed");
        if (!(fds[0].revents & (POLLIN | POLLHUP)))
            continue;

        const std::vector<std::uint8_t> received = line.readAvailable();
        if (received.empty())
            continue;
        lastByte = Clock::now();
        if (options.verbose)
            logBytes("<-", received);
        for (const std::uint8_t byte : received) {
            switch (protocol.feed(byte, reply)) {
            case Avr910Protocol::Event::SessionStarted:
                if (chip.modified())
                    state.save(chip.memories());
                chip.setMemories(state.load());
                chip.clearModified();
                break;
            case Avr910Protocol::Event::SessionEnded:
                state.save(chip.memories());
                chip.clearModified();
                break;
            case Avr910Protocol::Event::None:
                break;
            }
        }
        if (!reply.empty()) {
            if (options.verbose)
                logBytes("->", reply);
            // Ten bits a byte on the wire: start, eight data bits, stop.
            if (options.baud > 0)
                ::usleep(static_cast<useconds_t>(reply.size() * 10 * 1000000ull / options.baud));
            line.writeAll(reply);
            reply.clear();
        }
    }
    if (chip.modified())
        state.save(chip.memories());
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    const std::optional<Options> options = parseOptions(argc, argv);
    if (!options) {
        printUsage(stderr);
        return 2;
    }
    try {
        return serve(*options);
    } catch (const std::exception &error) {
        std::fprintf(stderr, "avr910sim: %s\n", error.what());
        return 1;
    }
}
