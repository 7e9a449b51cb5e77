// The main, fuse, options and external windows laid out at device pixel ratios 1, 1.5 and 2: every
// control in the same place and size in design pixels. Whatever is sized from a font or a picture
// in device pixels (a panel's caption band, say) comes out larger at a finer ratio. Each ratio
// needs its own process: Qt reads it when the application object is made.
#include "app/quillon_application.h"
#include "forms/application_windows.h"
#include "forms/external/extern_form.h"
#include "forms/fuses/fuse_form.h"
#include "forms/main/main_form.h"
#include "forms/options/options_form.h"
#include "skin/layout/align.h"
#include "tests/support/modal_answer.h"
#include "tests/support/program_dir_files.h"
#include "tests/support/qt_test_run.h"

#include <QApplication>
#include <QDir>
#include <QMap>
#include <QProcess>
#include <QRect>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <gtest/gtest.h>

namespace {

const char *const LayoutOption = "--layout-at";

// Every widget of a window by its path of names (or class and place among its siblings).
QString path_of(const QWidget *widget, const QWidget *window)
{
    QStringList parts;
    for (const QWidget *w = widget; w && w != window; w = w->parentWidget()) {
        const QString name = w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                                        : w->objectName();
        parts.prepend(QStringLiteral("%1#%2").arg(name).arg(w->parent()->children().indexOf(const_cast<QWidget *>(w))));
    }
    return window->objectName() + u'/' + parts.join(u'/');
}

QString line(const QString &what, const QRect &r)
{
    return QStringLiteral("%1 %2 %3 %4 %5").arg(what).arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// One line a widget: its path, then its rectangle in its window, in design pixels. A container
// adds the area its children are laid out in: a panel's is below its caption band.
QStringList layout_of(QWidget &window)
{
    window.show();
    QApplication::processEvents();
    QStringList lines{line(path_of(&window, &window), window.rect())};
    for (const QWidget *child : window.findChildren<QWidget *>()) {
        // The windows it owns are laid out on their own.
        if (child->window() != &window)
            continue;
        const QPoint at = child->mapTo(&window, QPoint(0, 0));
        lines << line(path_of(child, &window), QRect(at, child->size()));
        if (const auto *container = dynamic_cast<const AlignedContainer *>(child))
            lines << line(path_of(child, &window) + QStringLiteral("/area"), container->childAlignArea().translated(at));
    }
    window.hide();
    return lines;
}

QStringList layouts()
{
    write_program_file(QStringLiteral("options.ini"), "/usr/bin/avrdude\r\n");
    QDir().mkpath(program_file(QStringLiteral("fuses")));
    install_data_file(QStringLiteral("fuses/m8.fuse"));
    ModalAnswer error_box(ModalAnswer::closeMessageBox(), 30000);
    ApplicationWindows windows({});
    return layout_of(windows.main()) + layout_of(windows.fuses()) + layout_of(windows.options()) +
           layout_of(windows.external());
}

using Layout = QMap<QString, QRect>;

Layout parsed(const QStringList &lines)
{
    Layout layout;
    for (const QString &line : lines) {
        const QStringList f = line.split(u' ');
        if (f.size() == 5)
            layout.insert(f[0], QRect(f[1].toInt(), f[2].toInt(), f[3].toInt(), f[4].toInt()));
    }
    return layout;
}

Layout layout_at(const char *ratio)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(LayoutOption), QString::fromLatin1(ratio)});
    const bool finished = child.waitForFinished(60000);
    if (!finished) {
        child.kill();
        child.waitForFinished(5000);
    }
    EXPECT_TRUE(finished && child.exitCode() == 0) << child.readAllStandardError().toStdString();
    return parsed(QString::fromUtf8(child.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts));
}

// The widgets whose rectangle differs by more than `tolerance` design pixels on a side.
QStringList moved(const Layout &at_one, const Layout &other, int tolerance)
{
    QStringList found;
    for (auto it = at_one.cbegin(); it != at_one.cend(); ++it) {
        const QRect a = it.value();
        const QRect b = other.value(it.key(), QRect(-1000, -1000, 0, 0));
        if (std::abs(a.left() - b.left()) > tolerance || std::abs(a.top() - b.top()) > tolerance ||
            std::abs(a.right() - b.right()) > tolerance || std::abs(a.bottom() - b.bottom()) > tolerance)
            found << QStringLiteral("%1: (%2,%3 %4x%5) became (%6,%7 %8x%9)")
                         .arg(it.key()).arg(a.x()).arg(a.y()).arg(a.width()).arg(a.height())
                         .arg(b.x()).arg(b.y()).arg(b.width()).arg(b.height());
    }
    return found;
}

} // namespace

TEST(HiDpiLayout, EveryWindowKeepsItsDesignPixelsAtEveryRatio)
{
    const Layout at_one = parsed(layouts());
    ASSERT_GT(at_one.size(), 100);
    // At 2 a design pixel is two device pixels: a device pixel either way rounds to the same one.
    const QStringList at_two = moved(at_one, layout_at("2"), 0);
    EXPECT_TRUE(at_two.isEmpty()) << at_two.size() << " differ at 2, first:\n"
                                  << at_two.mid(0, 12).join(u'\n').toStdString();
    const QStringList at_one_and_half = moved(at_one, layout_at("1.5"), 1);
    EXPECT_TRUE(at_one_and_half.isEmpty()) << at_one_and_half.size() << " differ at 1.5, first:\n"
                                           << at_one_and_half.mid(0, 12).join(u'\n').toStdString();
}

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], LayoutOption) == 0) {
        qputenv("QT_SCALE_FACTOR", QByteArray(argv[2]));
        QuillonApplication application(argc, argv);
        initialise_application_look();
        const QStringList lines = layouts();
        std::fputs(qPrintable(lines.join(u'\n') + u'\n'), stdout);
        return 0;
    }
    return run_qt_tests(argc, argv);
}
