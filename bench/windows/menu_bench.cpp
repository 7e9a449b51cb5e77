// Opening a menu as the user waits for it, on an X server of the bench's own: from the press on
// the main window's "Command" until its drop-down is painted and the X server has taken all of it.
// Against a QMenuBar in a QMainWindow with the same menu, in the same run, taking turns.
#include "bench/load_average.h"
#include "bench/median.h"
#include "bench/windows/bench_support.h"
#include "bench/x_server/x_server.h"
#include "forms/main/main_form.h"
#include "skin/form/tsui_form.h"
#include "skin/menubar/tsui_menu_bar.h"
#include "skin/menubar/tsui_menu_bar_button.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QTest>

#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr unsigned RunLimitSeconds = 300;
constexpr int WarmUpRuns = 5;
constexpr int MeasuredRuns = 200;
constexpr int PaintTimeoutMs = 5000;
constexpr int CommandMenu = 1;
constexpr double Aim = 1.1;

// Notes the first paint of any popup window.
class PopupPaintWatch : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget *>(watched)->windowType() == Qt::Popup)
            painted = true;
        return false;
    }
};

// Milliseconds from open() until a popup has painted and the X server has done all it was sent;
// -1 when nothing was painted in time.
double open_ms(PopupPaintWatch &watch, const std::function<void()> &open)
{
    watch.painted = false;
    QElapsedTimer clock;
    clock.start();
    open();
    while (!watch.painted && clock.elapsed() < PaintTimeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 10);
    QGuiApplication::sync();
    return watch.painted ? static_cast<double>(clock.nsecsElapsed()) / 1e6 : -1;
}

// The same menus as the main window's, in stock Qt.
void build_menus(QMainWindow &window)
{
    QMenuBar *bar = window.menuBar();
    bar->addMenu(QStringLiteral("&Datei"))->addAction(QStringLiteral("&Beenden"));
    QMenu *commands = bar->addMenu(QStringLiteral("&Command"));
    for (const char *text : {"Flash auslesen", "EEPROM auslesen", "-", "Flash programmieren", "EEPROM programmieren",
                             "-", "Chip löschen", "-", "Fuses"}) {
        if (text[0] == '-')
            commands->addSeparator();
        else
            commands->addAction(QString::fromUtf8(text));
    }
    bar->addMenu(QStringLiteral("&Einstellungen"))->addAction(QStringLiteral("Optionen"));
    bar->addMenu(QStringLiteral("&Info"))->addAction(QStringLiteral("Info"));
    window.resize(689, 656);
}

void settle()
{
    QGuiApplication::sync();
    QCoreApplication::processEvents();
}

} // namespace

int main(int argc, char **argv)
{
    const XServer server;
    if (server.display().empty()) {
        std::printf("menu open: no figure, Xvfb could not be started\n");
        return 0;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    qputenv("DISPLAY", server.display().c_str());
    BenchApplication bench(argc, argv, RunLimitSeconds);
    TForm1 &form = bench.windows().main();
    form.show();
    QMainWindow peer;
    build_menus(peer);
    peer.move(form.width() + 10, 0);
    peer.show();
    if (!QTest::qWaitForWindowExposed(&form) || !QTest::qWaitForWindowExposed(&peer)) {
        std::printf("menu open: the windows were not shown on the X server\n");
        return 1;
    }
    PopupPaintWatch watch;
    QCoreApplication::instance()->installEventFilter(&watch);

    TsuiMenuBar *bar = form.suiForm1->menuBar();
    TsuiMenuBarButton *button = bar->buttons().at(CommandMenu);
    QAction *peer_action = peer.menuBar()->actions().at(CommandMenu);
    const QPoint peer_point = peer.menuBar()->actionGeometry(peer_action).center();
    const auto quillon_open = [&] { QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5)); };
    const auto quillon_close = [&] {
        if (TsuiMenuDropDown *drop = bar->openDropDown())
            drop->closeAll();
    };
    const auto peer_open = [&] { QTest::mousePress(peer.menuBar(), Qt::LeftButton, {}, peer_point); };
    const auto peer_close = [&] { peer_action->menu()->hide(); };

    std::vector<double> quillon, stock, ratios;
    for (int i = 0; i < WarmUpRuns + MeasuredRuns; ++i) {
        const double q = open_ms(watch, quillon_open);
        quillon_close();
        settle();
        const double s = open_ms(watch, peer_open);
        peer_close();
        settle();
        if (q < 0 || s < 0) {
            std::printf("menu open: a menu did not paint within %d ms\n", PaintTimeoutMs);
            return 1;
        }
        if (i < WarmUpRuns)
            continue;
        quillon.push_back(q);
        stock.push_back(s);
        ratios.push_back(q / s);
    }
    std::printf("menu open on Xvfb (press on \"Command\" to its drop-down painted and taken by the X server), median of "
                "%d, load average %.2f:\n  quillon %.2f ms, QMenu %.2f ms, pairwise ratio %.2f (aim <= %.2f)\n",
                MeasuredRuns, load_average(), median(quillon), median(stock), median(ratios), Aim);
    return 0;
}
