#include "avrdude/command_line_split.h"

#include "avrdude/native_text.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {

bool is_blank(QChar c) { return c == u' ' || c == u'\t'; }

bool is_runnable_file(const QString &path)
{
    const QByteArray file = native_bytes(path);
    struct stat status {};
    if (::stat(file.constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return false;
    // A batch file is read by the shell, so it needs no execute bit of its own.
    const int mode = path.endsWith(QLatin1String(".bat"), Qt::CaseInsensitive) ? R_OK : X_OK;
    return ::access(file.constData(), mode) == 0;
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

QString escape_within_quotes(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size());
    qsizetype backslashes = 0;
    for (const QChar c : text) {
        if (c == u'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes count only where a quote follows them.
        escaped += QString(c == u'"' ? backslashes * 2 + 1 : backslashes, u'\\');
        escaped += c;
        backslashes = 0;
    }
    // The closing quote follows what is left.
    escaped += QString(backslashes * 2, u'\\');
    return escaped;
}

QString single_argument(const QString &text)
{
    // Blanks at its ends are part of the value too: a port named by three blanks is that port.
    const bool needs_quotes = !text.isEmpty() && split_arguments(text) != QStringList{text};
    return needs_quotes ? u'"' + escape_within_quotes(text) + u'"' : text;
}

bool find_runnable(QString &path)
{
    if (path.isEmpty())
        return false;
    if (path.contains(u'/'))
        return is_runnable_file(path);
    const QString search = native_text(qgetenv("PATH"));
    for (const QString &dir : search.split(u':', Qt::SkipEmptyParts)) {
        const QString candidate = dir + u'/' + path;
        if (is_runnable_file(candidate)) {
            path = candidate;
            return true;
        }
    }
    return false;
}

bool resolve_program(const QString &program, QString &file)
{
    file = program;
    if (file.size() >= 2 && file.startsWith(u'"') && file.endsWith(u'"'))
        file = file.mid(1, file.size() - 2);
    return find_runnable(file);
}
