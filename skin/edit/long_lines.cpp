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

QString StreamLineCutter::feed(const QString &text)
{
    QString shown;
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = text.indexOf(u'\n', start);
        const bool broken = end >= 0;
        if (!broken)
            end = text.size();
        const qsizetype room = std::max<qsizetype>(0, ShownLineLimit - line_length_);
        const qsizetype piece = end - start;
        shown += QStringView(text).mid(start, std::min(room, piece));
        // The marker goes in once, when the line first passes the limit; the rest is dropped.
        if (line_length_ <= ShownLineLimit && line_length_ + piece > ShownLineLimit)
            shown += QStringLiteral(" …");
        line_length_ += piece;
        if (!broken)
            break;
        shown += u'\n';
        line_length_ = 0;
        start = end + 1;
    }
    return shown;
}
