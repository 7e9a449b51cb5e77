#include "session/fuse_bits.h"

#include "session/quillon_error.h"

namespace {

constexpr int BitsPerByte = 8;
constexpr int AllBitsSet = 255;

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

QString fuse_hex(int value) { return QString::number(value, 16).toUpper(); }

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
    if (value < 0 || value > AllBitsSet)
        throw QuillonError::not_an_integer(text);
    return value;
}
