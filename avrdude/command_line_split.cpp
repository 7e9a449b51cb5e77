#include "avrdude/command_line_split.h"

#include <QFileInfo>
#include <QProcessEnvironment>

#include <unistd.h>

namespace {

bool is_blank(QChar c) { return c == u' ' || c == u'\t'; }

bool is_runnable_file(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return false;
    // A batch file is read by the shell, so it needs no execute bit of its own.
    const int mode = path.endsWith(QLatin1String(".bat"), Qt::CaseInsensitive) ? R_OK : X_OK;
    return ::access(QFile::encodeName(path).constData(), mode) == 0;
}

} // namespace

QStringList split_arguments(const QString &text)
{
    QStringList args;
    QString current;
    bool in_arg = false;
    bool in_quotes = false;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'\\') {
            qsizetype slashes = 0;
            while (i < n && text[i] == u'\\') {
                ++slashes;
                ++i;
            }
            if (i < n && text[i] == u'"') {
                current += QString(slashes / 2, u'\\');
                if (slashes % 2 == 1) {
                    current += u'"';
                } else {
                    --i; // the quote is handled by the next round
                }
            } else {
                current += QString(slashes, u'\\');
                --i;
            }
            in_arg = true;
            continue;
        }
        if (c == u'"') {
            in_arg = true;
            if (in_quotes && i + 1 < n && text[i + 1] == u'"') {
                current += u'"';
                ++i;
            } else {
                in_quotes = !in_quotes;
            }
            continue;
        }
        if (is_blank(c) && !in_quotes) {
            if (in_arg) {
                args << current;
                current.clear();
                in_arg = false;
            }
            continue;
        }
        current += c;
        in_arg = true;
    }
    if (in_arg)
        args << current;
    return args;
}

bool find_runnable(QString &path)
{
    if (path.isEmpty())
        return false;
    if (path.contains(u'/'))
        return is_runnable_file(path);
    const QString search = QProcessEnvironment::systemEnvironment().value(QStringLiteral("PATH"));
    for (const QString &dir : search.split(u':', Qt::SkipEmptyParts)) {
        const QString candidate = dir + u'/' + path;
        if (is_runnable_file(candidate)) {
            path = candidate;
            return true;
        }
    }
    return false;
}

bool resolve_command_line(const QString &command_line, ResolvedCommand &resolved)
{
    qsizetype start = 0;
    while (start < command_line.size() && is_blank(command_line[start]))
        ++start;
    const QString line = command_line.mid(start);

    if (line.startsWith(u'"')) {
        const qsizetype close = line.indexOf(u'"', 1);
        QString program = close < 0 ? line.mid(1) : line.mid(1, close - 1);
        if (!find_runnable(program))
            return false;
        resolved.program = program;
        resolved.arguments = close < 0 ? QStringList() : split_arguments(line.mid(close + 1));
        return true;
    }

    // Unquoted: try "a", "a b", "a b c" ... up to each blank, then the whole line.
    for (qsizetype i = 0; i <= line.size(); ++i) {
        if (i < line.size() && !is_blank(line[i]))
            continue;
        QString program = line.left(i);
        if (!program.isEmpty() && find_runnable(program)) {
            resolved.program = program;
            resolved.arguments = split_arguments(line.mid(i));
            return true;
        }
    }
    return false;
}
