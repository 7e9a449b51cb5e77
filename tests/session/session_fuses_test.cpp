// The fuse bytes in the session: what a write sends for the bytes the boxes show, and what a read
// takes from the transfer files avrdude leaves.
#include "tests/session/recording_session.h"
#include "tests/support/bad_transfer_lines.h"
#include "tests/support/failure_of.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

const QString NoReset = QStringLiteral(" /c / -p m8 -P USB -E noreset,novcc -c usbasp");

FuseBytes bytes(int low, int high, int extended) { return FuseBytes{{low, high, extended}}; }

class SessionFuses : public RecordingSession {
protected:
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
        session.setExtendedFuse(c.extended_fuse);
        session.setFuseBytes(c.shown);
        session.writeFuses();
        EXPECT_EQ(lastRun().arguments, NoReset + c.sent);
    }
}

TEST_F(SessionFuses, AReadTakesTheTransferFilesAndShowsTheLinesAsAvrdudeWroteThem)
{
    session.setExtendedFuse(true);
    avrdudeLeaves(" 226\r\n", "217\n", "254\n");
    session.readFuses();
    const HandedRun run = lastRun();
    const QString dir = transferDir(run.arguments);
    ASSERT_FALSE(dir.isEmpty());
    const QString q = u'"' + dir;
    EXPECT_EQ(run.arguments, NoReset + QStringLiteral(" -v -U lfuse:r:") + q + QStringLiteral("lfuse.hex\":d -U hfuse:r:") + q
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
