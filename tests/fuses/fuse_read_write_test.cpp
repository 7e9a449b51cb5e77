// Reading and writing fuses with a stand-in for avrdude that records its arguments and leaves
// chosen transfer files, so the exact command lines and every path through the transfer files
// can be checked.

#include "app/error_box.h"
#include "app/program_dir.h"
#include "avrdude/command_line_split.h"
#include "skin/button/tsui_button.h"
#include "skin/edit/tsui_memo.h"
#include "skin/panel/tsui_group_box.h"
#include "tests/fuses/fuse_window_fixture.h"
#include "tests/support/modal_answer.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTest>

namespace {

const QString Recorder = QStringLiteral("record-avrdude");
const QStringList TransferFiles = {"lfuse.hex", "hfuse.hex", "efuse.hex"};

class FuseReadWrite : public FuseWindowTest {
protected:
    void SetUp() override
    {
        FuseWindowTest::SetUp();
        const QString dir = program_dir();
        const QByteArray script = "#!/bin/sh\n"
                                  ": > '" + dir.toUtf8() + "args.txt'\n"
                                  "for a in \"$@\"; do printf '%s\\n' \"$a\" >> '" + dir.toUtf8() + "args.txt'; done\n"
                                  "for f in lfuse hfuse efuse; do\n"
                                  "  [ -f '" + dir.toUtf8() + "'$f.next ] && cp '" + dir.toUtf8() + "'$f.next '"
                                  + dir.toUtf8() + "'$f.hex\n"
                                  "done\n"
                                  "echo recorder ran\n";
        write_program_file(Recorder, script);
        QFile(program_file(Recorder)).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        useAvrdudePath(program_file(Recorder));
    }

    void TearDown() override
    {
        for (const char *name : {"lfuse.next", "hfuse.next", "efuse.next", "args.txt"})
            remove_program_file(QString::fromLatin1(name));
        remove_program_file(Recorder);
        FuseWindowTest::TearDown();
    }

    // What avrdude will leave behind on its next run; an absent file is one it does not create.
    void avrdudeLeaves(const QByteArray &low, const QByteArray &high, const QByteArray &extended = {})
    {
        write_program_file(QStringLiteral("lfuse.next"), low);
        write_program_file(QStringLiteral("hfuse.next"), high);
        if (extended.isNull())
            remove_program_file(QStringLiteral("efuse.next"));
        else
            write_program_file(QStringLiteral("efuse.next"), extended);
    }

    QStringList recordedArguments() const
    {
        QStringList lines = QString::fromUtf8(read_program_file(QStringLiteral("args.txt"))).split(u'\n');
        lines.removeLast();
        return lines;
    }

    // The whole command line, checked as text and as what the child received.
    void expectCommandLine(const QString &sent, const QString &after_head)
    {
        const QString head = program_file(Recorder) + QStringLiteral(" /c / -p ") + main.avrselect->text()
                           + QStringLiteral(" -P ") + main.portselect->text();
        EXPECT_EQ(sent, head + after_head);
        EXPECT_EQ(recordedArguments(), split_arguments(QStringLiteral(" /c / -p ") + main.avrselect->text()
                                                       + QStringLiteral(" -P ") + main.portselect->text()
                                                       + after_head));
    }

    QString quoted(const QString &name) const { return u'"' + program_dir() + name + u'"'; }

    QString readTail(bool extended) const
    {
        return QStringLiteral(" -E noreset,novcc -c usbasp -v -U lfuse:r:") + quoted("lfuse.hex")
             + QStringLiteral(":d -U hfuse:r:") + quoted("hfuse.hex") + QStringLiteral(":d ")
             + (extended ? QStringLiteral("-U efuse:r:") + quoted("efuse.hex") + QStringLiteral(":d") : QString());
    }

    static QString writeTail(const QString &low, const QString &high, const QString &extended = {})
    {
        return QStringLiteral(" -E noreset,novcc -c usbasp -U lfuse:w:0x") + low + QStringLiteral(":m -U hfuse:w:0x")
             + high + QStringLiteral(":m ")
             + (extended.isEmpty() ? QString() : QStringLiteral("-U efuse:w:0x") + extended + QStringLiteral(":m"));
    }

    void expectNoTransferFiles()
    {
        for (const QString &name : TransferFiles)
            EXPECT_FALSE(QFileInfo::exists(program_file(name))) << name.toStdString();
    }
};

} // namespace

TEST_F(FuseReadWrite, ReadWithoutExtendedFuseThenWrite)
{
    choose(QStringLiteral("m8"));
    fuses.show();
    avrdudeLeaves("226\n", "217\n");
    QTest::mouseClick(fuses.suiButton1, Qt::LeftButton);
    expectCommandLine(fuses.read_fuses_command_line(), readTail(false));
    EXPECT_TRUE(fuses.read_fuses_command_line().endsWith(QStringLiteral(":d ")));
    EXPECT_EQ(main.Log->lines(), (QStringList{"Return-Code des Programms: 0", "---Output---", "recorder ran"}));
    expectNoTransferFiles();

    // 226 = E2: l0 checked, l1 unchecked, l2 to l4 checked, l5 to l7 unchecked. No extended byte
    // was read, so its stored 0 checks every extended box.
    const bool low_checked[] = {true, false, true, true, true, false, false, false};
    for (int n = 0; n < 8; ++n)
        EXPECT_EQ(fuses.l[static_cast<std::size_t>(n)]->isChecked(), low_checked[n]) << n;
    EXPECT_EQ(labels(), (QStringList{"226", "217", "0"}));
    EXPECT_EQ(boxesByte(1), 217);
    EXPECT_EQ(boxesByte(2), 0);

    // A write right after: no read argument, and no extended argument for a device without one.
    remove_program_file(QStringLiteral("lfuse.next"));
    remove_program_file(QStringLiteral("hfuse.next"));
    QTest::mouseClick(fuses.suiButton2, Qt::LeftButton);
    expectCommandLine(fuses.write_fuses_command_line(), writeTail(QStringLiteral("E2"), QStringLiteral("D9")));
    EXPECT_FALSE(recordedArguments().join(u' ').contains(QStringLiteral(":r:")));
    expectNoTransferFiles();
}

TEST_F(FuseReadWrite, ExtendedFuseGoesBothWaysAndSmallValuesKeepOneDigit)
{
    choose(QStringLiteral("t85"));
    fuses.show();
    ASSERT_TRUE(fuses.extendedFuseFlag());

    // Write first: every extended box checked goes out as FF; 15 as F; a byte of 0 as 0.
    for (std::size_t n = 0; n < 8; ++n) {
        fuses.l[n]->setChecked(n >= 4);
        fuses.e[n]->setChecked(true);
        if (n != 5)
            fuses.h[n]->setChecked(true);
    }
    fuses.h[5]->setChecked(true);
    QTest::mouseClick(fuses.suiButton2, Qt::LeftButton);
    expectCommandLine(fuses.write_fuses_command_line(),
                      writeTail(QStringLiteral("F"), QStringLiteral("0"), QStringLiteral("FF")));

    // Then a read: its own extended argument, nothing of the write.
    avrdudeLeaves("98\n", "223\n", "254\n");
    QTest::mouseClick(fuses.suiButton1, Qt::LeftButton);
    expectCommandLine(fuses.read_fuses_command_line(), readTail(true));
    EXPECT_FALSE(recordedArguments().join(u' ').contains(QStringLiteral(":w:")));
    EXPECT_EQ(labels(), (QStringList{"98", "223", "254"}));
    EXPECT_EQ(boxesByte(0), 98);
    EXPECT_EQ(boxesByte(2), 254);
    expectNoTransferFiles();

    // And a write of what was read: 98 = 62.
    remove_program_file(QStringLiteral("lfuse.next"));
    remove_program_file(QStringLiteral("hfuse.next"));
    remove_program_file(QStringLiteral("efuse.next"));
    QTest::mouseClick(fuses.suiButton2, Qt::LeftButton);
    expectCommandLine(fuses.write_fuses_command_line(),
                      writeTail(QStringLiteral("62"), QStringLiteral("DF"), QStringLiteral("FE")));
}

TEST_F(FuseReadWrite, ANonNumericTransferFileStopsTheRead)
{
    choose(QStringLiteral("t85"));
    fuses.show();
    QTest::mouseClick(fuses.l[3], Qt::LeftButton);
    avrdudeLeaves("abc\n", "223\n", "255\n");
    ModalAnswer answer(ModalAnswer::closeMessageBox());
    QTest::mouseClick(fuses.suiButton1, Qt::LeftButton);
    ASSERT_TRUE(answer.answered());
    EXPECT_EQ(answer.seenText(), error_box_text(QStringLiteral("'abc' ist kein gültiger Integerwert")));
    // The label took the line; the boxes and the stored value did not move; the bad file is gone,
    // the two that were not reached are left for the next read.
    EXPECT_EQ(fuses.Label1->text(), QStringLiteral("abc"));
    EXPECT_TRUE(fuses.l[3]->isChecked());
    EXPECT_EQ(stored_fuse_values().low, 0);
    EXPECT_FALSE(QFileInfo::exists(program_file(QStringLiteral("lfuse.hex"))));
    EXPECT_TRUE(QFileInfo::exists(program_file(QStringLiteral("hfuse.hex"))));
    EXPECT_TRUE(QFileInfo::exists(program_file(QStringLiteral("efuse.hex"))));

    // The next read takes fresh files and shows them.
    avrdudeLeaves("226\n", "217\n", "255\n");
    QTest::mouseClick(fuses.suiButton1, Qt::LeftButton);
    EXPECT_EQ(labels(), (QStringList{"226", "217", "255"}));
    EXPECT_EQ(boxesByte(0), 226);
    expectNoTransferFiles();
}

TEST_F(FuseReadWrite, AnEmptyTransferFileStopsTheRead)
{
    choose(QStringLiteral("m8"));
    fuses.show();
    avrdudeLeaves("226\n", "");
    ModalAnswer answer(ModalAnswer::closeMessageBox());
    QTest::mouseClick(fuses.suiButton1, Qt::LeftButton);
    ASSERT_TRUE(answer.answered());
    EXPECT_EQ(answer.seenText(), error_box_text(QStringLiteral("Listenindex überschreitet das Maximum (0)")));
    // The low byte was taken before the failure; the boxes were not set from it.
    EXPECT_EQ(fuses.Label1->text(), QStringLiteral("226"));
    EXPECT_EQ(stored_fuse_values().low, 226);
    EXPECT_EQ(boxesByte(0), 255);
    expectNoTransferFiles();
}

TEST_F(FuseReadWrite, StaleTransferFilesAreTakenByTheNextRead)
{
    choose(QStringLiteral("m8"));
    fuses.show();
    write_program_file(QStringLiteral("lfuse.hex"), "100\r\n");
    QTest::mouseClick(fuses.suiButton1, Qt::LeftButton);
    EXPECT_EQ(fuses.Label1->text(), QStringLiteral("100"));
    EXPECT_EQ(boxesByte(0), 100);
    expectNoTransferFiles();
}

TEST_F(FuseReadWrite, AReadThatCannotStartSetsTheBoxesBackFromTheStoredValues)
{
    choose(QStringLiteral("m8"));
    fuses.show();
    useAvrdudePath(QStringLiteral("/nowhere/avrdude"));
    QTest::mouseClick(fuses.l[2], Qt::LeftButton);
    QTest::mouseClick(fuses.suiButton1, Qt::LeftButton);
    EXPECT_EQ(main.Log->lines(), QStringList{"Pfad zu AVRDUDE nicht OK!"});
    // Nothing read since start: every box ends up checked.
    for (int i = 0; i < 24; ++i)
        EXPECT_TRUE(fuses.bitBox(i)->isChecked()) << i;
    EXPECT_EQ(labels(), (QStringList{"0", "0", "0"}));

    // After a good read, a failing one undoes the user's changes back to what was read.
    useAvrdudePath(program_file(Recorder));
    avrdudeLeaves("226\n", "217\n");
    QTest::mouseClick(fuses.suiButton1, Qt::LeftButton);
    useAvrdudePath(QStringLiteral("/nowhere/avrdude"));
    QTest::mouseClick(fuses.l[7], Qt::LeftButton);
    QTest::mouseClick(fuses.h[0], Qt::LeftButton);
    QTest::mouseClick(fuses.suiButton1, Qt::LeftButton);
    EXPECT_EQ(labels(), (QStringList{"226", "217", "0"}));
    EXPECT_EQ(boxesByte(0), 226);
    EXPECT_EQ(boxesByte(1), 217);
}

// Renders the window after a read, to look at and to check where the controls sit.
TEST_F(FuseReadWrite, RendersAfterARead)
{
    choose(QStringLiteral("t85"));
    fuses.show();
    avrdudeLeaves("98\n", "223\n", "254\n");
    QTest::mouseClick(fuses.suiButton1, Qt::LeftButton);
    const QImage image = fuses.grab().toImage();
    ASSERT_TRUE(image.save(program_file(QStringLiteral("fuse_window.png"))));
    EXPECT_EQ(fuses.clientSize(), QSize(385, 378));

    EXPECT_EQ(fuses.suiGroupBox1->geometry(), QRect(8, 72, 121, 225));
    EXPECT_EQ(fuses.suiGroupBox2->geometry(), QRect(136, 72, 121, 225));
    EXPECT_EQ(fuses.suiGroupBox3->geometry(), QRect(264, 72, 113, 225));
    EXPECT_EQ(fuses.suiButton1->geometry(), QRect(16, 336, 80, 27));
    EXPECT_EQ(fuses.suiButton2->geometry(), QRect(104, 336, 80, 27));
    EXPECT_EQ(fuses.suiButton3->geometry(), QRect(296, 336, 80, 27));
    EXPECT_EQ(fuses.suiCheckBox1->pos(), QPoint(16, 32));
    EXPECT_EQ(fuses.suiCheckBox2->pos(), QPoint(64, 32));
    EXPECT_EQ(fuses.Label1->y(), 304);
    for (std::size_t n = 0; n < 8; ++n) {
        EXPECT_EQ(fuses.e[n]->y(), 32 + 24 * static_cast<int>(n));
        // Every caption fits its group.
        EXPECT_LE(fuses.l[n]->geometry().right(), fuses.suiGroupBox1->width()) << n;
        EXPECT_LE(fuses.h[n]->geometry().right(), fuses.suiGroupBox2->width()) << n;
        EXPECT_LE(fuses.e[n]->geometry().right(), fuses.suiGroupBox3->width()) << n;
    }
    // The label shows the read value where the window draws it.
    EXPECT_TRUE(fuses.Label3->isVisible());
    EXPECT_EQ(fuses.Label3->text(), QStringLiteral("254"));
}
