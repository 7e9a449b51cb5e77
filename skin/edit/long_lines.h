#pragma once

#include <QString>

// Laying out one line costs time in proportion to its length, all of it on the user-interface
// thread: a child that prints a megabyte without a break would freeze a memo for a minute. So a
// memo shows at most this many characters of a line, followed by a marker that says how much
// is left out; the line itself is kept whole for copying and reading back.
constexpr qsizetype ShownLineLimit = 2000;

// The line as the memo shows it: the line itself, or its start and the marker.
QString shown_line(const QString &line);
bool is_cut_for_display(const QString &line);

// A line still being written, as a live view shows it: what has come of it (at most the limit),
// and a short marker when more of it is held back.
QString shown_unfinished_line(const QString &head, bool more);
