#include "avrdude/console_text.h"

#include <algorithm>

namespace {

constexpr uchar HighBit = 0x80;
// The longest UTF-8 encoding of one character.
constexpr qsizetype MaxBytesPerCharacter = 4;

bool ends_line(uchar c) { return c == '\n' || c == '\r' || c == '\0'; }

QString decode_with(QStringDecoder &utf8, QStringDecoder &oem, QByteArrayView line)
{
    utf8.resetState();
    QString text = utf8.decode(line);
    if (!utf8.hasError())
        return text;
    if (!oem.isValid())
        return QString::fromLatin1(line);
    oem.resetState();
    return oem.decode(line);
}

} // namespace

ConsoleLines::ConsoleLines()
    : utf8_text_start_(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless)
    , utf8_(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom)
    , oem_("IBM850", QStringDecoder::Flag::Stateless)
{
}

void ConsoleLines::feed(QByteArrayView chunk, QStringList &lines)
{
    if (ended_ || chunk.isEmpty())
        return;
    const auto *data = reinterpret_cast<const uchar *>(chunk.data());
    const qsizetype size = chunk.size();
    qsizetype start = 0;
    if (after_cr_) {
        after_cr_ = false;
        if (data[0] == '\n')
            start = 1;
    }
    uchar high = 0;
    for (qsizetype i = start; i < size; ++i) {
        const uchar c = data[i];
        high |= c;
        // Most bytes are text: one compare lets them pass.
        if (c > '\r' || !ends_line(c))
            continue;
        const QByteArrayView piece(chunk.data() + start, i - start);
        if (c == '\0') {
            // The line the NUL cuts short counts when it has text.
            if (!piece.isEmpty() || !unfinished_.isEmpty())
                completeLine(piece, !(high & HighBit), lines);
            unfinished_.clear();
            ended_ = true;
            return;
        }
        completeLine(piece, !(high & HighBit), lines);
        if (c == '\r') {
            if (i + 1 == size)
                after_cr_ = true;
            else if (data[i + 1] == '\n')
                ++i;
        }
        start = i + 1;
        high = 0;
    }
    unfinished_.append(chunk.data() + start, size - start);
    unfinished_ascii_ = unfinished_ascii_ && !(high & HighBit);
}

void ConsoleLines::finish(QStringList &lines)
{
    if (!ended_ && !unfinished_.isEmpty())
        completeLine({}, true, lines);
    unfinished_.clear();
    ended_ = true;
}

void ConsoleLines::completeLine(QByteArrayView piece, bool ascii, QStringList &lines)
{
    QByteArrayView line = piece;
    if (!unfinished_.isEmpty()) {
        unfinished_.append(piece);
        line = unfinished_;
        ascii = ascii && unfinished_ascii_;
    }
    lines << (ascii ? QString::fromLatin1(line) : decode(line));
    unfinished_.clear();
    unfinished_ascii_ = true;
    first_line_ = false;
}

QString ConsoleLines::decode(QByteArrayView line)
{
    return decode_with(first_line_ ? utf8_text_start_ : utf8_, oem_, line);
}

QString ConsoleLines::unfinished(qsizetype max_characters, bool *more) const
{
    // Only the head is decoded: a line that grows without end must not cost more each time.
    const QByteArrayView head =
        QByteArrayView(unfinished_).first(std::min(unfinished_.size(), MaxBytesPerCharacter * (max_characters + 1)));
    QString text;
    if (unfinished_ascii_) {
        text = QString::fromLatin1(head);
    } else {
        // A character cut off at the end of what has come is held back, not an error.
        QStringDecoder utf8(QStringDecoder::Utf8, first_line_ ? QStringDecoder::Flag::Default
                                                               : QStringDecoder::Flag::ConvertInitialBom);
        text = utf8.decode(head);
        if (utf8.hasError()) {
            QStringDecoder oem("IBM850");
            text = oem.isValid() ? QString(oem.decode(head)) : QString::fromLatin1(head);
        }
    }
    *more = text.size() > max_characters || head.size() < unfinished_.size();
    text.truncate(max_characters);
    return text;
}

QStringList console_lines(QByteArrayView text)
{
    ConsoleLines splitter;
    QStringList lines;
    splitter.feed(text, lines);
    splitter.finish(lines);
    return lines;
}

QString decode_console_line(QByteArrayView line)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QStringDecoder oem("IBM850", QStringDecoder::Flag::Stateless);
    return decode_with(utf8, oem, line);
}
