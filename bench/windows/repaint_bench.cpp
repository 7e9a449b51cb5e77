// A full repaint of each of Quillon's six windows, and of the main window in each of the five
// built-in styles: the real windows on the offscreen platform.
#include "bench/windows/bench_support.h"
#include "forms/external/extern_form.h"
#include "forms/fuses/fuse_form.h"
#include "forms/info/info_form.h"
#include "forms/main/main_form.h"
#include "forms/options/driver_form.h"
#include "forms/options/options_form.h"

#include <QCoreApplication>

#include <cstdio>
#include <utility>

namespace {

constexpr int Repaints = 200;
constexpr unsigned RunLimitSeconds = 600;
constexpr double MainWindowAimMs = 5.0;

const std::pair<int, const char *> Styles[] = {
    {1, "MacOS"}, {2, "WinXP"}, {3, "DeepBlue"}, {4, "Protein"}, {5, "BlueGlass"}};

// Every control of the window painted into one image. QWidget::repaint() of the window would
// paint only what the repaint manager holds dirty; grab() paints the whole tree each time.
double repaint_median_us(QWidget &window)
{
    window.show();
    QCoreApplication::processEvents();
    return median_microseconds(Repaints, [&] { (void)window.grab(); });
}

} // namespace

int main(int argc, char *argv[])
{
    BenchApplication bench(argc, argv, RunLimitSeconds);
    ApplicationWindows &windows = bench.windows();

    const std::pair<const char *, QWidget *> forms[] = {
        {"TForm1 main", &windows.main()},      {"TForm2 info", &windows.info()},
        {"TForm3 fuses", &windows.fuses()},    {"TForm4 options", &windows.options()},
        {"TForm5 external", &windows.external()}, {"TForm6 driver", &windows.driver()},
    };
    std::printf("full repaint, median of %d, offscreen:\n", Repaints);
    for (const auto &[name, form] : forms) {
        const QSize size = form->size();
        const double us = repaint_median_us(*form);
        std::printf("  %-16s %4dx%-4d %8.0f us\n", name, size.width(), size.height(), us);
        if (form != &windows.main())
            form->hide();
    }

    std::printf("main window in each style (aim <= %.0f ms):\n", MainWindowAimMs);
    for (const auto &[style, name] : Styles) {
        apply_style_everywhere(&windows.main(), style);
        const double us = repaint_median_us(windows.main());
        std::printf("  %-10s %8.0f us%s\n", name, us, us / 1000.0 <= MainWindowAimMs ? "" : "  (over the aim)");
    }
    return 0;
}
