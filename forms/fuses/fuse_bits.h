#pragma once

#include <QString>

#include <array>
#include <cstdint>

// A fuse byte as the fuse window shows it, and the number conversions that turn it into the
// hexadecimal value of an avrdude write. No widgets here, so all of it runs without a display.

// Eight boxes of one fuse byte, bit 0 first. A checked box stands for a programmed bit, which
// on an AVR is a 0.
using FuseBoxes = std::array<bool, 8>;

// The byte the boxes describe: 255 with every checked box's bit cleared.
int fuse_byte_from_boxes(const FuseBoxes &checked);

// Bit n of the value; false for any n outside 0 to 7.
bool fuse_bit(int value, int n);

// 1 for n = 0, otherwise 2 multiplied by itself n times.
std::uint64_t power_of_two(int n);

// The number written in decimal text, as binary digits without leading zeros. 0 (and anything
// below) gives "0", so a fuse byte of 0 still goes to avrdude as a value and not as an empty one.
// Throws "not an integer" for text that is not a decimal integer.
QString decimal_to_binary_text(const QString &text);

// The value of a text of binary digits, as decimal text.
QString binary_text_to_decimal(const QString &text);

// Binary digits as uppercase hexadecimal digits without leading zeros, four digits at a time
// from the right.
QString binary_text_to_hex(const QString &text);

// The text as a decimal integer; throws "not an integer".
int decimal_integer(const QString &text);

// A transfer file's line as a fuse byte: a decimal integer from 0 to 255. Anything else throws
// "not an integer", as text that is no number does: a byte that is not one must not reach a box.
int fuse_byte_value(const QString &text);

// The fuse bytes of the last read. They live for the whole process and outlast the fuse window's
// showings; only a read changes them. Before the first good read they are what the boxes show
// when the window first opens (only high bit 5 programmed), so a read that fails leaves the boxes
// as the user saw them, and a write right after it sends exactly that.
struct StoredFuseValues {
    int low = 255;
    int high = 223;
    int extended = 255;
};
StoredFuseValues &stored_fuse_values();
