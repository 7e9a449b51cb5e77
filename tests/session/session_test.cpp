// The session without any window: where the avrdude path comes from, and the exact command line
// every verb hands the runner.
#include "avrdude/native_text.h"
#include "avrdude/run_report.h"
#include "session/program_dir.h"
#include "tests/session/recording_session.h"
#include "tests/support/failure_of.h"

#include <QCoreApplication>
#include <QFile>

#include <gtest/gtest.h>

namespace {

const QString Avrdude = QStringLiteral("/usr/bin/avrdude");
const QStringList PathNotOk{AvrdudePathNotOk};

void write_settings(const QByteArray &content)
{
    QFile file(program_dir() + QStringLiteral("options.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

class SessionVerbs : public RecordingSession {
protected:
    void SetUp() override
    {
        write_settings(Avrdude.toUtf8() + "\r\n");
        session.loadAvrdudePath();
    }
    void TearDown() override { QFile::remove(program_dir() + QStringLiteral("options.ini")); }
};

} // namespace

TEST_F(SessionVerbs, TheAvrdudePathComesFromTheSettingsFileAndAFailedLoadKeepsIt)
{
    EXPECT_EQ(session.avrdudePath(), Avrdude);
    session.saveAvrdudePath(QStringLiteral("/opt/avr dude/avrdude"));
    EXPECT_EQ(session.avrdudePath(), QStringLiteral("/opt/avr dude/avrdude"));
    session.eraseChip();
    EXPECT_EQ(lastRun().program, QStringLiteral("/opt/avr dude/avrdude"));

    QFile::remove(program_dir() + QStringLiteral("options.ini"));
    EXPECT_FALSE(failure_of([&] { session.loadAvrdudePath(); }).isEmpty());
    EXPECT_EQ(session.avrdudePath(), QStringLiteral("/opt/avr dude/avrdude"));
}

TEST_F(SessionVerbs, EveryChipVerbHandsTheRunnerItsExactCommandLine)
{
    const QString file = QStringLiteral("/home/u/my hex/firm\"ware.hex");
    const QString quoted = QStringLiteral("\"/home/u/my hex/firm\\\"ware.hex\"");
    const QString head = QStringLiteral(" /c / -p m8 -P USB");
    const QString no_reset = head + QStringLiteral(" -E noreset,novcc -c usbasp");
    const struct {
        const char *verb;
        std::function<void(Session &)> act;
        QString arguments;
        QStringList failure_lines;
    } cases[] = {
        {"free command", [](Session &s) { s.runFreeCommand(QStringLiteral("-p m8 -c usbasp -v")); },
         QStringLiteral(" /c / -p m8 -c usbasp -v"),
         {AvrdudePathNotOk, Avrdude, QStringLiteral("Passen sie den Pfad unter Einstellungen -> Optionen an!")}},
        {"program flash", [&](Session &s) { s.programFlash(file); },
         no_reset + QStringLiteral(" -e -U flash:w:") + quoted + QStringLiteral(":a"), PathNotOk},
        {"program EEPROM", [&](Session &s) { s.programEeprom(file); },
         no_reset + QStringLiteral(" -e -U eeprom:w:") + quoted + QStringLiteral(":a"), PathNotOk},
        {"read flash", [&](Session &s) { s.readFlash(file); },
         no_reset + QStringLiteral(" -U flash:r:") + quoted + QStringLiteral(":i"), PathNotOk},
        {"read EEPROM", [&](Session &s) { s.readEeprom(file); },
         no_reset + QStringLiteral(" -U eeprom:r:") + quoted + QStringLiteral(":i"), PathNotOk},
        {"erase", [](Session &s) { s.eraseChip(); }, head + QStringLiteral(" -e -c usbasp"), PathNotOk},
        // The external window's own corrections, not the main window's choices.
        {"external write",
         [&](Session &s) { s.programExternal(QStringLiteral("t85"), QStringLiteral("avr910"), QStringLiteral("/dev/ttyUSB0"), file); },
         QStringLiteral(" /c / -p t85 -P /dev/ttyUSB0 -E noreset,novcc -c avr910 -e -U flash:w:") + quoted
             + QStringLiteral(":a"),
         PathNotOk},
        {"write fuses", [](Session &s) { s.writeFuses(); },
         no_reset + QStringLiteral(" -U lfuse:w:0xFF:m -U hfuse:w:0xDF:m "), PathNotOk},
    };
    for (const auto &c : cases) {
        c.act(session);
        const HandedRun run = lastRun();
        EXPECT_EQ(run.program, Avrdude) << c.verb;
        EXPECT_EQ(run.arguments, c.arguments) << c.verb;
        EXPECT_EQ(run.failure_lines, c.failure_lines) << c.verb;
    }
}

TEST_F(SessionVerbs, AChoiceStillShowingItsStartParameterTargetsItsExactBytes)
{
    const QString port = native_text(QByteArray("/dev/tty\xE4"));
    session.setParameters({QStringLiteral("m8"), QStringLiteral("usbasp"), port});
    session.setPort(readable_text(port));
    session.eraseChip();
    EXPECT_EQ(lastRun().arguments, QStringLiteral(" /c / -p m8 -P ") + port + QStringLiteral(" -e -c usbasp"));

    // Edited, it is what the user typed.
    session.setPort(QStringLiteral("/dev/ttyUSB1"));
    session.eraseChip();
    EXPECT_EQ(lastRun().arguments, QStringLiteral(" /c / -p m8 -P /dev/ttyUSB1 -e -c usbasp"));
}

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
