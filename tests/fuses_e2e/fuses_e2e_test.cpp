// The fuse window driving the real avrdude 7.1 against the simulated programmer and chip: what
// the window shows after a read is the chip's fuses, and what it writes is what the chip gets.

#include "session/program_dir.h"
#include "skin/button/tsui_button.h"
#include "skin/edit/tsui_combo_box.h"
#include "skin/edit/tsui_memo.h"
#include "tests/fuses/fuse_window_fixture.h"
#include "tests/support/avr910_simulator.h"
#include "tests/support/failure_of.h"
#include "tests/support/modal_answer.h"
#include "tests/support/private_mounts.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <unistd.h>

namespace {

const QString Avrdude = QStringLiteral("/usr/bin/avrdude");

class FusesEndToEnd : public FuseWindowTest {
protected:
    void start(const std::string &part)
    {
        Avr910Simulator::Options options;
        options.part = part;
        sim = std::make_unique<Avr910Simulator>(options);
        useAvrdudePath(Avrdude);
        choose(QString::fromStdString(part), QStringLiteral("avr910"), QString::fromStdString(sim->port()));
        fuses.show();
    }

    void read() { QTest::mouseClick(fuses.suiButton1, Qt::LeftButton); }
    void write() { QTest::mouseClick(fuses.suiButton2, Qt::LeftButton); }

    // avrdude's verdict, the first line of the report.
    QString returnCodeLine() const
    {
        const QStringList lines = main.Log->lines();
        return lines.isEmpty() ? QString() : lines.first();
    }

    void expectShown(int group, std::uint8_t value)
    {
        EXPECT_EQ(boxesByte(group), value) << "group " << group;
        EXPECT_EQ(labels().at(group), QString::number(value)) << "group " << group;
    }

    void expectNoTransferFiles()
    {
        for (const char *name : {"lfuse.hex", "hfuse.hex", "efuse.hex"})
            EXPECT_FALSE(QFileInfo::exists(program_file(QString::fromLatin1(name)))) << name;
    }

    std::unique_ptr<Avr910Simulator> sim;
};

// Someone who may write the folder above ours, waiting for a read's transfer folder there: they
// move it aside and put one of the same name in its place, with lfuse.hex a link to a victim
// file (avrdude would write the fuse through it) and an efuse.hex of their own.
class FolderRacer {
public:
    static constexpr int NobodyUid = 65534;
    static constexpr int WaitMs = 20000;

    // As the given user (by setpriv, as root) or, with uid -1, as this one.
    FolderRacer(const QString &watched, const QString &victim, int uid)
    {
        static const char *const Race = R"(
import os, sys, time
watched, victim = sys.argv[1], sys.argv[2]
print("ready", flush=True)
deadline = time.monotonic() + 60
while time.monotonic() < deadline:
    for name in os.listdir(watched):
        if name.startswith("quillon-fuses-") and not name.endswith(".taken"):
            path = os.path.join(watched, name)
            os.rename(path, path + ".taken")
            os.mkdir(path)
            os.chmod(path, 0o777)
            os.symlink(victim, os.path.join(path, "lfuse.hex"))
            with open(os.path.join(path, "efuse.hex"), "w") as planted:
                planted.write("66\n")
            print("swapped", flush=True)
            sys.exit(0)
)";
        QStringList arguments{QStringLiteral("/usr/bin/python3"), QStringLiteral("-c"), QString::fromLatin1(Race),
                              watched, victim};
        if (uid >= 0)
            arguments = QStringList{QStringLiteral("--reuid=%1").arg(uid), QStringLiteral("--regid=%1").arg(uid),
                                    QStringLiteral("--clear-groups")}
                        + arguments;
        racer_.start(uid >= 0 ? QStringLiteral("setpriv") : arguments.takeFirst(), arguments);
        ready_ = racer_.waitForReadyRead(WaitMs) && racer_.readLine().trimmed() == "ready";
    }
    ~FolderRacer()
    {
        if (racer_.state() != QProcess::NotRunning) {
            racer_.kill();
            racer_.waitForFinished(WaitMs);
        }
    }
    bool ready() const { return ready_; }
    bool swapped()
    {
        racer_.waitForReadyRead(100);
        return racer_.readAll().contains("swapped");
    }

private:
    QProcess racer_;
    bool ready_ = false;
};

// XDG_RUNTIME_DIR for one test: a folder with the mode given, under /tmp where another user
// reaches it.
class RuntimeFolder {
public:
    explicit RuntimeFolder(QFile::Permissions mode)
        : dir_(QStringLiteral("/tmp/quillon-runtime-XXXXXX"))
        , previous_(qgetenv("XDG_RUNTIME_DIR"))
    {
        QFile::setPermissions(dir_.path(), mode);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir_.path()));
    }
    ~RuntimeFolder() { previous_.isNull() ? qunsetenv("XDG_RUNTIME_DIR") : qputenv("XDG_RUNTIME_DIR", previous_); }
    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    QByteArray previous_;
};

// A file of the user's that a link planted in the transfer folder points at.
const QString Victim = QStringLiteral("precious.txt");
const QByteArray VictimText = "precious\n";

constexpr QFile::Permissions Private = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
constexpr QFile::Permissions EveryoneWrites = Private | QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup
                                              | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;

} // namespace

TEST_F(FusesEndToEnd, ATmega8ReadThenWriteChangedBoxes)
{
    start("m8");
    sim->setFuses({.lfuse = 0xE2, .hfuse = 0xD9, .efuse = 0xFF, .lock = 0xFF});
    read();
    EXPECT_EQ(returnCodeLine(), QStringLiteral("Return-Code des Programms: 0"));
    expectShown(0, 0xE2);
    expectShown(1, 0xD9);
    // The m8 has no extended fuse: nothing read, so the extended boxes keep showing 255.
    expectShown(2, 0xFF);
    expectNoTransferFiles();

    // Internal 8 MHz instead of 2 MHz (CKSEL 0100), EESAVE programmed.
    QTest::mouseClick(fuses.l[1], Qt::LeftButton); // programmed -> CKSEL1 0
    QTest::mouseClick(fuses.l[2], Qt::LeftButton); // -> CKSEL2 1
    QTest::mouseClick(fuses.h[3], Qt::LeftButton); // EESAVE 0
    EXPECT_EQ(labels(), (QStringList{"228", "209", "255"}));
    writeConfirmingLockout();
    EXPECT_EQ(returnCodeLine(), QStringLiteral("Return-Code des Programms: 0"));
    const Avr910Fuses chip = sim->fuses();
    EXPECT_EQ(chip.lfuse, 0xE4);
    EXPECT_EQ(chip.hfuse, 0xD1);
    EXPECT_EQ(chip.efuse, 0xFF);

    // Reading back shows exactly what was written.
    read();
    expectShown(0, 0xE4);
    expectShown(1, 0xD1);
    expectNoTransferFiles();
}

TEST_F(FusesEndToEnd, ATtiny85WithItsExtendedFuse)
{
    start("t85");
    ASSERT_TRUE(session.hasExtendedFuse());
    sim->setFuses({.lfuse = 0x62, .hfuse = 0xDF, .efuse = 0xFF, .lock = 0xFF});
    read();
    EXPECT_EQ(returnCodeLine(), QStringLiteral("Return-Code des Programms: 0"));
    expectShown(0, 0x62);
    expectShown(1, 0xDF);
    expectShown(2, 0xFF);
    expectNoTransferFiles();

    // CKDIV8 unprogrammed, self-programming enabled.
    QTest::mouseClick(fuses.l[7], Qt::LeftButton);
    QTest::mouseClick(fuses.e[0], Qt::LeftButton);
    writeConfirmingLockout();
    EXPECT_EQ(returnCodeLine(), QStringLiteral("Return-Code des Programms: 0"));
    Avr910Fuses chip = sim->fuses();
    EXPECT_EQ(chip.lfuse, 0xE2);
    EXPECT_EQ(chip.hfuse, 0xDF);
    EXPECT_EQ(chip.efuse, 0xFE);

    read();
    expectShown(0, 0xE2);
    expectShown(2, 0xFE);

    // Every extended box checked goes out as FF, which unprograms SELFPRGEN again.
    for (TsuiCheckBox *box : fuses.e)
        box->setChecked(true);
    write();
    chip = sim->fuses();
    EXPECT_EQ(chip.efuse, 0xFF);
    EXPECT_EQ(chip.lfuse, 0xE2);
}

TEST_F(FusesEndToEnd, AReadThatFailsToStartSetsTheBoxesBackFromTheStoredValues)
{
    start("m8");
    sim->setFuses({.lfuse = 0xE1, .hfuse = 0xD9, .efuse = 0xFF, .lock = 0xFF});
    read();
    expectShown(0, 0xE1);

    QTest::mouseClick(fuses.l[4], Qt::LeftButton);
    QTest::mouseClick(fuses.h[0], Qt::LeftButton);
    useAvrdudePath(program_dir() + QStringLiteral("no-avrdude-here"));
    read();
    EXPECT_EQ(main.Log->lines(), QStringList{"Pfad zu AVRDUDE nicht OK!"});
    expectShown(0, 0xE1);
    expectShown(1, 0xD9);
    // Nothing went to the chip.
    EXPECT_EQ(sim->fuses().lfuse, 0xE1);
}

// Installed, ProgramDir is root's and read-only for everyone else. A read must not need to write
// there, and a read that fails before any good one must leave what the user sees, so that a write
// right after it sends exactly that and nothing invented.
TEST_F(FusesEndToEnd, AReadOnlyProgramFolderAndAFirstReadThatFails)
{
    if (!private_mounts_available())
        GTEST_SKIP() << "no private mount namespace: " << private_mounts_unavailable_reason().toStdString();
    start("m8");
    sim->setFuses({.lfuse = 0xE1, .hfuse = 0xD9, .efuse = 0xFF, .lock = 0xFF});
    const QString folder = program_dir().chopped(1);
    ASSERT_TRUE(bind_read_only(folder)) << std::strerror(errno);
    struct Unmount {
        QString folder;
        ~Unmount() { unmount(folder); }
    } unmount_afterwards{folder};

    const QString port = main.portselect->text();
    main.portselect->setText(program_dir() + QStringLiteral("no-programmer-here"));
    read();
    EXPECT_NE(returnCodeLine(), QStringLiteral("Return-Code des Programms: 0"));
    EXPECT_EQ(labels(), (QStringList{"255", "223", "255"}));
    expectShown(1, 0xDF);

    main.portselect->setText(port);
    writeConfirmingLockout();
    EXPECT_EQ(returnCodeLine(), QStringLiteral("Return-Code des Programms: 0"));
    EXPECT_EQ(sim->fuses().lfuse, 0xFF);
    EXPECT_EQ(sim->fuses().hfuse, 0xDF);

    read();
    EXPECT_EQ(returnCodeLine(), QStringLiteral("Return-Code des Programms: 0"));
    expectShown(0, 0xFF);
    expectShown(1, 0xDF);
    expectNoTransferFiles();
}

// Programming RSTDISBL would leave the ATmega8 to a high-voltage programmer: nothing goes to the
// chip until the user confirms, and then exactly the bytes the window shows. An ordinary write
// (EESAVE) asks nothing.
TEST_F(FusesEndToEnd, ATmega8AsksBeforeRstdisblAndNotForAnOrdinaryWrite)
{
    start("m8");
    sim->setFuses({.lfuse = 0xE1, .hfuse = 0xD9, .efuse = 0xFF, .lock = 0xFF});
    read();
    const QStringList read_report = main.Log->lines();

    QTest::mouseClick(fuses.h[7], Qt::LeftButton);
    {
        ModalAnswer cancel(ModalAnswer::pressKeyInMessageWindow(Qt::Key_Escape));
        write();
        ASSERT_TRUE(cancel.answered());
        EXPECT_TRUE(cancel.seenText().contains(QStringLiteral("RSTDISBL (1 → 0) wird programmiert")));
    }
    EXPECT_EQ(main.Log->lines(), read_report);
    EXPECT_EQ(sim->fuses().hfuse, 0xD9);

    QTest::mouseClick(fuses.h[7], Qt::LeftButton);
    QTest::mouseClick(fuses.h[3], Qt::LeftButton); // EESAVE
    {
        ModalAnswer none(ModalAnswer::closeMessageBox(), 5000);
        write();
        EXPECT_FALSE(none.answered()) << none.seenText().toStdString();
    }
    EXPECT_EQ(returnCodeLine(), QStringLiteral("Return-Code des Programms: 0"));
    EXPECT_EQ(sim->fuses().hfuse, 0xD1);

    QTest::mouseClick(fuses.h[7], Qt::LeftButton);
    writeConfirmingLockout();
    EXPECT_EQ(returnCodeLine(), QStringLiteral("Return-Code des Programms: 0"));
    EXPECT_EQ(sim->fuses().hfuse, 0x51);
    EXPECT_EQ(sim->fuses().lfuse, 0xE1);
}

// A runtime folder that everybody may write is no place for the transfer folder: another user
// racing there finds nothing to swap, the victim file stays as it was, and the read shows the
// chip's fuses.
TEST_F(FusesEndToEnd, AnotherUserCannotSwapTheTransferFolder)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to run the racer as another user";
    start("m8");
    sim->setFuses({.lfuse = 0xE2, .hfuse = 0xD9, .efuse = 0xFF, .lock = 0xFF});
    write_program_file(Victim, VictimText);
    const RuntimeFolder runtime(EveryoneWrites);
    FolderRacer racer(runtime.path(), program_file(Victim), FolderRacer::NobodyUid);
    ASSERT_TRUE(racer.ready());

    EXPECT_EQ(failure_of([&] { fuses.read_fuses(); }), QString());
    EXPECT_FALSE(racer.swapped());
    EXPECT_EQ(read_program_file(Victim), VictimText);
    EXPECT_EQ(labels(), (QStringList{"226", "217", "255"}));
    expectShown(0, 0xE2);
}

// Should the folder be swapped after all (here by the user's own racer, in the user's private
// runtime folder), nothing is read from the folder put in its place: the read fails saying so,
// and the boxes and labels stay as they were.
TEST_F(FusesEndToEnd, AFolderSwappedDuringTheReadIsNotRead)
{
    start("m8");
    sim->setFuses({.lfuse = 0xE2, .hfuse = 0xD9, .efuse = 0xFF, .lock = 0xFF});
    const RuntimeFolder runtime(Private);
    const QStringList before = labels();
    const int boxes_before = boxesByte(2);
    FolderRacer racer(runtime.path(), program_file(Victim), -1);
    ASSERT_TRUE(racer.ready());

    const QString message = failure_of([&] { fuses.read_fuses(); });
    ASSERT_TRUE(racer.swapped()) << "the racer was too late";
    EXPECT_TRUE(message.contains(runtime.path() + QStringLiteral("/quillon-fuses-"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("ausgetauscht"))) << message.toStdString();
    EXPECT_EQ(labels(), before);
    EXPECT_EQ(boxesByte(2), boxes_before);
}

// With no private runtime folder and a temporary folder where others may move what is made, or
// one that is not there, no place is safe: the read stops before avrdude runs, saying why, and the
// boxes stay.
TEST_F(FusesEndToEnd, NoSafeFolderStopsTheReadBeforeAvrdudeRuns)
{
    start("m8");
    const RuntimeFolder runtime(EveryoneWrites);
    const QString missing = runtime.path() + QStringLiteral("/nicht-da");
    const std::pair<QString, QString> temporaries[] = {
        {runtime.path(), QStringLiteral("Kein sicherer Ordner für die Fuse-Werte: in %1 können andere Benutzer "
                                        "Ordner umbenennen.").arg(runtime.path())},
        {missing, QStringLiteral("Kein Ordner für die Fuse-Werte: den temporären Ordner %1 (TMPDIR) gibt es nicht.").arg(missing)},
    };
    const QByteArray temporary = qgetenv("TMPDIR");
    const QStringList before = labels();
    for (const auto &[folder, expected] : temporaries) {
        qputenv("TMPDIR", QFile::encodeName(folder));
        const QString message = failure_of([&] { fuses.read_fuses(); });
        EXPECT_EQ(message, expected);
        EXPECT_EQ(labels(), before);
        EXPECT_TRUE(main.Log->lines().isEmpty()) << "avrdude ran";
    }
    temporary.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", temporary);
}

// Without a description of the device's fuses nothing tells a harmless bit from a lock-out: every
// write asks, with each byte as last read and as it will be, and a cancelled one sends nothing.
TEST_F(FusesEndToEnd, WithoutADescriptionEvenAHarmlessBitAsks)
{
    const M328pAvrduderc devcode;
    remove_program_file(QStringLiteral("fuses/m328p.fuse"));
    start("m328p");
    sim->setFuses({.lfuse = 0x62, .hfuse = 0xD9, .efuse = 0xFF, .lock = 0xFF});
    read();
    ASSERT_EQ(returnCodeLine(), QStringLiteral("Return-Code des Programms: 0")) << main.Log->lines().join(u'\n').toStdString();
    expectShown(1, 0xD9);
    const QStringList read_report = main.Log->lines();

    QTest::mouseClick(fuses.h[0], Qt::LeftButton); // BOOTRST on the ATmega328P
    {
        ModalAnswer cancel(ModalAnswer::pressKeyInMessageWindow(Qt::Key_Return));
        write();
        ASSERT_TRUE(cancel.answered());
        for (const QString &line : {QStringLiteral("Für das Gerät „m328p“ ist die Bedeutung der Fuse-Bits unbekannt"),
                                    QStringLiteral("LowFuse: 0x62 → 0x62"), QStringLiteral("HighFuse: 0xD9 → 0xD8"),
                                    QStringLiteral("EFuse: 0xFF → 0xFF")})
            EXPECT_TRUE(cancel.seenText().contains(line)) << cancel.seenText().toStdString();
    }
    EXPECT_EQ(main.Log->lines(), read_report);
    EXPECT_EQ(sim->fuses().hfuse, 0xD9);

    writeConfirmingLockout();
    EXPECT_EQ(returnCodeLine(), QStringLiteral("Return-Code des Programms: 0"));
    EXPECT_EQ(sim->fuses().hfuse, 0xD8);
}

// The ATmega328P as most hobbyists have it: read, its bits carry its own names, and programming
// RSTDISBL or DWEN, or changing the clock, each ask; cancelled, nothing goes to the chip.
TEST_F(FusesEndToEnd, ATmega328PNamesItsBitsAndAsksBeforeEachLockOut)
{
    const M328pAvrduderc devcode;
    install_data_file(QStringLiteral("fuses/m328p.fuse"));
    start("m328p");
    sim->setFuses({.lfuse = 0x62, .hfuse = 0xD9, .efuse = 0xFF, .lock = 0xFF});
    read();
    ASSERT_EQ(returnCodeLine(), QStringLiteral("Return-Code des Programms: 0")) << main.Log->lines().join(u'\n').toStdString();
    expectShown(0, 0x62);
    expectShown(1, 0xD9);
    expectShown(2, 0xFF);
    EXPECT_EQ(captions(0, 8), (QStringList{"CKSEL0", "CKSEL1", "CKSEL2", "CKSEL3", "SUT0", "SUT1", "CKOUT", "CKDIV8"}));
    EXPECT_EQ(captions(8, 8),
              (QStringList{"BOOTRST", "BOOTSZ0", "BOOTSZ1", "EESAVE", "WDTON", "SPIEN", "DWEN", "RSTDISBL"}));
    EXPECT_EQ(captions(16, 3), (QStringList{"BODLEVEL0", "BODLEVEL1", "BODLEVEL2"}));
    const QStringList read_report = main.Log->lines();

    const struct {
        TsuiCheckBox *box;
        QString says;
    } lockouts[] = {
        {fuses.h[7], QStringLiteral("RSTDISBL (1 → 0) wird programmiert")},
        {fuses.h[6], QStringLiteral("DWEN (1 → 0) wird programmiert")},
        {fuses.l[0], QStringLiteral("Taktwahl CKSEL0 (0 → 1)")},
    };
    for (const auto &c : lockouts) {
        QTest::mouseClick(c.box, Qt::LeftButton);
        ModalAnswer cancel(ModalAnswer::pressKeyInMessageWindow(Qt::Key_Escape));
        write();
        ASSERT_TRUE(cancel.answered()) << c.says.toStdString();
        EXPECT_TRUE(cancel.seenText().contains(c.says)) << cancel.seenText().toStdString();
        EXPECT_EQ(main.Log->lines(), read_report);
        const Avr910Fuses chip = sim->fuses();
        EXPECT_EQ((std::array<int, 3>{chip.lfuse, chip.hfuse, chip.efuse}), (std::array<int, 3>{0x62, 0xD9, 0xFF}));
        QTest::mouseClick(c.box, Qt::LeftButton);
    }

    // A read that says DWEN is programmed may be wrong (another program on the port): a write that
    // leaves it programmed asks, though it changes only BOOTRST.
    sim->setFuses({.lfuse = 0x62, .hfuse = 0x99, .efuse = 0xFF, .lock = 0xFF});
    read();
    QTest::mouseClick(fuses.h[0], Qt::LeftButton);
    ModalAnswer cancel(ModalAnswer::pressKeyInMessageWindow(Qt::Key_Escape));
    write();
    ASSERT_TRUE(cancel.answered());
    EXPECT_TRUE(cancel.seenText().contains(QStringLiteral("DWEN (0 → 0) bleibt programmiert"))) << cancel.seenText().toStdString();
    EXPECT_EQ(sim->fuses().hfuse, 0x99);
}

// Opened for the ATmega8, the window follows the main window to the ATmega328P: its captions
// name DWEN where the ATmega8 has WDTON, and a write that programs it asks, naming it.
TEST_F(FusesEndToEnd, TheWindowFollowsTheDeviceToTheATmega328P)
{
    const M328pAvrduderc devcode;
    install_data_file(QStringLiteral("fuses/m328p.fuse"));
    start("m328p");
    sim->setFuses({.lfuse = 0x62, .hfuse = 0xD9, .efuse = 0xFF, .lock = 0xFF});
    fuses.hide();
    main.avrselect->setText(QStringLiteral("m8"));
    fuses.show();
    ASSERT_EQ(fuses.h[6]->text(), QStringLiteral("WDTON"));

    main.avrselect->lineEdit()->clear();
    QTest::keyClicks(main.avrselect->lineEdit(), QStringLiteral("m328p"));
    EXPECT_EQ(fuses.h[6]->text(), QStringLiteral("DWEN"));
    EXPECT_TRUE(session.hasExtendedFuse());

    QTest::mouseClick(fuses.h[6], Qt::LeftButton);
    ModalAnswer cancel(ModalAnswer::pressKeyInMessageWindow(Qt::Key_Escape));
    write();
    ASSERT_TRUE(cancel.answered());
    EXPECT_TRUE(cancel.seenText().contains(QStringLiteral("DWEN (→ 0) wird programmiert"))) << cancel.seenText().toStdString();
    EXPECT_TRUE(main.Log->lines().isEmpty());
    EXPECT_EQ(sim->fuses().hfuse, 0xD9);
}
