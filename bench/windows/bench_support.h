#pragma once

#include <QString>
#include <QWidget>

#include <functional>

// What the window benchmarks share: a ProgramDir with the data the windows read when shown, a
// bound on the whole run, and a timer that reports medians.

// Windows are drawn on Qt's offscreen platform unless QT_QPA_PLATFORM names another.
void use_offscreen_platform_unless_set();

// Copies options.ini and the fuse description files from the build's ProgramDir beside this
// benchmark, so that showing a window finds what it reads.
void install_program_data();

// Ends the benchmark if it runs longer than this: a window that opened a modal error box would
// otherwise wait for a click forever.
void limit_run_time(unsigned seconds);

// The median of `runs` timings of `action`, in microseconds, after a few untimed warm-up runs.
double median_microseconds(int runs, const std::function<void()> &action);

// Sets UIStyle on the window and on every control in it that has one.
void apply_style_everywhere(QWidget *window, int style);
