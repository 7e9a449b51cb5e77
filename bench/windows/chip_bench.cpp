// Chip operations as the user waits for them: a fuse read from the fuse window's "Lesen" and a
// flash write through the main window's log, each against the same avrdude command typed into a
// shell, with the real avrdude and the simulated programmer of tools/ (its speed is steady, so
// the two can be told apart by a few per cent). Window and shell take turns against one
// simulator, and each pair's ratio is taken run by run.
#include "avrdude/command_line_split.h"
#include "avrdude/command_lines.h"
#include "bench/load_average.h"
#include "bench/median.h"
#include "bench/windows/bench_support.h"
#include "forms/fuses/fuse_form.h"
#include "forms/main/main_form.h"
#include "session/session.h"
#include "skin/button/tsui_button.h"
#include "skin/edit/tsui_combo_box.h"
#include "skin/edit/tsui_memo.h"
#include "tests/support/avr910_simulator.h"
#include "tests/support/intel_hex.h"
#include "tests/support/program_dir_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <fstream>
#include <functional>
#include <vector>

namespace {

constexpr unsigned RunLimitSeconds = 900;
constexpr int WarmUpRuns = 2;
constexpr int MeasuredRuns = 15;
constexpr int ShellTimeoutMs = 60000;
constexpr unsigned SimulatorBlockSize = 64;
constexpr double FuseAim = 1.03;
const QString Avrdude = QStringLiteral("/usr/bin/avrdude");
const QString ReturnCodeZero = QStringLiteral("Return-Code des Programms: 0");

// The shell's quoting of one word.
QString shell_word(const QString &word)
{
    QString quoted = word;
    quoted.replace(u'\'', QStringLiteral("'\\''"));
    return u'\'' + quoted + u'\'';
}

// The same command line as the user would type it into a shell.
QString shell_text(const CommandLine &command)
{
    QStringList words{shell_word(command.program)};
    for (const QString &argument : split_arguments(command.arguments))
        words << shell_word(argument);
    return words.join(u' ');
}

// Milliseconds for the shell to run the text, its output read as a terminal reads it; -1 when it
// failed.
double shell_ms(const QString &text)
{
    QElapsedTimer clock;
    clock.start();
    QProcess shell;
    shell.setProcessChannelMode(QProcess::MergedChannels);
    shell.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), text});
    while (shell.waitForReadyRead(ShellTimeoutMs))
        shell.readAll();
    shell.waitForFinished(ShellTimeoutMs);
    const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    return shell.exitStatus() == QProcess::NormalExit && shell.exitCode() == 0 ? ms : -1;
}

// Interleaved timings of the window and the shell doing one operation.
struct Pairs {
    std::vector<double> window, shell, ratio;
};

bool measure(Pairs &pairs, const std::function<double()> &window, const std::function<double()> &shell)
{
    for (int i = 0; i < WarmUpRuns + MeasuredRuns; ++i) {
        const double w = window();
        const double s = shell();
        if (w < 0 || s < 0)
            return false;
        if (i < WarmUpRuns)
            continue;
        pairs.window.push_back(w);
        pairs.shell.push_back(s);
        pairs.ratio.push_back(w / s);
    }
    return true;
}

void print(const char *what, const Pairs &pairs, double aim = 0)
{
    std::printf("  %s: window %.1f ms, shell %.1f ms, pairwise ratio %.3f (range %.3f-%.3f)", what,
                median(pairs.window), median(pairs.shell), median(pairs.ratio),
                *std::min_element(pairs.ratio.begin(), pairs.ratio.end()),
                *std::max_element(pairs.ratio.begin(), pairs.ratio.end()));
    if (aim > 0)
        std::printf(" (aim <= %.2f)", aim);
    std::printf("\n");
}

} // namespace

int main(int argc, char **argv)
{
    BenchApplication bench(argc, argv, RunLimitSeconds);
    qputenv("QUILLON_TOOLS_DIR", QUILLON_TOOLS_DIR);
    Avr910Simulator simulator({.part = "m8", .blockSize = SimulatorBlockSize, .stateDir = {}});
    ApplicationWindows &windows = bench.windows();
    TForm1 &main_window = windows.main();
    TForm3 &fuse_window = windows.fuses();
    write_program_file(QStringLiteral("options.ini"), QFile::encodeName(Avrdude) + "\r\n");
    windows.session().loadAvrdudePath();
    main_window.avrselect->setText(QStringLiteral("m8"));
    main_window.progselect->setText(QStringLiteral("avr910"));
    main_window.portselect->setText(QString::fromStdString(simulator.port()));
    main_window.show();
    fuse_window.show();
    const ChipTarget target = windows.session().chipTarget();

    const QTemporaryDir shell_dir;
    const QString shell_folder = shell_dir.path() + u'/';
    const QString hex_file = shell_folder + QStringLiteral("program.hex");
    write_intel_hex(hex_file, test_program());

    const auto window_ms = [&](const std::function<void()> &operation) {
        QElapsedTimer clock;
        clock.start();
        operation();
        const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        return main_window.Log->lines().value(0) == ReturnCodeZero ? ms : -1;
    };

    Pairs fuse_read, flash_write;
    const bool read_ok = measure(
        fuse_read, [&] { return window_ms([&] { QTest::mouseClick(fuse_window.suiButton1, Qt::LeftButton); }); },
        [&] { return shell_ms(shell_text(read_fuses_command(target, shell_folder, {}))); });
    const bool write_ok = measure(
        flash_write, [&] { return window_ms([&] { windows.session().programFlash(hex_file); }); },
        [&] { return shell_ms(shell_text(program_flash_command(target, hex_file))); });
    if (!read_ok || !write_ok) {
        std::printf("chip operations: a run failed; the log says:\n%s\n", qPrintable(main_window.Log->lines().join(u'\n')));
        return 1;
    }
    std::printf("chip operations with avrdude and avr910sim (m8, block mode %u), median of %d, load average %.2f:\n",
                SimulatorBlockSize, MeasuredRuns, load_average());
    print("fuse read", fuse_read, FuseAim);
    print("flash write of a small program", flash_write);
    return 0;
}
