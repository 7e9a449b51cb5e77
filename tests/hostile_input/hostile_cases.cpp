#include "tests/hostile_input/hostile_cases.h"

#include "avrdude/kept_output.h"
#include "avrdude/process_runner.h"
#include "avrdude/run_report.h"
#include "forms/application_windows.h"
#include "forms/fuses/fuse_form.h"
#include "forms/main/main_form.h"
#include "skin/button/tsui_button.h"
#include "skin/button/tsui_check_box.h"
#include "skin/edit/tsui_combo_box.h"
#include "skin/edit/tsui_edit.h"
#include "skin/edit/tsui_memo.h"
#include "tests/support/modal_answer.h"
#include "tests/support/program_dir_files.h"
#include "tests/support/resident_memory.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace {

constexpr int BeatMs = 5;
constexpr qsizetype HugeErrorBytes = 50 << 20;
// How long the child that writes without end runs before Escape.
constexpr int EndlessMs = 2000;
// What keeping a run's output may add to memory at its peak, however much the child writes.
constexpr double KeptMib = 64;
// The child's fill lines: 64 KiB with the line break.
constexpr qsizetype FillLineBytes = 65536;
const QString Settings = QStringLiteral("options.ini");

// Beside the test programs, or in the test tree when a benchmark runs the cases.
QString test_child()
{
    const QString dir = QCoreApplication::applicationDirPath();
    const QString beside = dir + QStringLiteral("/../avrdude_test/test_child");
    return QFile::exists(beside) ? beside : dir + QStringLiteral("/../tests/avrdude_test/test_child");
}

void use_avrdude_path(ApplicationWindows &windows, const QByteArray &path)
{
    write_program_file(Settings, path + "\r\n");
    windows.session().loadAvrdudePath();
}

// The answer to the error box a case expects, kept until the check reads it.
std::shared_ptr<ModalAnswer> &error_box()
{
    static std::shared_ptr<ModalAnswer> answer;
    return answer;
}

void expect_error_box() { error_box() = std::make_shared<ModalAnswer>(ModalAnswer::closeMessageBox()); }

QString error_box_said(const QString &text)
{
    const std::shared_ptr<ModalAnswer> answer = std::exchange(error_box(), nullptr);
    if (!answer || !answer->answered())
        return QStringLiteral("no error box");
    return answer->seenText() == text ? QString() : QStringLiteral("error box said: ") + answer->seenText().left(200);
}

void send_free_command(ApplicationWindows &windows, const QString &text)
{
    windows.main().command->setText(text);
    QTest::mouseClick(windows.main().suiButton1, Qt::LeftButton);
}

void paste_into_command(ApplicationWindows &windows, const QString &text)
{
    TsuiEdit *command = windows.main().command;
    command->clear();
    command->setFocus();
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(command, Qt::Key_V, Qt::ControlModifier);
}

QString log_is(ApplicationWindows &windows, const QStringList &expected)
{
    const QStringList lines = windows.main().Log->lines();
    return lines == expected ? QString() : QStringLiteral("log has %1 lines, first %2").arg(lines.size()).arg(lines.value(0).left(80));
}

bool is_left_out_line(const QString &line) { return line.startsWith(QStringLiteral("[… ")) && line.contains(QStringLiteral("ausgelassen")); }

// A stream of whole fill lines as the log keeps it: its first lines, the note of what was left
// out, its last lines; the note's figures and the lines kept add up to what the child wrote.
QString kept_head_and_tail(const QStringList &lines, const QString &fill_line, qsizetype written)
{
    const auto note = std::find_if(lines.begin(), lines.end(), is_left_out_line);
    if (note == lines.end())
        return QStringLiteral("no note of what was left out among %1 lines").arg(lines.size());
    const auto fills = lines.size() - 1;
    if (std::count(lines.begin(), lines.end(), fill_line) != fills)
        return QStringLiteral("a line is not the child's");
    const qsizetype written_lines = written / (fill_line.size() + 1);
    if (*note != left_out_line(written - fills * (fill_line.size() + 1), written_lines - fills))
        return QStringLiteral("the note says ") + *note;
    return QString();
}

QString failure_lines_of(const QString &path)
{
    return QStringList{AvrdudePathNotOk, path, QStringLiteral("Passen sie den Pfad unter Einstellungen -> Optionen an!")}.join(u'\n');
}

// Copying the whole log gives every line whole, also the ones shown cut.
QString copy_of_log(ApplicationWindows &windows)
{
    TsuiMemo *log = windows.main().Log;
    log->selectAll();
    log->copy();
    return QGuiApplication::clipboard()->text();
}

void show_fuse_window(ApplicationWindows &windows, const QString &device)
{
    windows.main().avrselect->setText(device);
    windows.fuses().hide();
    QTest::mouseClick(windows.main().suiButton6, Qt::LeftButton);
}

QString fuse_caption(ApplicationWindows &windows, int index) { return windows.fuses().bitBox(index)->text(); }

} // namespace

std::vector<HostileCase> hostile_cases()
{
    const QString long_output(1 << 20, u'x');
    // Blanks in a path once made every blank-ended prefix a candidate program.
    const QString long_path = QStringLiteral("/nicht/da/") + QStringLiteral("p ").repeated(450 * 1000);
    const QString pasted = QStringLiteral("echoargs ") + QString(100000 - 9, u'a');
    // Fits the field, but as UTF-8 it is more than the system passes as one argument.
    const QString unstartable = QStringLiteral("echoargs ") + QString(100000, u'ä');
    const QString huge_paste(10 << 20, u'a');
    const QString fill_line(FillLineBytes - 1, u'x');
    const QString mixed_captions = QStringLiteral("Größe\nMärz €\nSüd");
    return {
        {"child prints a 1 MB line",
         [](ApplicationWindows &w) {
             use_avrdude_path(w, test_child().toUtf8());
             send_free_command(w, QStringLiteral("outline:1048576"));
         },
         [long_output](ApplicationWindows &w) {
             const QStringList expected{QStringLiteral("Return-Code des Programms: 0"), QStringLiteral("---Output---"), long_output};
             if (const QString wrong = log_is(w, expected); !wrong.isEmpty())
                 return wrong;
             return copy_of_log(w) == expected.join(u'\n') ? QString() : QStringLiteral("copy is not the whole log");
         }},
        {"failure lines quote a 900 kB avrdude path of many blanks",
         [long_path](ApplicationWindows &w) {
             use_avrdude_path(w, long_path.toUtf8());
             send_free_command(w, QStringLiteral("-p m8"));
         },
         [long_path](ApplicationWindows &w) { return copy_of_log(w) == failure_lines_of(long_path) ? QString() : QStringLiteral("failure lines differ"); }},
        {"child writes 50 MB of error output and ends 0.3 s later",
         [](ApplicationWindows &w) {
             use_avrdude_path(w, test_child().toUtf8());
             send_free_command(w, QStringLiteral("errfill:%1 sleep:300").arg(HugeErrorBytes));
         },
         [fill_line](ApplicationWindows &w) {
             const QStringList lines = w.main().Log->lines();
             if (lines.value(0) != QStringLiteral("Return-Code des Programms: 0") || lines.value(1) != QStringLiteral("---Errors---"))
                 return QStringLiteral("log begins with %1").arg(lines.value(0).left(80));
             return kept_head_and_tail(lines.mid(2), fill_line, HugeErrorBytes);
         },
         KeptMib},
        {"a child that writes without end until Escape",
         [](ApplicationWindows &w) {
             use_avrdude_path(w, "/usr/bin/yes");
             QTimer::singleShot(EndlessMs, w.main().Log, [&w] { QTest::keyClick(w.main().Log, Qt::Key_Escape); });
             send_free_command(w, QStringLiteral("x"));
         },
         [](ApplicationWindows &w) {
             const QStringList lines = w.main().Log->lines();
             const auto note = std::find_if(lines.begin(), lines.end(), is_left_out_line);
             if (lines.value(0) != QStringLiteral("Return-Code des Programms: 143") || note == lines.end())
                 return QStringLiteral("log begins with %1 and has %2 lines").arg(lines.value(0)).arg(lines.size());
             return lines.size() <= 2 * KeptOutput::Head.line_breaks + 3 ? QString() : QStringLiteral("%1 lines kept").arg(lines.size());
         },
         KeptMib},
        {"options.ini with a 10 MB first line",
         [](ApplicationWindows &w) {
             write_program_file(Settings, QByteArray(10 << 20, 'p') + "\r\n");
             expect_error_box();
             w.main().hide();
             w.main().show();
         },
         [](ApplicationWindows &) {
             return error_box_said(QStringLiteral("Datei %1 ist zu groß (mehr als 1048576 Bytes)").arg(program_file(Settings)));
         }},
        {"a 5 GB sparse description file",
         [](ApplicationWindows &w) {
             QFile file(program_file(QStringLiteral("fuses/huge.fuse")));
             file.open(QIODevice::WriteOnly);
             file.resize(5LL << 30);
             file.close();
             expect_error_box();
             show_fuse_window(w, QStringLiteral("huge"));
             remove_program_file(QStringLiteral("fuses/huge.fuse"));
         },
         // 64 KiB of zero bytes are one line; the second is missing.
         [](ApplicationWindows &) { return error_box_said(QStringLiteral("Listenindex überschreitet das Maximum (1)")); }},
        {"a description file in mixed encodings",
         [](ApplicationWindows &w) {
             QByteArray lines = "Gr\xc3\xb6\xc3\x9f" "e\r\nM\xe4rz \x80\r\nS\xc3\xbc" "d\r\n";
             for (int i = 3; i < 24; ++i)
                 lines += "Bit\r\n";
             write_program_file(QStringLiteral("fuses/mixed.fuse"), lines);
             show_fuse_window(w, QStringLiteral("mixed"));
             remove_program_file(QStringLiteral("fuses/mixed.fuse"));
         },
         [mixed_captions](ApplicationWindows &w) {
             const QString captions = QStringList{fuse_caption(w, 0), fuse_caption(w, 1), fuse_caption(w, 2)}.join(u'\n');
             return captions == mixed_captions ? QString() : QStringLiteral("captions: ") + captions;
         }},
        {"a pasted command of 100,000 characters",
         [pasted](ApplicationWindows &w) {
             use_avrdude_path(w, test_child().toUtf8());
             paste_into_command(w, pasted);
             QTest::mouseClick(w.main().suiButton1, Qt::LeftButton);
         },
         [pasted](ApplicationWindows &w) {
             if (w.main().command->text() != pasted)
                 return QStringLiteral("the edit holds %1 characters").arg(w.main().command->text().size());
             return log_is(w, {QStringLiteral("Return-Code des Programms: 0"), QStringLiteral("---Output---"), pasted.mid(9)});
         }},
        {"a 10 MB paste into the free command",
         [huge_paste](ApplicationWindows &w) {
             expect_error_box();
             paste_into_command(w, huge_paste);
             static_cast<void>(QTest::qWaitFor([] { return error_box()->answered(); }, 5000));
         },
         [](ApplicationWindows &w) {
             if (w.main().command->text().size() != LongestArgumentBytes)
                 return QStringLiteral("the field holds %1 characters").arg(w.main().command->text().size());
             return error_box_said(QStringLiteral("Der Befehl wurde nach %1 Zeichen abgeschnitten: mehr gibt das System "
                                                  "einem Programm nicht als ein Argument mit.").arg(LongestArgumentBytes));
         }},
        {"a command too long to start",
         [unstartable](ApplicationWindows &w) {
             use_avrdude_path(w, test_child().toUtf8());
             paste_into_command(w, unstartable);
             QTest::mouseClick(w.main().suiButton1, Qt::LeftButton);
         },
         [](ApplicationWindows &w) {
             return log_is(w, {QStringLiteral("Der Befehl konnte nicht gestartet werden: der Befehl ist zu lang für das System. Kürzen Sie ihn.")});
         }},
    };
}

CaseFigures run_hostile_case(ApplicationWindows &windows, const HostileCase &hostile)
{
    CaseFigures figures;
    QElapsedTimer clock;
    qint64 last_beat = 0;
    qint64 longest = 0;
    QTimer beat;
    beat.setInterval(BeatMs);
    beat.setTimerType(Qt::PreciseTimer);
    QObject::connect(&beat, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longest = std::max(longest, now - last_beat);
        last_beat = now;
    });
    reset_peak_resident();
    const double resident_before = resident_mib();
    clock.start();
    beat.start();
    hostile.act(windows);
    // The last stretch counts too: from the last beat to the moment the loop answers again.
    const qint64 act_end = clock.nsecsElapsed();
    const bool answered = QTest::qWaitFor([&] { return last_beat >= act_end; }, 60000);
    figures.total_ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    figures.longest_gap_ms = static_cast<double>(longest) / 1e6;
    figures.peak_growth_mib = peak_resident_mib() - resident_before;
    figures.failure = answered ? hostile.check(windows) : QStringLiteral("the event loop stopped answering");
    return figures;
}
