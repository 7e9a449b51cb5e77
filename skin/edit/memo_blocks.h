#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QTextBlock>
#include <QTextBlockUserData>

#include <vector>

class QTextDocument;

// How a memo keeps its lines in its text document. A document pays for every block it holds
// (about 12 us to insert one), so lines go in as blocks of many lines joined by line separators;
// the view breaks them exactly as before, and a 100,000-line report goes in more than ten times
// faster. Long lines are shown cut (long_lines.h) and kept whole on their block.

// The whole text of the lines a block shows cut, by their place in the block.
class CutLines : public QTextBlockUserData {
public:
    QHash<qsizetype, QString> whole;
};

// Lines made ready for one insertion: blocks joined by paragraph separators, the lines of a
// block by line separators, each line as shown.
struct PackedLines {
    struct Cut {
        int block;       // counted from the first block of the text
        qsizetype place; // in its block
        qsizetype line;  // in the packed lines
    };
    QString text;
    std::vector<Cut> cut;
};
PackedLines pack_lines(const QStringList &lines);

// After the packed text went in as blocks from first_block on: keeps the cut lines whole there.
void keep_whole_lines(QTextDocument &document, int first_block, const PackedLines &packed, const QStringList &lines);

// Text put in front of a block splits it, and what the block kept stays with the front part:
// hands it on to the block that now holds the lines.
void move_whole_lines(QTextBlock from, QTextBlock to);

// The lines of a block as the memo holds them: cut ones whole again.
QStringList block_lines(const QTextBlock &block);
