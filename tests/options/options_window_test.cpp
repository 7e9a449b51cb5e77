#include "session/session.h"
#include "session/settings.h"
#include "forms/options/driver_form.h"
#include "forms/options/options_form.h"
#include "skin/button/tsui_button.h"
#include "skin/button/tsui_radio_button.h"
#include "skin/edit/tsui_edit.h"
#include "skin/edit/tsui_memo.h"
#include "tests/options/modal_watchdog.h"
#include "tests/support/modal_answer.h"
#include "tests/support/program_dir_files.h"
#include "tests/support/window_watch.h"

#include <QEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QFile>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

const QString Settings = QStringLiteral("options.ini");
const QByteArray ThreeLines = "/opt/old/avrdude\r\nzwei\r\ndrei\r\n";

// Types the full name into the file dialog's name field and confirms, as a user would; a
// selection made through the dialog's directory model would race its loading.
ModalAnswer::Answer type_file_name(const QString &file_name)
{
    return [file_name](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        auto *name_edit = dialog ? dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")) : nullptr;
        if (!name_edit)
            return false;
        name_edit->setText(file_name);
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        return true;
    };
}

// A driver script of the test's own: the window's behaviour, not the machine's driver.
void write_script(const QString &name, const QByteArray &body)
{
    write_program_file(name, "#!/bin/sh\n" + body);
    QFile::setPermissions(program_file(name), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

class OptionsWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        write_program_file(Settings, ThreeLines);
        session.loadAvrdudePath();
        options.setDriverWindow(&driver);
        write_script(QStringLiteral("install_giveio.bat"), "echo installiert\nexit 0\n");
        write_script(QStringLiteral("remove_giveio.bat"), "echo entfernt\necho Warnung >&2\nexit 3\n");
    }
    void TearDown() override
    {
        EXPECT_FALSE(watchdog.fired()) << "a modal window was left open";
        remove_program_file(Settings);
        remove_program_file(QStringLiteral("install_giveio.bat"));
        remove_program_file(QStringLiteral("remove_giveio.bat"));
    }

    // Shows the options window, types the path, checks the given radio button (if any) by a
    // click and saves; the driver window, when it opens, is read and closed with "&OK".
    int saveWith(const QString &path, TsuiRadioButton *radio)
    {
        ModalAnswer driver_answer(when_shown(driver, [this] {
            driver_log = driver.log->lines();
            QTest::mouseClick(driver.suiButton1, Qt::LeftButton);
        }));
        ModalAnswer options_answer(when_shown(options, [this, path, radio] {
            options.suiEdit1->setText(path);
            if (radio)
                QTest::mouseClick(radio, Qt::LeftButton);
            QTest::mouseClick(options.suiButton2, Qt::LeftButton);
        }));
        return options.ShowModal();
    }

    ModalWatchdog watchdog;
    Session session;
    TForm4 options{session};
    TForm6 driver{options};
    ShowCounter driver_shows{driver};
    QStringList driver_log;
};

} // namespace

TEST_F(OptionsWindow, ShowingFillsThePathAndTheRadioButtonsFormOneGroup)
{
    ModalAnswer answer(when_shown(options, [this] {
        EXPECT_EQ(options.suiEdit1->text(), QStringLiteral("/opt/old/avrdude"));
        EXPECT_FALSE(options.io1->isChecked());
        EXPECT_FALSE(options.io2->isChecked());
        QTest::mouseClick(options.io1, Qt::LeftButton);
        EXPECT_TRUE(options.io1->isChecked());
        QTest::mouseClick(options.io2, Qt::LeftButton);
        EXPECT_TRUE(options.io2->isChecked());
        EXPECT_FALSE(options.io1->isChecked());
        // A click on a checked radio button leaves it checked.
        QTest::mouseClick(options.io2, Qt::LeftButton);
        EXPECT_TRUE(options.io2->isChecked());
        options.close();
    }));
    EXPECT_EQ(options.ShowModal(), mrCancel);
    ASSERT_TRUE(answer.answered());

    // The choice does not survive into the next showing.
    ModalAnswer again(when_shown(options, [this] {
        EXPECT_FALSE(options.io1->isChecked());
        EXPECT_FALSE(options.io2->isChecked());
        options.close();
    }));
    options.ShowModal();
    ASSERT_TRUE(again.answered());
}

TEST_F(OptionsWindow, SavingWithoutADriverChoiceWritesThePathAndClosesTheWindow)
{
    saveWith(QStringLiteral("/usr/local/bin/avr dude"), nullptr);
    EXPECT_FALSE(options.isVisible());
    EXPECT_EQ(read_program_file(Settings), QByteArray("/usr/local/bin/avr dude\r\nzwei\r\ndrei\r\n"));
    EXPECT_EQ(session.avrdudePath(), QStringLiteral("/usr/local/bin/avr dude"));
    EXPECT_EQ(driver_shows.shows, 0);
}

TEST_F(OptionsWindow, RemovingTheDriverRunsTheRemoveScriptAndShowsItsReport)
{
    saveWith(QStringLiteral("/usr/bin/avrdude"), options.io2);
    EXPECT_EQ(driver_shows.shows, 1);
    EXPECT_EQ(driver_log, (QStringList{"Return-Code des Programms: 3", "---Output---", "entfernt", "---Errors---",
                                       "Warnung"}));
    EXPECT_FALSE(driver.isVisible());
    EXPECT_FALSE(options.isVisible());
    EXPECT_EQ(session.avrdudePath(), QStringLiteral("/usr/bin/avrdude"));
}

TEST_F(OptionsWindow, InstallingTheDriverRunsTheInstallScript)
{
    saveWith(QStringLiteral("/usr/bin/avrdude"), options.io1);
    EXPECT_EQ(driver_log, (QStringList{"Return-Code des Programms: 0", "---Output---", "installiert"}));
}

TEST_F(OptionsWindow, AMissingScriptIsReportedInTheDriverWindow)
{
    remove_program_file(QStringLiteral("remove_giveio.bat"));
    saveWith(QStringLiteral("/usr/bin/avrdude"), options.io2);
    EXPECT_EQ(driver_log, QStringList{QStringLiteral("Es ist ein Fehler aufgetreten!")});
}

TEST_F(OptionsWindow, APathChosenWithSuchenIsNotSavedWhenTheWindowIsClosedByItsFrame)
{
    // Any name is taken, also one of a file that does not exist yet.
    const QString chosen = QStringLiteral("/opt/neu/avrdude");
    ModalAnswer dialog(type_file_name(chosen));
    ModalAnswer answer(when_shown(options, [this, chosen] {
        QTest::mouseClick(options.suiButton1, Qt::LeftButton);
        EXPECT_EQ(options.suiEdit1->text(), chosen);
        options.close();
    }));
    EXPECT_EQ(options.ShowModal(), mrCancel);
    EXPECT_TRUE(dialog.answered());
    EXPECT_EQ(read_program_file(Settings), ThreeLines);
    EXPECT_EQ(session.avrdudePath(), QStringLiteral("/opt/old/avrdude"));
}

// A read-only file is copied into the user's folder; where that cannot be made either (a file
// stands in its way), the save fails.
TEST_F(OptionsWindow, AReadOnlySettingsFileWithoutAUserFolderIsReportedAndTheWindowStaysOpen)
{
    QFile::setPermissions(program_file(Settings), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    struct UserFolderBlocked {
        const QByteArray kept = qgetenv("XDG_CONFIG_HOME");
        UserFolderBlocked() { qputenv("XDG_CONFIG_HOME", program_file(Settings).toLocal8Bit()); }
        ~UserFolderBlocked() { qputenv("XDG_CONFIG_HOME", kept); }
    } blocked;
    // The failure ends the handler, not the click: a slot connected after it still runs.
    int later_slots = 0;
    QObject::connect(options.suiButton2, &TsuiButton::OnClick, [&later_slots] { ++later_slots; });
    bool still_open = false;
    ModalAnswer error_box(ModalAnswer::closeMessageBox());
    ModalAnswer answer(when_shown(options, [this, &still_open] {
        options.suiEdit1->setText(QStringLiteral("/opt/neu/avrdude"));
        QTest::mouseClick(options.io1, Qt::LeftButton);
        QTest::mouseClick(options.suiButton2, Qt::LeftButton);
        still_open = options.isVisible();
        options.close();
    }));
    options.ShowModal();
    ASSERT_TRUE(error_box.answered());
    EXPECT_EQ(error_box.seenText(),
              QStringLiteral("Datei %1 kann nicht erstellt werden.").arg(user_settings_file_name()));
    EXPECT_TRUE(still_open);
    EXPECT_EQ(later_slots, 1);
    EXPECT_EQ(driver_shows.shows, 0);
    EXPECT_EQ(read_program_file(Settings), ThreeLines);
}

TEST_F(OptionsWindow, AMissingSettingsFileIsReportedAndTheEditKeepsItsText)
{
    remove_program_file(Settings);
    options.suiEdit1->setText(QStringLiteral("vorher"));
    ModalAnswer error_box(ModalAnswer::closeMessageBox());
    ModalAnswer answer(when_shown(options, [this] { options.close(); }));
    options.ShowModal();
    ASSERT_TRUE(error_box.answered());
    EXPECT_EQ(error_box.seenText(),
              QStringLiteral("Datei %1 kann nicht geöffnet werden.").arg(program_file(Settings)));
    EXPECT_EQ(options.suiEdit1->text(), QStringLiteral("vorher"));
}
