// A long run as the user waits for it: click on "Senden", a child prints avrdude-like lines, the
// report is painted in the log. Against the plain Qt way to show the same text: a QPlainTextEdit
// of the log's size filled once with setPlainText and painted. Each measurement runs in a fresh
// process of this program, so that its peak resident memory is its own; peer and Quillon take
// turns, and the figures are compared as ratios of one run.
#include "session/session.h"
#include "bench/median.h"
#include "bench/windows/bench_support.h"
#include "forms/main/main_form.h"
#include "skin/button/tsui_button.h"
#include "skin/edit/tsui_edit.h"
#include "skin/edit/tsui_memo.h"
#include "tests/support/program_dir_files.h"
#include "tests/support/resident_memory.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTest>

#include <cstdio>
#include <vector>

namespace {

constexpr unsigned RunLimitSeconds = 900;
constexpr double TimeAim = 0.5;
constexpr double MemoryAim = 3.0;

struct Figures {
    double ms = 0;
    double peak_mib = 0;
};

QString test_child() { return QCoreApplication::applicationDirPath() + QStringLiteral("/../tests/avrdude_test/test_child"); }

// Line i as the child prints it (errlines), without its line break.
QLatin1String avrdude_line(long i)
{
    static char line[96];
    const int n = std::snprintf(line, sizeof line, "avrdude: 0x%06lx: 0C 94 34 00 0C 94 3E 00 0C 94 3E 00 0C 94 3E 00", i * 16);
    return QLatin1String(line, n);
}

// The child's output as the log shows it after the report.
QString report_text(long lines)
{
    QString text = QStringLiteral("Return-Code des Programms: 0\n---Errors---");
    for (long i = 0; i < lines; ++i)
        text += u'\n' + avrdude_line(i);
    return text;
}

double output_mib(long lines) { return static_cast<double>(avrdude_line(0).size() + 1) * lines / (1 << 20); }

void print_figures(const Figures &figures) { std::printf("%.3f %.3f\n", figures.ms, figures.peak_mib); }

int measure_quillon(int argc, char **argv, long lines)
{
    BenchApplication bench(argc, argv, RunLimitSeconds);
    TForm1 &form = bench.windows().main();
    write_program_file(QStringLiteral("options.ini"), QFile::encodeName(test_child()) + "\r\n");
    bench.windows().session().loadAvrdudePath();
    form.show();
    form.repaint();
    form.command->setText(QStringLiteral("errlines:%1").arg(lines));
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(form.suiButton1, Qt::LeftButton);
    form.Log->repaint();
    const Figures figures{static_cast<double>(clock.nsecsElapsed()) / 1e6, peak_resident_mib()};
    if (form.Log->lines().size() != lines + 2) {
        std::fprintf(stderr, "the log holds %lld lines, not %ld\n", static_cast<long long>(form.Log->lines().size()), lines + 2);
        return 1;
    }
    print_figures(figures);
    return 0;
}

int measure_peer(int argc, char **argv, long lines)
{
    QApplication application(argc, argv);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    QApplication::setFont(font);
    QPlainTextEdit edit;
    edit.resize(685, 400);
    edit.show();
    edit.repaint();
    const QString text = report_text(lines);
    QElapsedTimer clock;
    clock.start();
    edit.setPlainText(text);
    edit.repaint();
    print_figures({static_cast<double>(clock.nsecsElapsed()) / 1e6, peak_resident_mib()});
    return edit.blockCount() == lines + 2 ? 0 : 1;
}

Figures run_measurement(const char *who, long lines)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(who), QString::number(lines)});
    if (!process.waitForFinished(RunLimitSeconds * 1000) || process.exitCode() != 0) {
        std::fprintf(stderr, "%s with %ld lines failed\n", who, lines);
        std::exit(1);
    }
    const QList<QByteArray> values = process.readAllStandardOutput().trimmed().split(' ');
    return {values.value(0).toDouble(), values.value(1).toDouble()};
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && argv[1] == QByteArrayLiteral("quillon"))
        return measure_quillon(argc, argv, std::atol(argv[2]));
    if (argc == 3 && argv[1] == QByteArrayLiteral("peer"))
        return measure_peer(argc, argv, std::atol(argv[2]));

    QCoreApplication application(argc, argv);
    std::printf("long output: click on \"Senden\" until the report is painted, against a QPlainTextEdit filled\n"
                "with setPlainText of the same text and painted (medians; each run a fresh process;\n"
                "peak = the process's peak resident memory; aims: time <= %.1fx the peer's, peak <= %.0fx the output)\n",
                TimeAim, MemoryAim);
    std::printf("%9s %8s | %10s %10s %6s | %14s %14s\n", "lines", "output", "Quillon", "peer", "ratio", "Quillon peak", "peer peak");
    for (const long lines : {100000L, 1000000L}) {
        const int runs = lines > 100000 ? 3 : 7;
        std::vector<double> ours, peers;
        double our_peak = 0, peer_peak = 0;
        for (int i = 0; i < runs; ++i) {
            const Figures peer = run_measurement("peer", lines);
            const Figures quillon = run_measurement("quillon", lines);
            peers.push_back(peer.ms);
            ours.push_back(quillon.ms);
            peer_peak = std::max(peer_peak, peer.peak_mib);
            our_peak = std::max(our_peak, quillon.peak_mib);
        }
        const double mib = output_mib(lines);
        const double our_ms = median(ours), peer_ms = median(peers);
        std::printf("%9ld %4.1f MiB | %7.0f ms %7.0f ms %6.2f | %5.0f MiB %4.1fx %5.0f MiB %4.1fx\n", lines, mib, our_ms,
                    peer_ms, our_ms / peer_ms, our_peak, our_peak / mib, peer_peak, peer_peak / mib);
    }
    return 0;
}
