#include "app/application_end.h"

#include "forms/live_run/active_run.h"
#include "forms/live_run/run_guard.h"
#include "session/fuse_transfer_dir.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <unistd.h>

namespace {

constexpr int EndSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The signal handlers only write the signal's number here; the rest is done outside them.
int signal_pipe[2] = {-1, -1};
// The first way the program was told to end: a signal's number, or 0.
int end_signal = 0;
bool ending = false;
// SIGTERM and SIGINT count towards stopping the command.
int stop_requests = 0;

void note_signal(int signal)
{
    const int saved = errno;
    const auto byte = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(signal_pipe[1], &byte, 1);
    errno = saved;
}

// Standard error may be a terminal that is gone: what cannot be written is lost, nothing else.
void say(const QByteArray &line)
{
    const QByteArray text = "quillon: " + line + '\n';
    qsizetype done = 0;
    while (done < text.size()) {
        const ssize_t written = ::write(STDERR_FILENO, text.constData() + done, static_cast<std::size_t>(text.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return;
        done += written;
    }
}

QByteArray signal_name(int signal)
{
    switch (signal) {
    case SIGTERM: return "SIGTERM";
    case SIGINT: return "SIGINT";
    default: return "SIGHUP";
    }
}

bool is_stop_signal(int signal) { return signal == SIGTERM || signal == SIGINT; }

// Starts the end with a command running: said once, whatever asked for it.
void begin_ending(const QByteArray &cause, const ActiveRun &run)
{
    say(cause + ": Quillon endet, sobald der laufende Befehl zu Ende ist; ein zweites SIGTERM oder SIGINT "
                "bricht ihn ab wie Esc.");
    say("Befehl: " + run.commandText());
}

void say_outcome(const ActiveRun &run) { say("Befehl beendet: " + run.outcome()); }

[[noreturn]] void end_now()
{
    FuseTransferDir::removeAll();
    // The parent learns which signal ended the program.
    std::signal(end_signal, SIG_DFL);
    std::raise(end_signal);
    std::_Exit(128 + end_signal);
}

// Whether this signal stops the command as Escape does: the second SIGTERM or SIGINT.
bool counts_as_stop(int signal) { return is_stop_signal(signal) && ++stop_requests == 2; }

void take_signal(int signal)
{
    ActiveRun *run = ActiveRun::current();
    if (!ending) {
        ending = true;
        end_signal = signal;
        stop_requests = is_stop_signal(signal) ? 1 : 0;
        ActiveRun::refuseNewRuns();
        if (!run)
            end_now();
        ActiveRun::setWhenOver([](const ActiveRun &over) {
            say_outcome(over);
            // What the run's window does with its result (a fuse read takes its files) is done first.
            QTimer::singleShot(0, QCoreApplication::instance(), [] { end_now(); });
        });
        begin_ending(signal_name(signal), *run);
        return;
    }
    if (counts_as_stop(signal) && run) {
        say("Der Befehl wird abgebrochen wie mit Esc.");
        run->stop();
    }
}

void take_signals()
{
    unsigned char byte = 0;
    while (::read(signal_pipe[0], &byte, 1) == 1)
        take_signal(byte);
}

// Qt ends the program with exit() when the display goes away, from inside whatever event loop
// runs, the one of a run included. The child's pipes are still drained by the runner's thread:
// the run is waited for here, signals still taken, before the program goes.
void wait_for_run_at_exit()
{
    ActiveRun *run = ActiveRun::current();
    if (run && !ending)
        begin_ending("Die Verbindung zur Anzeige ist verloren", *run);
    ending = true;
    ActiveRun::refuseNewRuns();
    if (run) {
        run->detach();
        std::optional<QDeadlineTimer> kill_at;
        while (!run->ended()) {
            pollfd fds[2] = {{run->endedFd(), POLLIN, 0}, {signal_pipe[0], POLLIN, 0}};
            const int timeout = kill_at ? static_cast<int>(kill_at->remainingTime()) : -1;
            if (::poll(fds, 2, timeout) == 0 && kill_at) {
                run->kill();
                kill_at.reset();
            }
            unsigned char byte = 0;
            while (::read(signal_pipe[0], &byte, 1) == 1)
                if (counts_as_stop(byte)) {
                    say("Der Befehl wird abgebrochen wie mit Esc.");
                    run->stop();
                    kill_at = QDeadlineTimer(RunGuard::KillGraceMs);
                }
        }
        say_outcome(*run);
    }
    FuseTransferDir::removeAll();
}

} // namespace

void install_application_end()
{
    // A standard error whose reader is gone must not end the program while a command runs.
    std::signal(SIGPIPE, SIG_IGN);
    if (::pipe2(signal_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto *notifier = new QSocketNotifier(signal_pipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, &take_signals);
    struct sigaction action {};
    action.sa_handler = note_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    // A signal ignored from the start stays ignored: `nohup` and a shell's background job ask so.
    for (const int signal : EndSignals) {
        struct sigaction inherited {};
        if (::sigaction(signal, nullptr, &inherited) == 0 && inherited.sa_handler != SIG_IGN)
            ::sigaction(signal, &action, nullptr);
    }
    std::atexit(wait_for_run_at_exit);
}
