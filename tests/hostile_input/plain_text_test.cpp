// Markup put into every text that comes from outside is shown as the text it is: nothing is laid
// out as markup, and no picture it names is loaded.
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

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

// A picture on disk that rich text would open: a watch on it tells whether anything did.
class ProbePicture {
public:
    ProbePicture()
        : path_(program_file(QStringLiteral("probe.png")))
    {
        QImage(4, 4, QImage::Format_RGB32).save(path_);
        fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        ::inotify_add_watch(fd_, QFile::encodeName(path_).constData(), IN_OPEN | IN_ACCESS);
    }
    ~ProbePicture()
    {
        ::close(fd_);
        QFile::remove(path_);
    }
    const QString &path() const { return path_; }
    bool opened() const
    {
        char events[4096];
        return ::read(fd_, events, sizeof events) > 0;
    }

private:
    QString path_;
    int fd_ = -1;
};

const QString Picked = QStringLiteral("R&D 7");

QString markup(const ProbePicture &probe)
{
    return QStringLiteral("<img src=\"%1\"><font color=\"#ff0000\" size=\"7\">%2</font>").arg(probe.path(), Picked);
}

// What a child that stands in for avrdude does: it writes the text into each transfer file it is
// asked to read fuses into, and onto both of its streams.
QByteArray stand_in_avrdude(const QString &text)
{
    const QByteArray quoted = "'" + text.toUtf8() + "'";
    return "for a in \"$@\"; do\n"
           "  case \"$a\" in [lhe]fuse:r:*:d) t=${a#*:r:}; printf '%s\\n' " + quoted + " > \"${t%:d}\";; esac\n"
           "done\n"
           "printf '%s\\n' " + quoted + "\nprintf '%s\\n' " + quoted + " >&2\n";
}

bool has_red(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == QColor(Qt::red))
                return true;
    return false;
}

// Every label of the shown windows that holds the text draws it as text: no red, no picture.
QString labels_drawn_as_text(const QString &text)
{
    for (QWidget *window : QApplication::topLevelWidgets())
        for (QLabel *label : window->findChildren<QLabel *>())
            if (label->isVisible() && label->text().contains(Picked) && has_red(label->grab().toImage()))
                return QStringLiteral("%1 lays out \"%2\"").arg(label->objectName(), text.left(60));
    return {};
}

QString accessible_name(QWidget *widget)
{
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

QString expect(bool shown, const QString &where) { return shown ? QString() : where + QStringLiteral(" does not show it"); }

struct Source {
    const char *name;
    // Puts the text in as the outside world would and acts as the user does; an error box that
    // comes is answered, and says what it said.
    std::function<void(ApplicationWindows &, const QString &text)> act;
    std::function<QString(ApplicationWindows &, const QString &text, const QString &box)> shown;
};

} // namespace

TEST(PlainText, MarkupFromEverySourceIsShownAsItStandsAndLoadsNothing)
{
    install_data_file(QStringLiteral("fuses/no.fuse"));
    install_data_file(QStringLiteral("fuses/m8.fuse"));
    const ProbePicture probe;
    const QString text = markup(probe);
    const auto run_stand_in = [](ApplicationWindows &w, const QString &t) {
        write_program_file(QStringLiteral("options.ini"), write_program_script(QStringLiteral("stand-in"), stand_in_avrdude(t)).toUtf8() + "\r\n");
        w.session().loadAvrdudePath();
    };
    const auto log_has = [](ApplicationWindows &w, const QString &line) { return w.main().Log->lines().contains(line); };
    const Source sources[] = {
        {"transfer files",
         [&](ApplicationWindows &w, const QString &t) {
             run_stand_in(w, t);
             w.main().avrselect->setText(QStringLiteral("m8"));
             w.fuses().show();
             QTest::mouseClick(w.fuses().suiButton1, Qt::LeftButton);
         },
         [](ApplicationWindows &w, const QString &t, const QString &box) {
             return expect(w.fuses().Label1->text() == t && accessible_name(w.fuses().Label1).endsWith(t)
                               && box == QStringLiteral("'%1' ist kein gültiger Integerwert.").arg(t),
                           QStringLiteral("the low fuse's value or the error box"));
         }},
        {"avrdude's output",
         [&](ApplicationWindows &w, const QString &t) {
             run_stand_in(w, t);
             w.main().command->setText(QStringLiteral("-p m8"));
             QTest::mouseClick(w.main().suiButton1, Qt::LeftButton);
         },
         [&](ApplicationWindows &w, const QString &t, const QString &) { return expect(log_has(w, t), QStringLiteral("the log")); }},
        {"a description file",
         [](ApplicationWindows &w, const QString &t) {
             write_program_file(QStringLiteral("fuses/markup.fuse"), (t.toUtf8() + "\r\n").repeated(24));
             w.main().avrselect->setText(QStringLiteral("markup"));
             w.fuses().hide();
             w.fuses().show();
         },
         [](ApplicationWindows &w, const QString &t, const QString &) {
             return expect(accessible_name(w.fuses().bitBox(3)) == t, QStringLiteral("bit box 3"));
         }},
        {"the avrdude path",
         [](ApplicationWindows &w, const QString &t) {
             write_program_file(QStringLiteral("options.ini"), "/nicht/da/" + t.toUtf8() + "\r\n");
             w.session().loadAvrdudePath();
             w.main().command->setText(QStringLiteral("-p m8"));
             QTest::mouseClick(w.main().suiButton1, Qt::LeftButton);
         },
         [&](ApplicationWindows &w, const QString &t, const QString &) {
             return expect(log_has(w, QStringLiteral("/nicht/da/") + t), QStringLiteral("the failure lines"));
         }},
        {"device, programmer and port texts",
         [](ApplicationWindows &w, const QString &t) {
             for (TsuiComboBox *box : {w.main().avrselect, w.main().progselect, w.main().portselect})
                 box->setText(t);
         },
         [](ApplicationWindows &w, const QString &t, const QString &) {
             const auto value = [](QWidget *box) { return QAccessible::queryAccessibleInterface(box)->text(QAccessible::Value); };
             return expect(value(w.main().avrselect) == t && value(w.main().progselect) == t && value(w.main().portselect) == t,
                           QStringLiteral("the three boxes"));
         }},
    };

    write_program_file(QStringLiteral("options.ini"), "/usr/bin/avrdude\r\n");
    ApplicationWindows windows({});
    windows.main().show();
    for (const Source &source : sources) {
        SCOPED_TRACE(source.name);
        const ModalAnswer box(ModalAnswer::closeMessageBox(), 3000);
        source.act(windows, text);
        // An error box may come once the handler is over; a row that brings none waits this long.
        static_cast<void>(QTest::qWaitFor([&] { return box.answered(); }, 500));
        EXPECT_EQ(labels_drawn_as_text(text).toStdString(), "");
        EXPECT_EQ(source.shown(windows, text, box.seenText()).toStdString(), "");
        EXPECT_FALSE(probe.opened()) << "the picture the text names was loaded";
    }
    windows.fuses().hide();
    remove_program_file(QStringLiteral("fuses/markup.fuse"));
    remove_program_file(QStringLiteral("stand-in"));
    remove_program_file(QStringLiteral("options.ini"));
}
