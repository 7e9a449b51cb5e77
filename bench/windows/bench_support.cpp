#include "bench/windows/bench_support.h"

#include "session/program_dir.h"
#include "bench/median.h"
#include "skin/themes/ui_style.h"

#include <QDir>
#include <QFile>
#include <QMetaProperty>
#include <QPointer>
#include <QVariant>

#include <chrono>
#include <utility>
#include <unistd.h>
#include <vector>

namespace {

constexpr int WarmUpRuns = 3;
const char *const StyleProperty = "UIStyle";

void copy_file(const QString &from, const QString &to)
{
    QFile::remove(to);
    QFile::copy(from, to);
}

void set_style(QObject *object, TsuiUIStyle style)
{
    const QMetaObject *meta = object->metaObject();
    const int index = meta->indexOfProperty(StyleProperty);
    if (index >= 0)
        meta->property(index).write(object, QVariant::fromValue(style));
}

// Copies options.ini and the fuse description files from the build's ProgramDir beside this
// benchmark, so that showing a window finds what it reads.
void install_program_data()
{
    const QString source = QStringLiteral(QUILLON_PROGRAM_DIR) + u'/';
    const QString target = program_dir();
    QDir(target).mkpath(QStringLiteral("fuses"));
    copy_file(source + QStringLiteral("options.ini"), target + QStringLiteral("options.ini"));
    const QStringList fuses = QDir(source + QStringLiteral("fuses")).entryList({QStringLiteral("*.fuse")}, QDir::Files);
    for (const QString &name : fuses)
        copy_file(source + QStringLiteral("fuses/") + name, target + QStringLiteral("fuses/") + name);
}

} // namespace

BenchApplication::BenchApplication(int &argc, char **argv, unsigned run_limit_seconds)
{
    ::alarm(run_limit_seconds);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    application_ = std::make_unique<QuillonApplication>(argc, argv);
    initialise_application_look();
    install_program_data();
    windows_ = std::make_unique<ApplicationWindows>(QStringList{});
}

double median_microseconds(int runs, const std::function<void()> &action)
{
    for (int i = 0; i < WarmUpRuns; ++i)
        action();
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        action();
        times.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    return median(std::move(times));
}

void apply_style_everywhere(QWidget *window, int style)
{
    const auto value = static_cast<TsuiUIStyle>(style);
    // A new style may replace a control's own parts, so children found before can be gone.
    QList<QPointer<QObject>> children;
    for (QObject *child : window->findChildren<QObject *>())
        children << child;
    set_style(window, value);
    for (const QPointer<QObject> &child : children) {
        if (child)
            set_style(child, value);
    }
}
