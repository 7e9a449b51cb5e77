#include "skin/edit/memo_blocks.h"

#include "skin/edit/long_lines.h"

#include <QTextDocument>

namespace {

constexpr qsizetype LinesPerBlock = 100;
// A block is laid out as a whole, so its characters are bounded too: many long lines in one block
// would cost what one long line does.
constexpr qsizetype CharactersPerBlock = 16 * 1024;

} // namespace

PackedLines pack_lines(const QStringList &lines)
{
    PackedLines packed;
    qsizetype characters = 0;
    for (const QString &line : lines)
        characters += std::min(line.size(), ShownLineLimit) + 1;
    packed.text.reserve(characters);
    int block = 0;
    qsizetype in_block = 0;
    qsizetype block_characters = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const bool cut = is_cut_for_display(lines[i]);
        const QString cut_shown = cut ? shown_line(lines[i]) : QString();
        const QString &shown = cut ? cut_shown : lines[i];
        if (i > 0) {
            const bool new_block = in_block == LinesPerBlock || block_characters + shown.size() > CharactersPerBlock;
            if (new_block) {
                ++block;
                in_block = 0;
                block_characters = 0;
            }
            packed.text += new_block ? QChar::ParagraphSeparator : QChar::LineSeparator;
        }
        if (cut)
            packed.cut.push_back({block, in_block, i});
        packed.text += shown;
        block_characters += shown.size() + 1;
        ++in_block;
    }
    return packed;
}

void keep_whole_lines(QTextDocument &document, int first_block, const PackedLines &packed, const QStringList &lines)
{
    for (const PackedLines::Cut &cut : packed.cut) {
        QTextBlock target = document.findBlockByNumber(first_block + cut.block);
        auto *kept = static_cast<CutLines *>(target.userData());
        if (!kept) {
            kept = new CutLines;
            target.setUserData(kept);
        }
        kept->whole.insert(cut.place, lines[cut.line]);
    }
}

void move_whole_lines(QTextBlock from, QTextBlock to)
{
    const auto *kept = static_cast<const CutLines *>(from.userData());
    if (!kept || !to.isValid())
        return;
    to.setUserData(new CutLines(*kept));
    from.setUserData(nullptr);
}

QStringList block_lines(const QTextBlock &block)
{
    QStringList lines = block.text().split(QChar::LineSeparator);
    if (const auto *cut = static_cast<const CutLines *>(block.userData())) {
        for (auto it = cut->whole.cbegin(); it != cut->whole.cend(); ++it)
            lines[it.key()] = it.value();
    }
    return lines;
}
