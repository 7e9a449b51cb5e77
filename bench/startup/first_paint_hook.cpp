// Preloaded into a Qt program by the start-up benchmark, so that the program itself needs no
// change: Qt's startup hook, which runs once the application object has its platform, writes
// "application-created <CLOCK_MONOTONIC ns>" to standard error and installs an event filter on the
// application; once the first window has been painted (the whole paint pass, not just its first
// widget) that writes "first-paint <CLOCK_MONOTONIC ns>". With QUILLON_BENCH_EXIT_AFTER_PAINT set
// the program then ends at once, so teardown is not measured.
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <unistd.h>

// Qt's table of hooks for tools; the indices are those of Qt's own hook list.
extern quintptr qtHookData[];

namespace {

constexpr int StartupHookIndex = 5;

long long monotonic_ns()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

class FirstPaintWatcher : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!seen_ && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget *>(watched)->window()->isVisible()) {
            seen_ = true;
            // Queued behind the rest of this paint pass and its flush.
            QTimer::singleShot(0, [] {
                std::fprintf(stderr, "first-paint %lld\n", monotonic_ns());
                std::fflush(stderr);
                if (std::getenv("QUILLON_BENCH_EXIT_AFTER_PAINT"))
                    ::_exit(0);
            });
        }
        return false;
    }

private:
    bool seen_ = false;
};

void on_application_created()
{
    std::fprintf(stderr, "application-created %lld\n", monotonic_ns());
    std::fflush(stderr);
    auto *watcher = new FirstPaintWatcher;
    watcher->moveToThread(QCoreApplication::instance()->thread());
    QCoreApplication::instance()->installEventFilter(watcher);
}

[[gnu::constructor]] void install_startup_hook()
{
    qtHookData[StartupHookIndex] = reinterpret_cast<quintptr>(&on_application_created);
}

} // namespace
