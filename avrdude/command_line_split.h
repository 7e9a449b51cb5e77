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

struct ResolvedCommand {
    QString program;     // the file to run
    QStringList arguments;
};

// Finds the program at the start of the line. A quoted program ends at its closing quote.
// An unquoted one may contain blanks: each blank-separated prefix is tried in turn, shortest
// first, and the first that names a runnable file wins. Returns false when none does.
bool resolve_command_line(const QString &command_line, ResolvedCommand &resolved);

// True when path names a regular file this process may execute. A name without a slash is
// looked up on PATH and replaced by the full path.
bool find_runnable(QString &path);
