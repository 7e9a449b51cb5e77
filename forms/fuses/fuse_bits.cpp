#include "forms/fuses/fuse_bits.h"

#include "app/quillon_error.h"

#include <algorithm>

namespace {

constexpr int BitsPerByte = 8;
constexpr int AllBitsSet = 255;
constexpr int BitsPerHexDigit = 4;
const QString HexDigits = QStringLiteral("0123456789ABCDEF");

} // namespace

int fuse_byte_from_boxes(const FuseBoxes &checked)
{
    int value = AllBitsSet;
    for (int n = 0; n < BitsPerByte; ++n) {
        const int bit = 1 << n;
        value = checked[static_cast<std::size_t>(n)] ? (value & ~bit) : (value | bit);
    }
    return value;
}

bool fuse_bit(int value, int n)
{
    if (n < 0 || n >= BitsPerByte)
        return false;
    return (value >> n) & 1;
}

std::uint64_t power_of_two(int n)
{
    std::uint64_t result = 1;
    for (int i = 0; i < n; ++i)
        result *= 2;
    return result;
}

int decimal_integer(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok)
        throw QuillonError::not_an_integer(text);
    return value;
}

int fuse_byte_value(const QString &text)
{
    const int value = decimal_integer(text);
    if (value < 0 || value > 255)
        throw QuillonError::not_an_integer(text);
    return value;
}

QString decimal_to_binary_text(const QString &text)
{
    const int value = decimal_integer(text);
    if (value <= 0)
        return QStringLiteral("0");
    // Take the largest power of two that fits out of what remains until nothing remains; the
    // first one found gives the number of digits.
    auto remaining = static_cast<std::uint64_t>(value);
    int highest = 0;
    while (power_of_two(highest + 1) <= remaining)
        ++highest;
    QString digits(highest + 1, u'0');
    while (remaining > 0) {
        int bit = 0;
        while (power_of_two(bit + 1) <= remaining)
            ++bit;
        digits[highest - bit] = u'1';
        remaining -= power_of_two(bit);
    }
    return digits;
}

QString binary_text_to_decimal(const QString &text)
{
    std::uint64_t sum = 0;
    const qsizetype length = text.size();
    for (qsizetype i = 0; i < length; ++i) {
        const int digit = text[i].digitValue();
        sum += static_cast<std::uint64_t>(digit > 0 ? digit : 0) * power_of_two(static_cast<int>(length - 1 - i));
    }
    return QString::number(sum);
}

QString binary_text_to_hex(const QString &text)
{
    QString hex;
    qsizetype end = text.size();
    while (end > 0) {
        const qsizetype start = std::max<qsizetype>(0, end - BitsPerHexDigit);
        const int index = binary_text_to_decimal(text.mid(start, end - start)).toInt();
        // Only text of binary digits stays inside the table.
        if (index < 0 || index >= HexDigits.size())
            throw QuillonError::not_an_integer(text);
        hex.prepend(HexDigits[index]);
        end = start;
    }
    return hex;
}

StoredFuseValues &stored_fuse_values()
{
    static StoredFuseValues values;
    return values;
}
