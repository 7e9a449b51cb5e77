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

// The same cut for text that arrives in pieces with "\n" line breaks, as a live view shows it.
// Nothing is kept of what is left out.
class StreamLineCutter {
public:
    QString feed(const QString &text);
    void reset() { line_length_ = 0; }

private:
    qsizetype line_length_ = 0;
};
