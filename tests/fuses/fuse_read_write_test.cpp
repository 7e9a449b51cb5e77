// Reading and writing fuses with a stand-in for avrdude that records its arguments and leaves
// chosen transfer files where the read command tells it to, so the exact command lines and every
// path through the transfer files can be checked.

#include "app/error_box.h"
#include "session/program_dir.h"
#include "avrdude/command_line_split.h"
#include "skin/button/tsui_button.h"
#include "skin/edit/tsui_memo.h"
#include "skin/panel/tsui_group_box.h"
#include "tests/fuses/fuse_window_fixture.h"
#include "tests/support/bad_transfer_lines.h"
#include "tests/support/modal_answer.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTest>

namespace {

const QString Recorder = QStringLiteral("record-avrdude");

class FuseReadWrite : public FuseWindowTest {
protected:
    void SetUp() override
    {
        FuseWindowTest::SetUp();
        const QString dir = program_dir();
        const QByteArray d = dir.toUtf8();
        const QByteArray script = ": > '" + d + "args.txt'\n"
                                  "for a in \"$@\"; do printf '%s\\n' \"$a\" >> '" + d + "args.txt'; done\n"
                                  "for a in \"$@\"; do\n"
                                  "  case \"$a\" in [lhe]fuse:r:*:d)\n"
                                  "    f=${a%%:*}; t=${a#*:r:}; t=${t%:d}\n"
                                  "    stat -c %a \"$(dirname \"$t\")\" > '" + d + "transfer_mode.txt'\n"
                                  "    [ -f '" + d + "'$f.next ] && cp '" + d + "'$f.next \"$t\";;\n"
                                  "  esac\n"
                                  "done\n"
                                  "echo recorder ran\n";
        useAvrdudePath(write_program_script(Recorder, script));
    }

    void TearDown() override
    {
        for (const char *name : {"lfuse.next", "hfuse.next", "efuse.next", "args.txt", "transfer_mode.txt"})
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

    // The folder the last read sent avrdude's transfer files to, with a trailing separator.
    QString transferDir() const
    {
        for (const QString &argument : recordedArguments())
            if (argument.startsWith(QStringLiteral("lfuse:r:")))
                return QFileInfo(argument.mid(8).chopped(2)).path() + u'/';
        return {};
    }

    // What the child received, after the device and port the main window shows.
    void expectArguments(const QString &after_head)
    {
        EXPECT_EQ(recordedArguments(), split_arguments(QStringLiteral(" /c / -p ") + main.avrselect->text()
                                                       + QStringLiteral(" -P ") + main.portselect->text()
                                                       + after_head));
    }

    QString quoted(const QString &name) const { return u'"' + transferDir() + name + u'"'; }

    // A read's command line after its head, with the folder it used.
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

    // The last read's folder was private to it and is gone with everything in it.
    void expectTransferDirGone()
    {
        const QString dir = transferDir();
        ASSERT_FALSE(dir.isEmpty());
        EXPECT_EQ(read_program_file(QStringLiteral("transfer_mode.txt")), QByteArray("700\n"));
        EXPECT_FALSE(QFileInfo::exists(dir)) << dir.toStdString();
    }
};

} // namespace

TEST_F(FuseReadWrite, ReadWithoutExtendedFuseThenWrite)
{
    choose(QStringLiteral("m8"));
    fuses.show();
    avrdudeLeaves("226\n", "217\n");
    QTest::mouseClick(fuses.suiButton1, Qt::LeftButton);
    expectArguments(readTail(false));
    EXPECT_EQ(main.Log->lines(), (QStringList{"Return-Code des Programms: 0", "---Output---", "recorder ran"}));
    expectTransferDirGone();

    // 226 = E2: l0 checked, l1 unchecked, l2 to l4 checked, l5 to l7 unchecked. No extended byte
    // was read, so the extended boxes keep showing 255.
    const bool low_checked[] = {true, false, true, true, true, false, false, false};
    for (int n = 0; n < 8; ++n)
        EXPECT_EQ(fuses.l[static_cast<std::size_t>(n)]->isChecked(), low_checked[n]) << n;
    EXPECT_EQ(labels(), (QStringList{"226", "217", "255"}));
    EXPECT_EQ(boxesByte(1), 217);

    // A write right after: no read argument, and no extended argument for a device without one.
    remove_program_file(QStringLiteral("lfuse.next"));
    remove_program_file(QStringLiteral("hfuse.next"));
    QTest::mouseClick(fuses.suiButton2, Qt::LeftButton);
    expectArguments(writeTail(QStringLiteral("E2"), QStringLiteral("D9")));
    EXPECT_FALSE(recordedArguments().join(u' ').contains(QStringLiteral(":r:")));
}

TEST_F(FuseReadWrite, ExtendedFuseGoesBothWaysAndSmallValuesKeepOneDigit)
{
    choose(QStringLiteral("t85"));
    fuses.show();
    ASSERT_TRUE(session.hasExtendedFuse());

    // Write first: every extended box checked goes out as FF; 15 as F; a byte of 0 as 0.
    for (std::size_t n = 0; n < 8; ++n) {
        fuses.l[n]->setChecked(n >= 4);
        fuses.e[n]->setChecked(true);
        if (n != 5)
            fuses.h[n]->setChecked(true);
    }
    fuses.h[5]->setChecked(true);
    writeConfirmingLockout();
    expectArguments(writeTail(QStringLiteral("F"), QStringLiteral("0"), QStringLiteral("FF")));

    // Then a read: its own extended argument, nothing of the write.
    avrdudeLeaves("98\n", "223\n", "254\n");
    QTest::mouseClick(fuses.suiButton1, Qt::LeftButton);
    expectArguments(readTail(true));
    EXPECT_FALSE(recordedArguments().join(u' ').contains(QStringLiteral(":w:")));
    EXPECT_EQ(labels(), (QStringList{"98", "223", "254"}));
    EXPECT_EQ(boxesByte(0), 98);
    EXPECT_EQ(boxesByte(2), 254);
    expectTransferDirGone();

    // And a write of what was read: 98 = 62.
    remove_program_file(QStringLiteral("lfuse.next"));
    remove_program_file(QStringLiteral("hfuse.next"));
    remove_program_file(QStringLiteral("efuse.next"));
    QTest::mouseClick(fuses.suiButton2, Qt::LeftButton);
    expectArguments(writeTail(QStringLiteral("62"), QStringLiteral("DF"), QStringLiteral("FE")));
}

// A transfer file that holds no fuse byte stops the read: the label takes the line, the error box
// says why, and neither the boxes nor the stored values move.
TEST_F(FuseReadWrite, ATransferFileWithoutAByteStopsTheRead)
{
    choose(QStringLiteral("t85"));
    fuses.show();
    QTest::mouseClick(fuses.l[3], Qt::LeftButton);
    QString shown = QStringLiteral("247");
    for (const BadTransferLine &c : BadTransferLines) {
        avrdudeLeaves(c.low, "0\n", "0\n");
        ModalAnswer answer(ModalAnswer::closeMessageBox());
        QTest::mouseClick(fuses.suiButton1, Qt::LeftButton);
        ASSERT_TRUE(answer.answered()) << c.message.toStdString();
        EXPECT_EQ(answer.seenText(), error_box_text(c.message));
        // The label takes the line, and an empty file leaves it as it was.
        if (!c.low.isEmpty())
            shown = QString::fromUtf8(c.low.trimmed());
        EXPECT_EQ(fuses.Label1->text(), shown);
        EXPECT_EQ(fuses.Label2->text(), QStringLiteral("223"));
        EXPECT_TRUE(fuses.l[3]->isChecked());
        EXPECT_EQ(session.lastReadFuseBytes()[FuseByte::Low], 255);
        expectTransferDirGone();
    }

    // The next read takes fresh files and shows them.
    avrdudeLeaves("226\n", "217\n", "255\n");
    QTest::mouseClick(fuses.suiButton1, Qt::LeftButton);
    EXPECT_EQ(labels(), (QStringList{"226", "217", "255"}));
    EXPECT_EQ(boxesByte(0), 226);
}

// Files under the transfer names in ProgramDir are nobody's read: another Quillon's, or planted.
TEST_F(FuseReadWrite, FilesLeftInTheProgramFolderAreNeverRead)
{
    choose(QStringLiteral("m8"));
    fuses.show();
    write_program_file(QStringLiteral("lfuse.hex"), "0\r\n");
    QTest::mouseClick(fuses.suiButton1, Qt::LeftButton);
    EXPECT_EQ(fuses.Label1->text(), QStringLiteral("255"));
    EXPECT_EQ(boxesByte(0), 255);
    EXPECT_TRUE(QFileInfo::exists(program_file(QStringLiteral("lfuse.hex"))));
}

TEST_F(FuseReadWrite, AFailedReadLeavesTheBoxesAtWhatWasLastSeenOrRead)
{
    choose(QStringLiteral("m8"));
    fuses.show();
    useAvrdudePath(QStringLiteral("/nowhere/avrdude"));
    QTest::mouseClick(fuses.l[2], Qt::LeftButton);
    QTest::mouseClick(fuses.suiButton1, Qt::LeftButton);
    EXPECT_EQ(main.Log->lines(), QStringList{"Pfad zu AVRDUDE nicht OK!"});
    // Nothing read since start: the boxes go back to what the window showed when it opened, and a
    // write sends exactly that.
    EXPECT_EQ(labels(), (QStringList{"255", "223", "255"}));
    EXPECT_FALSE(fuses.l[2]->isChecked());
    useAvrdudePath(program_file(Recorder));
    writeConfirmingLockout();
    expectArguments(writeTail(QStringLiteral("FF"), QStringLiteral("DF")));

    // After a good read, a failing one undoes the user's changes back to what was read.
    avrdudeLeaves("226\n", "217\n");
    QTest::mouseClick(fuses.suiButton1, Qt::LeftButton);
    useAvrdudePath(QStringLiteral("/nowhere/avrdude"));
    QTest::mouseClick(fuses.l[7], Qt::LeftButton);
    QTest::mouseClick(fuses.h[0], Qt::LeftButton);
    QTest::mouseClick(fuses.suiButton1, Qt::LeftButton);
    EXPECT_EQ(labels(), (QStringList{"226", "217", "255"}));
    EXPECT_EQ(boxesByte(0), 226);
    EXPECT_EQ(boxesByte(1), 217);
}

// A write that can lock the chip out asks first; Enter and Escape cancel it and nothing is sent.
TEST_F(FuseReadWrite, AWriteThatCanLockTheChipOutAsksFirst)
{
    choose(QStringLiteral("m8"));
    fuses.show();
    avrdudeLeaves("225\n", "217\n");
    QTest::mouseClick(fuses.suiButton1, Qt::LeftButton);
    const QStringList read_report = main.Log->lines();
    remove_program_file(QStringLiteral("args.txt"));

    QTest::mouseClick(fuses.h[7], Qt::LeftButton); // RSTDISBL programmed
    for (const int key : {Qt::Key_Return, Qt::Key_Escape}) {
        ModalAnswer answer(ModalAnswer::pressKeyInMessageWindow(key));
        QTest::mouseClick(fuses.suiButton2, Qt::LeftButton);
        ASSERT_TRUE(answer.answered()) << key;
        EXPECT_TRUE(answer.seenText().startsWith(QStringLiteral("Dieses Schreiben kann den Chip aussperren:\n\n"
                                                                "RSTDISBL (1 → 0) wird programmiert:")))
            << answer.seenText().toStdString();
        EXPECT_FALSE(QFileInfo::exists(program_file(QStringLiteral("args.txt")))) << key;
        EXPECT_EQ(main.Log->lines(), read_report) << key;
    }
    writeConfirmingLockout();
    expectArguments(writeTail(QStringLiteral("E1"), QStringLiteral("59")));

    // Choosing a device forgets what was read: the same bytes are now compared with nothing.
    main.avrselect->setText(QStringLiteral("m16"));
    main.avrselect->setText(QStringLiteral("m8"));
    QTest::mouseClick(fuses.h[7], Qt::LeftButton);
    // Saved to look at, then cancelled.
    ModalAnswer unread([](QWidget *modal) {
        modal->grab().save(program_file(QStringLiteral("lockout_question.png")));
        return ModalAnswer::pressKeyInMessageWindow(Qt::Key_Escape)(modal);
    });
    QTest::mouseClick(fuses.suiButton2, Qt::LeftButton);
    ASSERT_TRUE(unread.answered());
    EXPECT_TRUE(unread.seenText().startsWith(QStringLiteral("Seit der Wahl des Geräts wurden die Fuses nicht gelesen")))
        << unread.seenText().toStdString();
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
