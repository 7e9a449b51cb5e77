// The bit model and the hexadecimal value of a write.

#include "session/quillon_error.h"
#include "session/fuse_bits.h"
#include "tests/support/failure_of.h"

#include <gtest/gtest.h>

TEST(FuseConversion, HexWithoutLeadingZerosAndNumbersFromText)
{
    const struct {
        int value;
        const char *hex;
    } cases[] = {{226, "E2"}, {15, "F"}, {16, "10"}, {255, "FF"}, {1, "1"}, {128, "80"},
                 // A byte of 0 must still give a digit: "-U lfuse:w:0x:m" would be no value at all.
                 {0, "0"}};
    for (const auto &c : cases)
        EXPECT_EQ(fuse_hex(c.value), QLatin1String(c.hex)) << c.value;

    EXPECT_EQ(failure_of([] { decimal_integer(QStringLiteral("abc")); }),
              QStringLiteral("'abc' ist kein gültiger Integerwert"));
    EXPECT_THROW(decimal_integer(QString()), QuillonError);
    EXPECT_THROW(decimal_integer(QStringLiteral("12x")), QuillonError);
    EXPECT_EQ(decimal_integer(QStringLiteral("226")), 226);
}

TEST(FuseBits, BitsOfAByte)
{
    EXPECT_FALSE(fuse_bit(255, 8));
    EXPECT_FALSE(fuse_bit(255, -1));
    EXPECT_TRUE(fuse_bit(255, 7));
    EXPECT_FALSE(fuse_bit(226, 0));
    EXPECT_TRUE(fuse_bit(226, 1));
}

TEST(FuseBits, CheckedBoxesAreZeroBits)
{
    EXPECT_EQ(fuse_byte_from_boxes({}), 255);
    EXPECT_EQ(fuse_byte_from_boxes({true, true, true, true, true, true, true, true}), 0);
    EXPECT_EQ(fuse_byte_from_boxes({false, false, false, false, false, false, false, true}), 127);
    EXPECT_EQ(fuse_byte_from_boxes({false, false, false, false, false, true, false, false}), 223);
    // 226 read back through its boxes: checked where the bit is 0.
    FuseBoxes boxes{};
    for (int n = 0; n < 8; ++n)
        boxes[static_cast<std::size_t>(n)] = !fuse_bit(226, n);
    EXPECT_EQ(fuse_byte_from_boxes(boxes), 226);
}
