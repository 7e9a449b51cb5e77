#include "avrdude/native_text.h"

#include <QStringDecoder>

namespace {

constexpr char16_t KeptByteBase = 0xDC00;
constexpr char16_t FirstKeptByte = KeptByteBase + 0x80;
constexpr char16_t LastKeptByte = KeptByteBase + 0xFF;
constexpr char32_t ReplacementCharacter = 0xFFFD;

bool is_kept_byte(char16_t c) { return c >= FirstKeptByte && c <= LastKeptByte; }

// The code point of the well-formed UTF-8 sequence at bytes[i], and its length; 0 when the bytes
// there are not one (an overlong form, a surrogate, beyond U+10FFFF, cut short).
int decode_utf8_at(QByteArrayView bytes, qsizetype i, char32_t &code_point)
{
    const auto byte = [&](qsizetype k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = byte(i);
    int length = 0;
    unsigned char second_min = 0x80;
    unsigned char second_max = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code_point = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code_point = lead & 0x0F;
        if (lead == 0xE0)
            second_min = 0xA0;
        else if (lead == 0xED)
            second_max = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code_point = lead & 0x07;
        if (lead == 0xF0)
            second_min = 0x90;
        else if (lead == 0xF4)
            second_max = 0x8F;
    } else {
        return 0;
    }
    if (i + length > bytes.size())
        return 0;
    for (int k = 1; k < length; ++k) {
        const unsigned char next = byte(i + k);
        const bool in_range = k == 1 ? next >= second_min && next <= second_max : next >= 0x80 && next <= 0xBF;
        if (!in_range)
            return 0;
        code_point = (code_point << 6) | (next & 0x3F);
    }
    return length;
}

void append_utf8(QByteArray &bytes, char32_t c)
{
    if (c < 0x80) {
        bytes += static_cast<char>(c);
    } else if (c < 0x800) {
        bytes += static_cast<char>(0xC0 | (c >> 6));
        bytes += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        bytes += static_cast<char>(0xE0 | (c >> 12));
        bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        bytes += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        bytes += static_cast<char>(0xF0 | (c >> 18));
        bytes += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        bytes += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

QString native_text(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            text += QChar(lead);
            ++i;
            continue;
        }
        char32_t code_point = 0;
        const int length = decode_utf8_at(bytes, i, code_point);
        if (length == 0) {
            text += QChar(static_cast<char16_t>(KeptByteBase + lead));
            ++i;
            continue;
        }
        text += QString::fromUcs4(&code_point, 1);
        i += length;
    }
    return text;
}

QByteArray native_bytes(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode())) {
            append_utf8(bytes, QChar::surrogateToUcs4(c, text[i + 1].unicode()));
            ++i;
        } else if (is_kept_byte(c)) {
            bytes += static_cast<char>(c - KeptByteBase);
        } else if (QChar::isSurrogate(c)) {
            append_utf8(bytes, ReplacementCharacter);
        } else {
            append_utf8(bytes, c);
        }
    }
    return bytes;
}

QString readable_text(QStringView text)
{
    QString readable = text.toString();
    QStringDecoder cp1252("windows-1252");
    for (QChar &c : readable) {
        if (!is_kept_byte(c.unicode()))
            continue;
        const char byte = static_cast<char>(c.unicode() - KeptByteBase);
        const QString shown = cp1252.isValid() ? cp1252.decode(QByteArrayView(&byte, 1)) : QString();
        // Bytes 1252 leaves undefined show as their Latin-1 characters.
        c = shown.size() == 1 && shown.front() != QChar(ReplacementCharacter) ? shown.front()
                                                                                  : QChar(static_cast<unsigned char>(byte));
    }
    return readable;
}

QString exact_unless_edited(const QString &shown, const QString &exact)
{
    return shown == readable_text(exact) ? exact : shown;
}
