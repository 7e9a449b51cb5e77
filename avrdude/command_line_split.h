#pragma once

#include <QString>
#include <QStringList>

// A command line given as one string, taken apart the way the Windows loader and C runtime do,
// because the command lines Quillon composes (and the free command users type) are written in
// that convention.

// Splits the arguments after the program: blanks and tabs separate, double quotes group and are
// removed, 2n backslashes before a quote give n backslashes, 2n+1 give n and a literal quote,
// and "" inside quotes is a literal quote.
QStringList split_arguments(const QString &text);

// The text to put between two double quotes so that split_arguments gives the text back whole,
// whatever it holds: each quote, and the backslashes before it, escaped; backslashes before the
// closing quote doubled. Text without quotes and without a trailing backslash comes back as it is.
QString escape_within_quotes(const QString &text);

// A value that must reach the program as exactly this one argument, blanks at its ends included:
// unchanged when the splitter gives it back as it is (empty stays empty and gives no argument),
// else quoted with escape_within_quotes.
QString single_argument(const QString &text);

// The file a caller's program text names: one pair of enclosing double quotes is removed, nothing
// else; a name without a slash is looked up on PATH. Returns false when that is not a runnable
// file. The text is never cut at a blank: "/home/u/my tools/avrdude" is that file or nothing.
bool resolve_program(const QString &program, QString &file);

// True when path names a regular file this process may execute. A name without a slash is
// looked up on PATH and replaced by the full path.
bool find_runnable(QString &path);
