// The fuse window: its boxes and labels, the description files, and how it is opened.

#include "app/error_box.h"
#include "session/program_dir.h"
#include "skin/button/tsui_button.h"
#include "skin/menu/tsui_main_menu.h"
#include "tests/fuses/fuse_window_fixture.h"
#include "tests/support/modal_answer.h"

#include <QLineEdit>
#include <QTest>

namespace {

const QStringList M8Low = {"CKSEL0", "CKSEL1", "CKSEL2", "CKSEL3", "SUT0", "SUT1", "BODEN", "BODLEVEL"};
const QStringList M8High = {"BOOTRST", "BOOTSZ0", "BOOTSZ1", "EESAVE", "CKOPT", "SPIEN", "WDTON", "RSTDISBL"};
const QStringList GenericByte = {"Bit 0", "Bit 1", "Bit 2", "Bit 3", "Bit 4", "Bit 5", "Bit 6", "Bit 7"};

QByteArray numbered_lines(int count, const QByteArray &stem)
{
    QByteArray text;
    for (int i = 0; i < count; ++i)
        text += stem + QByteArray::number(i) + "\r\n";
    return text;
}

} // namespace

TEST_F(FuseWindowTest, FirstShowingShowsLabelsAndTheDeviceCaptions)
{
    choose(QStringLiteral("m8"));
    fuses.show();
    EXPECT_EQ(labels(), (QStringList{"255", "223", "255"}));
    EXPECT_EQ(captions(0, 8), M8Low);
    EXPECT_EQ(captions(8, 8), M8High);
    EXPECT_EQ(fuses.bitBox(17)->text(), QStringLiteral("UNUSED"));
    EXPECT_FALSE(session.hasExtendedFuse());
    // Only h5 is checked and disabled; the legend is disabled and shows both senses.
    for (int i = 0; i < 24; ++i) {
        EXPECT_EQ(fuses.bitBox(i)->isChecked(), i == 13) << i;
        EXPECT_EQ(fuses.bitBox(i)->isEnabled(), i != 13) << i;
    }
    EXPECT_TRUE(fuses.suiCheckBox1->isChecked());
    EXPECT_FALSE(fuses.suiCheckBox1->isEnabled());
    EXPECT_FALSE(fuses.suiCheckBox2->isChecked());
    EXPECT_FALSE(fuses.suiCheckBox2->isEnabled());
}

TEST_F(FuseWindowTest, ClicksAndProgramChangesRecomputeTheLabels)
{
    choose(QStringLiteral("m8"));
    fuses.show();
    QTest::mouseClick(fuses.l[7], Qt::LeftButton);
    EXPECT_EQ(fuses.Label1->text(), QStringLiteral("127"));
    QTest::mouseClick(fuses.h[5], Qt::LeftButton); // disabled: nothing changes
    EXPECT_TRUE(fuses.h[5]->isChecked());
    EXPECT_EQ(fuses.Label2->text(), QStringLiteral("223"));

    fuses.e[0]->setChecked(true);
    EXPECT_EQ(fuses.Label3->text(), QStringLiteral("254"));
    // Assigning the state a box already has recomputes nothing.
    fuses.Label3->setText(QStringLiteral("untouched"));
    fuses.e[0]->setChecked(true);
    EXPECT_EQ(fuses.Label3->text(), QStringLiteral("untouched"));

    QTest::mouseClick(fuses.l[7], Qt::LeftButton);
    EXPECT_EQ(labels(), (QStringList{"255", "223", "254"}));
    for (TsuiCheckBox *box : fuses.l)
        box->setChecked(true);
    EXPECT_EQ(fuses.Label1->text(), QStringLiteral("0"));
}

TEST_F(FuseWindowTest, OpenedFromTheMainWindowWithoutBlockingAndModally)
{
    choose(QStringLiteral("m8"));
    QTest::mouseClick(main.suiButton6, Qt::LeftButton);
    EXPECT_TRUE(fuses.isVisible());
    EXPECT_FALSE(fuses.isModal());
    EXPECT_EQ(captions(0, 8), M8Low);
    QTest::mouseClick(fuses.suiButton3, Qt::LeftButton);
    EXPECT_FALSE(fuses.isVisible());

    choose(QStringLiteral("t85"));
    main.menuFuses->Click();
    EXPECT_TRUE(fuses.isVisible());
    EXPECT_EQ(fuses.bitBox(16)->text(), QStringLiteral("SELFPRGEN"));
    EXPECT_TRUE(session.hasExtendedFuse());
    fuses.hide();

    // The external window opens it modally; the show handler runs there too.
    choose(QStringLiteral("m8"));
    QStringList captions_seen;
    ModalAnswer answer([&](QWidget *modal) {
        if (modal != &fuses)
            return false;
        captions_seen = captions(0, 8);
        QTest::mouseClick(fuses.suiButton3, Qt::LeftButton);
        return true;
    });
    EXPECT_EQ(fuses.ShowModal(), mrCancel);
    EXPECT_TRUE(answer.answered());
    EXPECT_EQ(captions_seen, M8Low);
}

TEST_F(FuseWindowTest, BoxStatesSurviveHidingButCaptionsFollowTheDevice)
{
    choose(QStringLiteral("m8"));
    fuses.show();
    QTest::mouseClick(fuses.l[0], Qt::LeftButton);
    QTest::mouseClick(fuses.suiButton3, Qt::LeftButton);
    // Changing the device while the window is closed only matters at the next showing.
    choose(QStringLiteral("t85"));
    EXPECT_EQ(captions(0, 8), M8Low);
    fuses.show();
    EXPECT_TRUE(fuses.l[0]->isChecked());
    EXPECT_EQ(fuses.Label1->text(), QStringLiteral("254"));
    EXPECT_EQ(fuses.bitBox(8)->text(), QStringLiteral("BODLEVEL0"));
}

// While the window is shown, another device in the main window, chosen or typed, brings its
// captions and its extended fuse at once; the boxes keep their bytes.
TEST_F(FuseWindowTest, WhileShownTheCaptionsFollowTheDevice)
{
    choose(QStringLiteral("m8"));
    fuses.show();
    QTest::mouseClick(fuses.l[0], Qt::LeftButton);
    main.avrselect->setCurrentIndex(main.avrselect->findText(QStringLiteral("t85")));
    EXPECT_EQ(fuses.bitBox(8)->text(), QStringLiteral("BODLEVEL0"));
    EXPECT_EQ(fuses.bitBox(16)->text(), QStringLiteral("SELFPRGEN"));
    EXPECT_TRUE(session.hasExtendedFuse());
    EXPECT_EQ(labels(), (QStringList{"254", "223", "255"}));
    EXPECT_TRUE(fuses.l[0]->isChecked());

    main.avrselect->lineEdit()->clear();
    QTest::keyClicks(main.avrselect->lineEdit(), QStringLiteral("m8"));
    EXPECT_EQ(captions(8, 8), M8High);
    EXPECT_FALSE(session.hasExtendedFuse());
    main.avrselect->lineEdit()->setText(QStringLiteral("m8x"));
    EXPECT_EQ(captions(8, 8), GenericByte);
}

TEST_F(FuseWindowTest, ADeviceWithoutAFileGetsTheFallbackCaptions)
{
    remove_program_file(QStringLiteral("fuses/t85.fuse"));
    choose(QStringLiteral("t85"));
    fuses.show();
    EXPECT_EQ(captions(0, 8), GenericByte);
    EXPECT_EQ(captions(8, 8), GenericByte);
    EXPECT_EQ(captions(16, 8), GenericByte);
    EXPECT_TRUE(session.hasExtendedFuse());
}

TEST_F(FuseWindowTest, OnlyExactlyUnusedMarksADeviceWithoutExtendedFuse)
{
    QByteArray text = numbered_lines(24, "Cap");
    text.replace("Cap17", "unused");
    write_program_file(QStringLiteral("fuses/lower.fuse"), text + "line 25 is ignored\r\n");
    choose(QStringLiteral("lower"));
    fuses.show();
    EXPECT_TRUE(session.hasExtendedFuse());
    EXPECT_EQ(fuses.bitBox(17)->text(), QStringLiteral("unused"));
    EXPECT_EQ(fuses.bitBox(23)->text(), QStringLiteral("Cap23"));
    // High-fuse bit 5 takes any caption the file gives and still cannot be changed.
    EXPECT_EQ(fuses.bitBox(13)->text(), QStringLiteral("Cap13"));
    EXPECT_FALSE(fuses.bitBox(13)->isEnabled());
    remove_program_file(QStringLiteral("fuses/lower.fuse"));
}

TEST_F(FuseWindowTest, AShortFileSetsWhatItHasAndFailsAtTheFirstMissingLine)
{
    choose(QStringLiteral("m8"));
    fuses.show();
    fuses.hide();
    ASSERT_FALSE(session.hasExtendedFuse());

    // Twenty lines, the marker line among them not "UNUSED": the flag must still keep its value.
    write_program_file(QStringLiteral("fuses/short.fuse"), numbered_lines(20, "Short"));
    choose(QStringLiteral("short"));
    ModalAnswer answer(ModalAnswer::closeMessageBox());
    fuses.show();
    ASSERT_TRUE(answer.answered());
    EXPECT_EQ(answer.seenText(), error_box_text(QStringLiteral("Listenindex überschreitet das Maximum (20)")));
    EXPECT_TRUE(fuses.isVisible());
    EXPECT_EQ(fuses.bitBox(19)->text(), QStringLiteral("Short19"));
    EXPECT_EQ(captions(20, 4), (QStringList{"-", "-", "-", "-"}));
    EXPECT_FALSE(session.hasExtendedFuse());
    remove_program_file(QStringLiteral("fuses/short.fuse"));
}

TEST_F(FuseWindowTest, NoFileAtAllNamesTheFallbackAndKeepsTheCaptions)
{
    choose(QStringLiteral("m8"));
    fuses.show();
    fuses.hide();
    remove_program_file(QStringLiteral("fuses/no.fuse"));
    choose(QStringLiteral("nothing"));
    ModalAnswer answer(ModalAnswer::closeMessageBox());
    fuses.show();
    ASSERT_TRUE(answer.answered());
    EXPECT_EQ(answer.seenText(), error_box_text(QStringLiteral("Datei %1fuses/no.fuse kann nicht geöffnet werden")
                                                    .arg(program_dir())));
    EXPECT_TRUE(fuses.isVisible());
    EXPECT_EQ(captions(0, 8), M8Low);
    EXPECT_FALSE(session.hasExtendedFuse());
    EXPECT_EQ(labels(), (QStringList{"255", "223", "255"}));
}
