#pragma once

#include "app/quillon_application.h"
#include "forms/application_windows.h"

#include <QWidget>

#include <functional>
#include <memory>

// What the window benchmarks share: a ProgramDir with the data the windows read when shown, a
// bound on the whole run, and a timer that reports medians.

// Quillon as it starts: the application with its look and the six windows, hidden. Windows are
// drawn on Qt's offscreen platform unless QT_QPA_PLATFORM names another, and read options.ini
// and the fuse description files copied beside the benchmark from the build's ProgramDir. The
// whole run is ended after run_limit_seconds: a window that opened a modal error box would
// otherwise wait for a click forever.
class BenchApplication {
public:
    BenchApplication(int &argc, char **argv, unsigned run_limit_seconds);
    ApplicationWindows &windows() { return *windows_; }

private:
    std::unique_ptr<QuillonApplication> application_;
    std::unique_ptr<ApplicationWindows> windows_;
};

// The median of `runs` timings of `action`, in microseconds, after a few untimed warm-up runs.
double median_microseconds(int runs, const std::function<void()> &action);

// Sets UIStyle on the window and on every control in it that has one.
void apply_style_everywhere(QWidget *window, int style);
