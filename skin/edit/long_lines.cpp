#include "skin/edit/long_lines.h"

#include <QLocale>

namespace {

QString cut_marker(qsizetype left_out)
{
    // The marker is German like every text the user reads, its number too.
    return QStringLiteral(" … (%1 weitere Zeichen; Kopieren liefert die ganze Zeile)")
        .arg(QLocale(QLocale::German).toString(left_out));
}

} // namespace

bool is_cut_for_display(const QString &line) { return line.size() > ShownLineLimit; }

QString shown_line(const QString &line)
{
    if (!is_cut_for_display(line))
        return line;
    return line.left(ShownLineLimit) + cut_marker(line.size() - ShownLineLimit);
}

QString shown_unfinished_line(const QString &head, bool more)
{
    const QString shown = head.left(ShownLineLimit);
    return more || head.size() > ShownLineLimit ? shown + QStringLiteral(" …") : shown;
}
