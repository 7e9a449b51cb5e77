#include "avrdude/native_text.h"
#include "forms/file_dialog.h"
#include "forms/main/main_form.h"
#include "session/session.h"
#include "skin/accessibility/accessible_notice.h"
#include "skin/button/tsui_button.h"
#include "skin/edit/tsui_combo_box.h"
#include "skin/edit/tsui_edit.h"
#include "skin/edit/tsui_memo.h"
#include "skin/menu/tsui_main_menu.h"
#include "tests/support/modal_answer.h"
#include "tests/support/program_dir_files.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

const QString EchoArgs = QStringLiteral("echo-args");

QString test_child() { return QCoreApplication::applicationDirPath() + QStringLiteral("/../avrdude_test/test_child"); }

// The main window with avrdude replaced by the test child, so every run shows what it received.
class MainWindowRuns : public ::testing::Test {
protected:
    void SetUp() override
    {
        useAvrdudePath(write_program_script(EchoArgs, "exec '" + test_child().toUtf8() + "' echoargs \"$@\"\n"));
    }
    void TearDown() override
    {
        remove_program_file(QStringLiteral("options.ini"));
        remove_program_file(EchoArgs);
    }

    void useAvrdudePath(const QString &path)
    {
        write_program_file(QStringLiteral("options.ini"), path.toUtf8() + "\r\n");
        session.loadAvrdudePath();
    }

    void presetLog() { form.Log->appendLines({QStringLiteral("previous run")}); }

    // The file the dialog offers when the tool-bar button opens it next; the dialog is cancelled.
    QString offeredByTheNextDialog(TsuiButton *button)
    {
        QString offered;
        ModalAnswer again([&](QWidget *modal) {
            auto *dialog = qobject_cast<QFileDialog *>(modal);
            if (!dialog)
                return false;
            offered = dialog->selectedFiles().value(0);
            dialog->reject();
            return true;
        });
        form.show();
        QTest::mouseClick(button, Qt::LeftButton);
        form.hide();
        EXPECT_TRUE(again.answered());
        return offered;
    }

    Session session;
    TForm1 form{session};
};

} // namespace

TEST_F(MainWindowRuns, EmptyCommandShowsTheErrorDialogAndLeavesTheLog)
{
    presetLog();
    form.command->clear();
    QString copied;
    ModalAnswer answer([&copied](QWidget *modal) {
        if (modal->objectName() != QLatin1String("frmMsg"))
            return false;
        QTest::keyClick(modal->focusWidget(), Qt::Key_C, Qt::ControlModifier);
        copied = QGuiApplication::clipboard()->text();
        return ModalAnswer::pressKeyInMessageWindow(Qt::Key_Return)(modal);
    });
    QTest::mouseClick(form.suiButton1, Qt::LeftButton);
    ASSERT_TRUE(answer.answered());
    EXPECT_EQ(answer.seenTitle(), QStringLiteral("Fehler!"));
    EXPECT_EQ(answer.seenText(), QStringLiteral("Sie haben kein Komando eigegeben!"));
    const QString rule(27, u'-');
    EXPECT_EQ(copied, rule + "\r\nFehler!\r\n" + rule + "\r\nSie haben kein Komando eigegeben!\r\n" + rule +
                          "\r\nOK\r\n" + rule);
    EXPECT_EQ(form.Log->lines(), QStringList{QStringLiteral("previous run")});
}

TEST_F(MainWindowRuns, BlanksAreACommandAndTheTextStays)
{
    presetLog();
    form.command->setText(QStringLiteral("   "));
    QTest::mouseClick(form.suiButton1, Qt::LeftButton);
    EXPECT_EQ(form.Log->lines(), (QStringList{"Return-Code des Programms: 0", "---Output---", "/c", "/"}));
    EXPECT_EQ(form.command->text(), QStringLiteral("   "));
}

TEST_F(MainWindowRuns, FreeCommandReportsBothStreamsAndDecodesOemText)
{
    useAvrdudePath(test_child());
    form.command->setText(QStringLiteral("out:\\x81ber\\r\\n\\r\\nx err:e1\\re2\\n exit:1"));
    QTest::mouseClick(form.suiButton1, Qt::LeftButton);
    EXPECT_EQ(form.Log->lines(), (QStringList{"Return-Code des Programms: 1", "---Output---", "über", "", "x",
                                              "---Errors---", "e1", "e2"}));
}

// A screen reader is told how the run ended by a notice that is shown then, and that no one sees.
TEST_F(MainWindowRuns, TheEndOfARunIsAnnouncedByANoticeThatDrawsNothing)
{
    form.show();
    form.command->setText(QStringLiteral("exit:3"));
    useAvrdudePath(test_child());
    QTest::mouseClick(form.suiButton1, Qt::LeftButton);
    auto *notice = form.findChild<AccessibleNotice *>();
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->isVisible());
    EXPECT_EQ(notice->text(), QStringLiteral("Return-Code des Programms: 3"));
    const QImage announcing = form.grab().toImage();
    notice->hide();
    EXPECT_EQ(form.grab().toImage(), announcing);
    form.hide();
}

TEST_F(MainWindowRuns, APathThatNamesNothingGivesTheFailureLines)
{
    useAvrdudePath(QStringLiteral("/nowhere/avrdude"));
    presetLog();
    form.command->setText(QStringLiteral("-p m8"));
    QTest::mouseClick(form.suiButton1, Qt::LeftButton);
    EXPECT_EQ(form.Log->lines(), (QStringList{"Pfad zu AVRDUDE nicht OK!", "/nowhere/avrdude",
                                              "Passen sie den Pfad unter Einstellungen -> Optionen an!"}));
    EXPECT_EQ(AccessibleNotice::of(form.Log)->text(),
              "Pfad zu AVRDUDE nicht OK! /nowhere/avrdude Passen sie den Pfad unter Einstellungen -> Optionen an!");

    useAvrdudePath(QString());
    ModalAnswer erase(ModalAnswer::clickMessageWindowButton(2));
    form.ChipLoeschenClick();
    ASSERT_TRUE(erase.answered());
    EXPECT_EQ(form.Log->lines(), QStringList{QStringLiteral("Pfad zu AVRDUDE nicht OK!")});
}

// A path with a blank, unquoted as users type it, runs that program and never a shorter prefix
// of it, even where one is runnable.
TEST_F(MainWindowRuns, APathWithABlankRunsThatProgramOnly)
{
    write_program_script(QStringLiteral("my"), "echo planted ran\n");
    const QString avrdude = write_program_script(QStringLiteral("my tools/avrdude"), "echo avrdude ran\n");
    for (const QString &path : {avrdude, u'"' + avrdude + u'"'}) {
        useAvrdudePath(path);
        form.command->setText(QStringLiteral("-p m8"));
        QTest::mouseClick(form.suiButton1, Qt::LeftButton);
        EXPECT_EQ(form.Log->lines(), (QStringList{"Return-Code des Programms: 0", "---Output---", "avrdude ran"}));
    }
    remove_program_file(QStringLiteral("my tools/avrdude"));
    remove_program_file(QStringLiteral("my"));
}

TEST_F(MainWindowRuns, CancelledFileDialogLeavesTheLog)
{
    presetLog();
    for (auto handler : {&TForm1::suiButton4Click, &TForm1::suiButton5Click, &TForm1::suiButton2Click,
                         &TForm1::suiButton3Click}) {
        ModalAnswer answer(ModalAnswer::cancelFileDialog());
        (form.*handler)();
        ASSERT_TRUE(answer.answered());
        EXPECT_EQ(form.Log->lines(), QStringList{QStringLiteral("previous run")});
    }
}

TEST_F(MainWindowRuns, MenuAndToolBarOpenTheSameDialogAndRememberTheName)
{
    QTemporaryDir dir;
    const QString hex = dir.path() + QStringLiteral("/Übung 100% #1/a.hex");
    ASSERT_TRUE(QDir().mkpath(dir.path() + QStringLiteral("/Übung 100% #1")));
    QString filter_seen;
    ModalAnswer answer([&](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        if (dialog != form.OpenDialog1)
            return false;
        filter_seen = dialog->nameFilters().join(u';');
        return ModalAnswer::chooseFile(hex)(dialog);
    });
    form.menuFlashProgrammieren->Click();
    ASSERT_TRUE(answer.answered());
    EXPECT_EQ(filter_seen, QStringLiteral("Hex-Files (*.hex)"));
    EXPECT_EQ(form.Log->lines().mid(2),
              (QStringList{"/c", "/", "-p", "m8", "-P", "USB", "-E", "noreset,novcc", "-c", "usbasp", "-e",
                           "-U", "flash:w:" + hex + ":a"}));

    // The next showing offers the same file again.
    EXPECT_EQ(offeredByTheNextDialog(form.suiButton5), hex);
}

// A desktop's own dialog answers with a URL; a name that is not UTF-8 keeps its bytes.
TEST(FileDialogAnswer, AUrlNamesTheFileByteForByte)
{
    EXPECT_EQ(local_file_of(QUrl(QStringLiteral("file:///home/u/lat%E4in.hex"))), native_text("/home/u/lat\xe4in.hex"));
    const QString typed = QStringLiteral("/home/u/Übung 100% #1.hex");
    EXPECT_EQ(local_file_of(QUrl::fromLocalFile(typed)), typed);
}

TEST_F(MainWindowRuns, SaveDialogTakesAnExistingNameWithoutAskingAndOffersItAgain)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("readback"));
    {
        QFile existing(file);
        ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
        existing.write("old contents");
    }
    // A question would stand over the file dialog; both are then closed so that the test ends.
    ModalAnswer question(
        [](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            if (!box)
                return false;
            box->reject();
            QMetaObject::invokeMethod(box->parentWidget(), "reject", Qt::QueuedConnection);
            return true;
        },
        5000);
    ModalAnswer answer(ModalAnswer::chooseFile(file));
    form.menuEepromAuslesen->Click();
    ASSERT_TRUE(answer.answered());
    EXPECT_FALSE(question.answered()) << "asked before replacing " << file.toStdString();
    EXPECT_EQ(form.Log->lines().last(), QStringLiteral("eeprom:r:%1:i").arg(file));

    // The next read-out offers the name chosen last.
    EXPECT_EQ(offeredByTheNextDialog(form.suiButton2), file);
}

TEST(MainWindowStart, AMissingSettingsFileIsReportedAndTheWindowStillShows)
{
    remove_program_file(QStringLiteral("options.ini"));
    Session session;
    TForm1 form{session};
    session.setParameters({QStringLiteral("m16")});
    ModalAnswer answer(ModalAnswer::closeMessageBox());
    form.show();
    QTRY_VERIFY_WITH_TIMEOUT(answer.answered(), 10000);
    EXPECT_EQ(answer.seenText(),
              QStringLiteral("Datei %1 kann nicht geöffnet werden.").arg(program_file(QStringLiteral("options.ini"))));
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.avrselect->text(), QStringLiteral("m8")) << "parameters are not applied";
    form.hide();
}
