#pragma once

#include <QString>
#include <QStringList>
#include <QTextCursor>

class TsuiMemo;

// A run of lines in a memo that grows at its end while the lines after it stay where they are,
// such as the sections of a report that fill while a child writes. Its lines are kept as
// TsuiMemo::appendLines keeps them: they read back and copy whole. The line still being written
// can be shown as it stands until it is complete. The memo must outlive the section, and only
// sections may change the memo while they are open.
class MemoSection {
public:
    enum class Place { Top, End };

    // Opens the section with its first line, put in front of all lines or after them.
    MemoSection(TsuiMemo &memo, Place place, const QString &first_line);

    void appendLines(const QStringList &lines);
    // Shows the unfinished last line as it stands (see shown_unfinished_line); an empty head
    // with nothing more removes it.
    void showUnfinished(const QString &head, bool more);
    // Puts the memo's caret at the section's end and scrolls it into view.
    void follow();

private:
    void removeUnfinished(QTextCursor &cursor);
    // Completes the unfinished line shown last when `line` begins with it; false otherwise.
    bool extendUnfinished(QTextCursor &cursor, const QString &line);
    // Inserts the text at the end, as a line of its own or onto the last, and moves the end
    // behind it.
    void insertAtEnd(QTextCursor &cursor, const QString &text, bool new_line);

    TsuiMemo &memo_;
    // Other sections' text may go in right where this one ends; that must not move its end.
    QTextCursor end_;
    QString unfinished_;
};
