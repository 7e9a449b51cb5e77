#pragma once

#include <QString>

#include <array>

// A fuse byte as the fuse window shows it, and the hexadecimal value an avrdude write takes.

// Eight boxes of one fuse byte, bit 0 first. A checked box stands for a programmed bit, which
// on an AVR is a 0.
using FuseBoxes = std::array<bool, 8>;

// The byte the boxes describe: 255 with every checked box's bit cleared.
int fuse_byte_from_boxes(const FuseBoxes &checked);

// Bit n of the value; false for any n outside 0 to 7.
bool fuse_bit(int value, int n);

// The byte as uppercase hexadecimal digits without leading zeros; 0 gives "0", so a byte of 0
// still goes to avrdude as a value and not as an empty one.
QString fuse_hex(int value);

// The text as a decimal integer; throws "not an integer".
int decimal_integer(const QString &text);

// A transfer file's line as a fuse byte: a decimal integer from 0 to 255. Anything else throws
// "not an integer", as text that is no number does: a byte that is not one must not reach a box.
int fuse_byte_value(const QString &text);
