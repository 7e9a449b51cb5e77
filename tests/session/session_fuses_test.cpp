// The fuse bytes in the session: what a write sends for the bytes the boxes show, and what a read
// takes from the transfer files avrdude leaves.
#include "session/chip_erase_question.h"
#include "session/program_dir.h"
#include "tests/session/recording_session.h"
#include "tests/support/bad_transfer_lines.h"
#include "tests/support/failure_of.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {


FuseBytes bytes(int low, int high, int extended) { return FuseBytes{{low, high, extended}}; }

// A description file in ProgramDir's fuses/: the ATmega8's names (no extended fuse) under "m8",
// and under "x" the same with an extended fuse.
const QByteArray M8Names = "CKSEL0\nCKSEL1\nCKSEL2\nCKSEL3\nSUT0\nSUT1\nBODEN\nBODLEVEL\n"
                           "BOOTRST\nBOOTSZ0\nBOOTSZ1\nEESAVE\nCKOPT\nSPIEN\nWDTON\nRSTDISBL\n"
                           "-\nUNUSED\n-\n-\n-\n-\n-\n-\n";

class SessionFuses : public RecordingSession {
protected:
    SessionFuses()
    {
        describe("no", "Bit\n", 24);
        describe("m8", M8Names, 1);
        describe("x", QByteArray(M8Names).replace("UNUSED", "X1"), 1);
    }
    ~SessionFuses() override { QDir(program_dir() + QStringLiteral("fuses")).removeRecursively(); }

    static void describe(const char *device, const QByteArray &lines, int times)
    {
        QDir().mkpath(program_dir() + QStringLiteral("fuses"));
        QFile file(program_dir() + QStringLiteral("fuses/") + QLatin1String(device) + QStringLiteral(".fuse"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(lines.repeated(times));
    }

    // The head of a fuse command line for the session's device.
    QString noReset() const { return QStringLiteral(" /c / -p %1 -P USB -E noreset,novcc -c usbasp").arg(session.device()); }

    // The device, with its description loaded as the fuse window does when it is shown.
    void showDevice(const char *device)
    {
        session.setDevice(QLatin1String(device));
        session.loadFuseDescription();
    }

    // On the next read, avrdude leaves these lines in the transfer files; a null one it leaves out.
    void avrdudeLeaves(const QByteArray &low, const QByteArray &high, const QByteArray &extended = {})
    {
        avrdude = [=](const CommandLine &command) {
            const QRegularExpression transfer(QStringLiteral("([lhe]fuse):r:\"([^\"]+)\":d"));
            for (const QRegularExpressionMatch &m : transfer.globalMatch(command.arguments)) {
                const QByteArray &line = m.captured(1) == u"lfuse" ? low : (m.captured(1) == u"hfuse" ? high : extended);
                QFile file(m.captured(2));
                if (!line.isNull() && file.open(QIODevice::WriteOnly))
                    file.write(line);
            }
        };
    }

    // The transfer folder the last read named, which must be gone again.
    static QString transferDir(const QString &arguments)
    {
        const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("lfuse:r:\"(.+)lfuse\\.hex\"")).match(arguments);
        return m.captured(1);
    }

    QStringList texts() const
    {
        const FuseTexts &t = session.fuseTexts();
        return {t[0], t[1], t[2]};
    }
};

} // namespace

TEST_F(SessionFuses, AWriteSendsTheBytesTheBoxesShowWithTheExtendedRule)
{
    const struct {
        FuseBytes shown;
        bool extended_fuse;
        QString sent;
    } cases[] = {
        // Low bit 3 programmed.
        {bytes(0xF7, 0xDF, 0xFF), false, QStringLiteral(" -U lfuse:w:0xF7:m -U hfuse:w:0xDF:m ")},
        {bytes(0xF7, 0xDF, 0xFE), true, QStringLiteral(" -U lfuse:w:0xF7:m -U hfuse:w:0xDF:m -U efuse:w:0xFE:m")},
        // Small values keep one digit; every extended box checked goes out as FF.
        {bytes(15, 0, 0), true, QStringLiteral(" -U lfuse:w:0xF:m -U hfuse:w:0x0:m -U efuse:w:0xFF:m")},
    };
    for (const auto &c : cases) {
        showDevice(c.extended_fuse ? "x" : "m8");
        session.setFuseBytes(c.shown);
        session.writeFuses();
        EXPECT_EQ(lastRun().arguments, noReset() + c.sent);
    }
}

TEST_F(SessionFuses, AReadTakesTheTransferFilesAndShowsTheLinesAsAvrdudeWroteThem)
{
    showDevice("x");
    avrdudeLeaves(" 226\r\n", "217\n", "254\n");
    session.readFuses();
    const HandedRun run = lastRun();
    const QString dir = transferDir(run.arguments);
    ASSERT_FALSE(dir.isEmpty());
    const QString q = u'"' + dir;
    EXPECT_EQ(run.arguments, noReset() + QStringLiteral(" -v -U lfuse:r:") + q + QStringLiteral("lfuse.hex\":d -U hfuse:r:") + q
                                 + QStringLiteral("hfuse.hex\":d -U efuse:r:") + q + QStringLiteral("efuse.hex\":d"));
    EXPECT_FALSE(QFileInfo::exists(dir)) << "the transfer folder goes with the read";
    EXPECT_EQ(session.fuseBytes(), bytes(226, 217, 254));
    EXPECT_EQ(session.lastReadFuseBytes(), bytes(226, 217, 254));
    // The boxes changed, so every label shows its number.
    EXPECT_EQ(texts(), (QStringList{"226", "217", "254"}));

    // Read again unchanged: no box moves, and the labels keep the files' lines.
    avrdudeLeaves(" 226", "217", "254");
    session.readFuses();
    lastRun();
    EXPECT_EQ(texts(), (QStringList{" 226", "217", "254"}));

    EXPECT_EQ(session.chipReport().bytes(), (FuseByteValues{226, 217, 254}));

    // A write turns them back into numbers.
    session.writeFuses();
    EXPECT_TRUE(lastRun().arguments.endsWith(QStringLiteral(" -U lfuse:w:0xE2:m -U hfuse:w:0xD9:m -U efuse:w:0xFE:m")));
    EXPECT_EQ(texts(), (QStringList{"226", "217", "254"}));

    // What the chip reported belongs to the device it was read as.
    session.setDevice(QStringLiteral("m16"));
    EXPECT_EQ(session.chipReport().bytes(), FuseByteValues{});
}

TEST_F(SessionFuses, AFailedReadGoesBackToWhatWasLastReadOrFirstShown)
{
    // Nothing read since start: the bytes go back to what the window first showed.
    session.setFuseBytes(bytes(0xF7, 0xDF, 0xFF));
    session.readFuses();
    lastRun();
    EXPECT_EQ(session.fuseBytes(), bytes(255, 223, 255));

    // After a good read, a failing one undoes the user's changes back to what was read.
    avrdudeLeaves("226\n", "217\n");
    session.readFuses();
    lastRun();
    session.setFuseBytes(bytes(0x62, 0xD8, 0xFF));
    avrdude = nullptr;
    session.readFuses();
    lastRun();
    EXPECT_EQ(session.fuseBytes(), bytes(226, 217, 255));
}

TEST_F(SessionFuses, ATransferLineThatIsNoByteStopsTheReadAndKeepsTheBytes)
{
    session.setFuseBytes(bytes(0xF7, 0xDF, 0xFF));
    for (const BadTransferLine &c : BadTransferLines) {
        avrdudeLeaves(c.low, "0\n");
        EXPECT_EQ(failure_of([&] { session.readFuses(); }), c.message);
        EXPECT_FALSE(QFileInfo::exists(transferDir(lastRun().arguments)));
        EXPECT_EQ(session.fuseBytes(), bytes(0xF7, 0xDF, 0xFF));
        EXPECT_EQ(session.lastReadFuseBytes(), bytes(255, 223, 255));
        EXPECT_EQ(session.fuseTexts()[0], c.low.isEmpty() ? QStringLiteral("247") : QString::fromUtf8(c.low.trimmed()));
        session.setFuseBytes(session.fuseBytes());
    }
}

// The question before a write names the bits of the device in the write's command line; with no
// names for that device, every write asks and shows each byte before and after.
TEST_F(SessionFuses, TheQuestionBeforeAWriteFollowsTheDeviceTheWriteGoesTo)
{
    const struct {
        const char *device;
        QByteArray read_low, read_high; // what the last read found; null: nothing read
        FuseBytes shown;
        QString question; // empty: none; otherwise the start of it, or a line in it
    } cases[] = {
        {"m8", "225\n", "217\n", bytes(0xE1, 0xD1, 0xFF), {}},
        // A read can be wrong: RSTDISBL programmed or SPIEN unprogrammed asks though the read said so too.
        {"m8", "225\n", "89\n", bytes(0xE1, 0x59, 0xFF), QStringLiteral("RSTDISBL (0 → 0) bleibt programmiert: ")},
        {"m8", "225\n", "249\n", bytes(0xE1, 0xF9, 0xFF), QStringLiteral("SPIEN (1 → 1) bleibt unprogrammiert: ")},
        {"m328p", "98\n", "217\n", bytes(0x62, 0xD9, 0xFF),
         QStringLiteral("Für das Gerät „m328p“ ist die Bedeutung der Fuse-Bits unbekannt: Quillon hat keine "
                        "Beschreibung seiner Fuses und kann nicht prüfen, ob dieses Schreiben den Chip aussperrt.\n\n"
                        "Geschrieben wird (bisher → neu):\n"
                        "LowFuse: 0x62 → 0x62\nHighFuse: 0xD9 → 0xD9\nEFuse: nicht gelesen → 0xFF\n\n"
                        "Trotzdem schreiben?")},
        {"t2", {}, {}, bytes(0x0F, 0xDF, 0xFF), QStringLiteral("LowFuse: nicht gelesen → 0x0F\n")},
    };
    for (const auto &c : cases) {
        showDevice(c.device);
        avrdudeLeaves(c.read_low, c.read_high);
        if (!c.read_low.isNull()) {
            session.readFuses();
            lastRun();
        }
        session.setFuseBytes(c.shown);
        const QString question = session.fuseWriteQuestion().value_or(QString());
        EXPECT_EQ(question.isEmpty(), c.question.isEmpty()) << c.device << ": " << question.toStdString();
        EXPECT_TRUE(question.startsWith(c.question) || question.contains(u'\n' + c.question))
            << c.device << ": " << question.toStdString();
        session.setDevice(QString());
    }
}

// While the fuse window is shown, another device brings its own description at once and
// forgets what was read; the bytes stay. Hidden, nothing changes until the next showing.
TEST_F(SessionFuses, WhileFollowingTheDeviceItsDescriptionComesAlong)
{
    int told = 0;
    session.setFuseDescriptionObserver([&] { ++told; });
    showDevice("m8");
    avrdudeLeaves("225\n", "217\n");
    session.readFuses();
    lastRun();
    session.setFuseDescriptionFollowsDevice(true);
    session.setDevice(QStringLiteral("x"));
    EXPECT_EQ(told, 1);
    EXPECT_EQ(session.fuseCaptions().at(17), QStringLiteral("X1"));
    EXPECT_TRUE(session.hasExtendedFuse());
    EXPECT_EQ(session.chipReport().bytes(), FuseByteValues{});
    EXPECT_EQ(session.fuseBytes(), bytes(225, 217, 255));

    session.setFuseDescriptionFollowsDevice(false);
    session.setDevice(QStringLiteral("m8"));
    EXPECT_EQ(told, 1);
    EXPECT_EQ(session.fuseCaptions().at(17), QStringLiteral("X1"));
}

// What an erase takes from the EEPROM is known only from a read of this device whose
// description names EESAVE (the ATmega8's high bit 3).
TEST_F(SessionFuses, AnEraseSaysWhetherTheEepromStaysAsFarAsItIsKnown)
{
    const QStringList m8 = QString::fromLatin1(M8Names).split(u'\n').mid(0, 24);
    const struct {
        std::optional<QStringList> names;
        FuseByteValues read;
        EepromAtErase fate;
    } cases[] = {
        {m8, {0xE1, 0xD1, std::nullopt}, EepromAtErase::Kept},
        {m8, {0xE1, 0xD9, std::nullopt}, EepromAtErase::Lost},
        {m8, {0xE1, std::nullopt, std::nullopt}, EepromAtErase::Unknown},
        {std::nullopt, {0xE1, 0xD1, std::nullopt}, EepromAtErase::Unknown},
        {QStringList(24, QStringLiteral("-")), {0xE1, 0xD1, std::nullopt}, EepromAtErase::Unknown},
    };
    for (const auto &c : cases)
        EXPECT_EQ(eeprom_at_erase(c.names, c.read), c.fate) << static_cast<int>(c.fate);

    showDevice("m8");
    EXPECT_TRUE(session.chipEraseQuestion().contains(QStringLiteral("außer EESAVE ist programmiert")));
    avrdudeLeaves("225\n", "209\n");
    session.readFuses();
    lastRun();
    EXPECT_EQ(session.chipEraseQuestion(),
              QStringLiteral("Der ganze Chip wird gelöscht.\n\nDer Flash-Speicher wird gelöscht, auch ein Bootloader "
                             "darin.\nDas EEPROM bleibt erhalten: EESAVE ist beim letzten Lesen der Fuses programmiert."
                             "\n\nChip löschen?"));
    EXPECT_TRUE(session.eepromProgramQuestion().startsWith(
        QStringLiteral("„EEPROM programmieren“ löscht vor dem Schreiben den ganzen Chip.\n\nDer Flash-Speicher")));
}

// A box the user clicks changes its one bit in the session, and a write sends the session's
// bytes as they are: nothing is read back from the window.
TEST_F(SessionFuses, AClickedBitChangesTheSessionsByteAndTheWriteSendsIt)
{
    const struct {
        int index;
        bool programmed;
        FuseBytes after;
        QStringList texts;
    } clicks[] = {
        {0, true, bytes(0xFE, 0xDF, 0xFF), {"254", "223", "255"}},
        {15, true, bytes(0xFE, 0x5F, 0xFF), {"254", "95", "255"}},
        {13, false, bytes(0xFE, 0x7F, 0xFF), {"254", "127", "255"}},
        {0, false, bytes(0xFF, 0x7F, 0xFF), {"255", "127", "255"}},
        {23, true, bytes(0xFF, 0x7F, 0x7F), {"255", "127", "127"}},
    };
    showDevice("x");
    for (const auto &c : clicks) {
        session.setFuseBit(c.index, c.programmed);
        EXPECT_EQ(session.fuseBytes(), c.after) << c.index;
        EXPECT_EQ(texts(), c.texts) << c.index;
    }
    session.writeFuses();
    EXPECT_TRUE(lastRun().arguments.endsWith(QStringLiteral(" -U lfuse:w:0xFF:m -U hfuse:w:0x7F:m -U efuse:w:0x7F:m")));
}
