#include "skin/edit/memo_section.h"

#include "skin/edit/long_lines.h"
#include "skin/edit/memo_blocks.h"
#include "skin/edit/tsui_memo.h"

MemoSection::MemoSection(TsuiMemo &memo, Place place, const QString &first_line)
    : memo_(memo)
    , end_(memo.document())
{
    end_.setKeepPositionOnInsert(true);
    QTextCursor cursor(memo.document());
    const bool empty = memo.document()->isEmpty();
    if (place == Place::Top) {
        cursor.insertText(empty ? first_line : first_line + QChar::ParagraphSeparator);
        if (!empty)
            move_whole_lines(memo.document()->firstBlock(), memo.document()->firstBlock().next());
        end_.setPosition(static_cast<int>(first_line.size()));
    } else {
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(empty ? first_line : QChar::ParagraphSeparator + first_line);
        end_.setPosition(cursor.position());
    }
}

void MemoSection::removeUnfinished(QTextCursor &cursor)
{
    if (unfinished_.isEmpty())
        return;
    // The unfinished line went in after a separator of its own.
    cursor.setPosition(end_.position() - static_cast<int>(unfinished_.size()) - 1);
    cursor.setPosition(end_.position(), QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    unfinished_.clear();
}

void MemoSection::insertAtEnd(QTextCursor &cursor, const QString &text)
{
    const int at = end_.position();
    cursor.setPosition(at);
    cursor.insertText(QChar::ParagraphSeparator + text);
    end_.setPosition(at + 1 + static_cast<int>(text.size()));
}

void MemoSection::appendLines(const QStringList &lines)
{
    if (lines.isEmpty())
        return;
    QTextCursor cursor(memo_.document());
    cursor.beginEditBlock();
    removeUnfinished(cursor);
    const PackedLines packed = pack_lines(lines);
    const int first_block = end_.block().blockNumber() + 1;
    insertAtEnd(cursor, packed.text);
    keep_whole_lines(*memo_.document(), first_block, packed, lines);
    cursor.endEditBlock();
}

void MemoSection::showUnfinished(const QString &head, bool more)
{
    const QString shown = head.isEmpty() && !more ? QString() : shown_unfinished_line(head, more);
    if (shown == unfinished_)
        return;
    QTextCursor cursor(memo_.document());
    cursor.beginEditBlock();
    removeUnfinished(cursor);
    if (!shown.isEmpty()) {
        insertAtEnd(cursor, shown);
        unfinished_ = shown;
    }
    cursor.endEditBlock();
}

void MemoSection::follow()
{
    QTextCursor caret(memo_.document());
    caret.setPosition(end_.position());
    memo_.setTextCursor(caret);
    memo_.ensureCursorVisible();
}
