#include "skin/edit/tsui_memo.h"

#include <QTextBlock>
#include <QTextCursor>

TsuiMemo::TsuiMemo(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void TsuiMemo::setUIStyle(TsuiUIStyle style)
{
    style_ = style;
    update();
}

QStringList TsuiMemo::lines() const
{
    QStringList result;
    if (document()->isEmpty())
        return result;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        result << block.text();
    return result;
}

void TsuiMemo::appendLines(const QStringList &lines)
{
    if (lines.isEmpty())
        return;
    // One insertion for the whole batch: a long report must not cost one layout per line.
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    QString text = lines.join(QChar::ParagraphSeparator);
    if (!document()->isEmpty())
        text.prepend(QChar::ParagraphSeparator);
    cursor.insertText(text);
}
