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

void MemoSection::insertAtEnd(QTextCursor &cursor, const QString &text, bool new_line)
{
    const int at = end_.position();
    cursor.setPosition(at);
    cursor.insertText(new_line ? QChar::ParagraphSeparator + text : text);
    end_.setPosition(at + (new_line ? 1 : 0) + static_cast<int>(text.size()));
}

bool MemoSection::extendUnfinished(QTextCursor &cursor, const QString &line)
{
    // A line that grows, as a progress bar does, only gets its new end: a screen reader or an
    // input method watching the memo hears of what came, not of the whole line again.
    if (unfinished_.isEmpty() || line.size() < unfinished_.size() || !line.startsWith(unfinished_))
        return false;
    insertAtEnd(cursor, line.mid(unfinished_.size()), false);
    unfinished_.clear();
    return true;
}

void MemoSection::appendLines(const QStringList &lines)
{
    if (lines.isEmpty())
        return;
    QTextCursor cursor(memo_.document());
    cursor.beginEditBlock();
    const bool completed = !is_cut_for_display(lines.first()) && extendUnfinished(cursor, lines.first());
    removeUnfinished(cursor);
    const QStringList rest = completed ? lines.mid(1) : lines;
    if (!rest.isEmpty()) {
        const PackedLines packed = pack_lines(rest);
        const int first_block = end_.block().blockNumber() + 1;
        insertAtEnd(cursor, packed.text, true);
        keep_whole_lines(*memo_.document(), first_block, packed, rest);
    }
    cursor.endEditBlock();
}

void MemoSection::showUnfinished(const QString &head, bool more)
{
    const QString shown = head.isEmpty() && !more ? QString() : shown_unfinished_line(head, more);
    if (shown == unfinished_)
        return;
    QTextCursor cursor(memo_.document());
    cursor.beginEditBlock();
    if (!extendUnfinished(cursor, shown)) {
        removeUnfinished(cursor);
        if (!shown.isEmpty())
            insertAtEnd(cursor, shown, true);
    }
    unfinished_ = shown;
    cursor.endEditBlock();
}

void MemoSection::follow()
{
    QTextCursor caret(memo_.document());
    caret.setPosition(end_.position());
    memo_.setTextCursor(caret);
    memo_.ensureCursorVisible();
}
