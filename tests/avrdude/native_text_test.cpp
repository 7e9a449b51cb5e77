#include "avrdude/native_text.h"

#include <gtest/gtest.h>

namespace {

struct NativeCase {
    QByteArray bytes;
    QString readable;
};

} // namespace

// Any bytes come back whole, and a window shows them readably: valid UTF-8 as its characters,
// every other byte as its Windows-1252 character.
TEST(NativeText, EveryByteComesBackAndReadsAsItsCharacter)
{
    const NativeCase cases[] = {
        {"m8", QStringLiteral("m8")},
        {"/home/u/lat\xe4in.hex", QStringLiteral("/home/u/latäin.hex")},
        {"/home/u/\xc3\xa4 \xe2\x82\xac \xf0\x9f\x98\x80.hex", QStringLiteral("/home/u/ä € \U0001F600.hex")},
        // Valid UTF-8 around a stray byte stays UTF-8.
        {"\xc3\xa4\x80\xc3\xa4", QStringLiteral("ä\u20acä")},
        // Overlong forms, encoded surrogates, beyond U+10FFFF, cut short: every byte kept alone.
        {"\xc0\xaf", QStringLiteral("À¯")},
        {"\xed\xb3\xa4", QStringLiteral("í³¤")},
        {"\xf4\x90\x80\x80", QStringLiteral("ô\u0090\u20ac\u20ac")},
        {"\xe2\x82", QStringLiteral("â\u201a")},
        // Bytes Windows-1252 leaves undefined read as their Latin-1 characters.
        {"\x81\x8d", QStringLiteral("\u0081\u008d")},
    };
    for (const NativeCase &c : cases) {
        const QString text = native_text(c.bytes);
        EXPECT_EQ(native_bytes(text), c.bytes) << c.bytes.toHex().constData();
        EXPECT_EQ(readable_text(text), c.readable) << c.bytes.toHex().constData();
    }
    // A kept byte is never confused with the character it is shown as.
    EXPECT_NE(native_text("lat\xe4in"), QStringLiteral("latäin"));
}

TEST(NativeText, TypedTextGoesOutAsUtf8)
{
    EXPECT_EQ(native_bytes(QStringLiteral("latäin.hex")), QByteArray("lat\xc3\xa4in.hex"));
    // A lone surrogate that no byte stands for cannot be written; it goes out as U+FFFD.
    EXPECT_EQ(native_bytes(QString(QChar(0xD800))), QByteArray("\xef\xbf\xbd"));
    EXPECT_EQ(native_bytes(QString(QChar(0xDC41))), QByteArray("\xef\xbf\xbd"));
}

TEST(NativeText, AFieldLeftAsShownMeansTheExactText)
{
    const QString exact = native_text("/home/u/lat\xe4in.hex");
    EXPECT_EQ(exact_unless_edited(readable_text(exact), exact), exact);
    EXPECT_EQ(exact_unless_edited(QStringLiteral("/home/u/neu.hex"), exact), QStringLiteral("/home/u/neu.hex"));
    EXPECT_EQ(exact_unless_edited(QStringLiteral("m8"), QString()), QStringLiteral("m8"));
}
