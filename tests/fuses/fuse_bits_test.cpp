// The bit model and the conversion chain from a fuse byte to the hexadecimal value of a write.

#include "app/quillon_error.h"
#include "forms/fuses/fuse_bits.h"
#include "tests/support/failure_of.h"

#include <gtest/gtest.h>

namespace {

QString to_hex(int value) { return binary_text_to_hex(decimal_to_binary_text(QString::number(value))); }

} // namespace

TEST(FuseConversion, DecimalToHexWithoutLeadingZeros)
{
    EXPECT_EQ(to_hex(226), QStringLiteral("E2"));
    EXPECT_EQ(to_hex(15), QStringLiteral("F"));
    EXPECT_EQ(to_hex(16), QStringLiteral("10"));
    EXPECT_EQ(to_hex(255), QStringLiteral("FF"));
    EXPECT_EQ(to_hex(1), QStringLiteral("1"));
    EXPECT_EQ(to_hex(128), QStringLiteral("80"));
    EXPECT_EQ(to_hex(5), QStringLiteral("5"));
    // A byte of 0 must still give a digit: "-U lfuse:w:0x:m" would be no value at all.
    EXPECT_EQ(to_hex(0), QStringLiteral("0"));
}

TEST(FuseConversion, EveryByteRoundTrips)
{
    for (int value = 0; value <= 255; ++value) {
        const QString binary = decimal_to_binary_text(QString::number(value));
        EXPECT_EQ(binary, QString::number(value, 2)) << value;
        EXPECT_EQ(binary_text_to_decimal(binary), QString::number(value)) << value;
        EXPECT_EQ(binary_text_to_hex(binary), QString::number(value, 16).toUpper()) << value;
    }
}

TEST(FuseConversion, TextThatIsNoIntegerFailsWithTheRuntimeMessage)
{
    EXPECT_EQ(failure_of([] { decimal_to_binary_text(QStringLiteral("abc")); }),
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
    EXPECT_EQ(power_of_two(0), 1u);
    EXPECT_EQ(power_of_two(7), 128u);
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
