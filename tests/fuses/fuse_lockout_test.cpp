// Which fuse writes can lock a chip out, with the bit names of the shipped description files.

#include "session/text_lines_file.h"
#include "session/fuse_lockout.h"

#include <gtest/gtest.h>

namespace {

QStringList shipped_names(const QString &device)
{
    return load_text_lines(qEnvironmentVariable("QUILLON_DATA_DIR") + QStringLiteral("/fuses/") + device
                               + QStringLiteral(".fuse"),
                           {24, 4096});
}

// A risk written as "kind: NAME was>becomes, ..." ('?' for nothing read), to compare in one line.
QString summary(const std::vector<LockoutRisk> &risks)
{
    static const char *const kinds[] = {"reset", "debugwire", "spien", "clock"};
    QStringList parts;
    for (const LockoutRisk &risk : risks) {
        QStringList bits;
        for (const LockoutBit &bit : risk.bits)
            bits << QStringLiteral("%1 %2>%3").arg(bit.name, bit.was ? QString::number(*bit.was) : QStringLiteral("?"),
                                                   QString::number(bit.becomes));
        parts << QLatin1String(kinds[static_cast<int>(risk.kind)]) + QStringLiteral(": ") + bits.join(QStringLiteral(", "));
    }
    return parts.join(QStringLiteral("; "));
}

constexpr std::nullopt_t None = std::nullopt;

} // namespace

TEST(FuseLockout, RisksFollowTheBitNamesOfEachDevice)
{
    const struct {
        const char *device;
        FuseByteValues last_read;
        FuseByteValues intended;
        const char *risks;
    } cases[] = {
        // ATmega8: CKSEL0-3 low bits 0-3, SPIEN high bit 5, RSTDISBL high bit 7.
        {"m8", {0xE1, 0xD9, None}, {0xE1, 0xD1, None}, ""},
        {"m8", {0xE1, 0xD9, None}, {0xE1, 0x59, None}, "reset: RSTDISBL 1>0"},
        // Left programmed, it still asks: the read may have been wrong.
        {"m8", {0xE1, 0x59, None}, {0xE1, 0x59, None}, "reset: RSTDISBL 0>0"},
        {"m8", {0xE1, 0xD9, None}, {0xE1, 0xF9, None}, "spien: SPIEN 0>1"},
        {"m8", {0xE1, 0xD9, None}, {0xE4, 0xD9, None}, "clock: CKSEL0 1>0, CKSEL2 0>1"},
        {"m8", {0xE1, 0xD9, None}, {0xE4, 0x59, None}, "reset: RSTDISBL 1>0; clock: CKSEL0 1>0, CKSEL2 0>1"},
        // Nothing read: every clock bit counts; the others by the value alone.
        {"m8", {None, None, None}, {0xE1, 0xD9, None}, "clock: CKSEL0 ?>1, CKSEL1 ?>0, CKSEL2 ?>0, CKSEL3 ?>0"},
        {"m8", {0xE1, None, None}, {0xE1, 0x59, None}, "reset: RSTDISBL ?>0"},
        // ATtiny13: SPIEN and CKDIV8 in the low byte, RSTDISBL and DWEN in the high one.
        {"t13", {0x6A, 0xFF, None}, {0x7A, 0xF7, None}, "debugwire: DWEN 1>0; clock: CKDIV8 0>1"},
        {"t13", {0x6A, 0xFF, None}, {0xEA, 0xFE, None}, "reset: RSTDISBL 1>0; spien: SPIEN 0>1"},
        // A byte that is not sent is no risk, whatever its bits would say.
        {"t85", {0x62, 0xDF, None}, {0x62, 0xDF, None}, ""},
        // Without names (no.fuse) nothing is known to be dangerous.
        {"no", {None, None, None}, {0x00, 0x00, 0x00}, ""},
    };
    for (const auto &c : cases) {
        const QString device = QString::fromLatin1(c.device);
        EXPECT_EQ(summary(lockout_risks(shipped_names(device), c.intended, c.last_read)), QString::fromUtf8(c.risks))
            << c.device << " " << c.risks;
    }
    // A short or empty list of names reaches no bit it does not name.
    EXPECT_TRUE(lockout_risks({QStringLiteral("SUT0")}, {0x00, 0x00, 0x00}, {}).empty());
    EXPECT_EQ(summary(lockout_risks({QStringLiteral(" CKSEL0 ")}, {0x00, None, None}, {})), QStringLiteral("clock: CKSEL0 ?>0"));
}

TEST(FuseLockout, TheQuestionNamesEachBitAndWhatFollows)
{
    const QStringList m8 = shipped_names(QStringLiteral("m8"));
    const FuseByteValues intended{0xE4, 0x59, None};
    EXPECT_FALSE(compared_with_nothing(intended, {0xE1, 0xD9, None}));
    EXPECT_TRUE(compared_with_nothing(intended, {0xE1, None, None}));
    EXPECT_EQ(lockout_warning_text(lockout_risks(m8, intended, {0xE1, 0xD9, None}), false),
              QStringLiteral("Dieses Schreiben kann den Chip aussperren:\n\n"
                             "RSTDISBL (1 → 0) wird programmiert: Der Reset-Pin wird zum Port-Pin. Über ISP lässt "
                             "sich der Chip dann nicht mehr programmieren, nur noch mit Hochvolt-Programmierung.\n"
                             "Taktwahl CKSEL0 (1 → 0), CKSEL2 (0 → 1): Ohne diese Taktquelle antwortet der Chip "
                             "nicht mehr.\n\n"
                             "Trotzdem schreiben?"));
    const QString unread = lockout_warning_text(lockout_risks(m8, {0xE1, 0xF9, None}, {}), true);
    EXPECT_TRUE(unread.startsWith(QStringLiteral("Seit der Wahl des Geräts wurden die Fuses nicht gelesen; "
                                                 "verglichen wird mit nichts.\n")))
        << unread.toStdString();
    EXPECT_TRUE(unread.contains(QStringLiteral("SPIEN (→ 1) wird unprogrammiert: Die serielle Programmierung (ISP) "
                                               "wird abgeschaltet")))
        << unread.toStdString();
    EXPECT_TRUE(unread.contains(QStringLiteral("Taktwahl CKSEL0 (→ 1), CKSEL1 (→ 0)"))) << unread.toStdString();
}
