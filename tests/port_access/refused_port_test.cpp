// The help the log adds when the system refuses avrdude the programmer: the real avrdude on a
// pseudo-terminal this user may not open, the real avrdude on a port that does not exist, and a
// stand-in that prints what avrdude 7.1 prints for a USB programmer it found but could not open.

#include "avrdude/access_help.h"
#include "forms/main/main_form.h"
#include "session/session.h"
#include "skin/button/tsui_button.h"
#include "skin/edit/tsui_edit.h"
#include "skin/edit/tsui_memo.h"
#include "tests/port_access/denied_port.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>


namespace {

class RefusedPort : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
        // The port locks in a folder this user (nobody) may write.
        qputenv("QUILLON_PORT_LOCK_DIR", home.path().toUtf8());
        useAvrdudePath(QStringLiteral("/usr/bin/avrdude"));
    }

    void useAvrdudePath(const QString &path)
    {
        ASSERT_TRUE(QDir().mkpath(home.filePath(QStringLiteral("config/quillon"))));
        QFile settings(home.filePath(QStringLiteral("config/quillon/options.ini")));
        ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
        settings.write(path.toUtf8() + "\r\n");
        settings.close();
        session.loadAvrdudePath();
    }

    // Sends a free command, as the user would, and returns the log.
    QStringList send(const QString &arguments)
    {
        form.command->setText(arguments);
        QTest::mouseClick(form.suiButton1, Qt::LeftButton);
        return form.Log->lines();
    }

    // The report as avrdude left it, then the help; the lines from "---Hilfe---" on.
    static QStringList helpOf(const QStringList &log)
    {
        const qsizetype at = log.indexOf(QStringLiteral("---Hilfe---"));
        return at < 0 ? QStringList() : log.mid(at);
    }

    QTemporaryDir home;
    Session session;
    TForm1 form{session};
};

} // namespace

TEST_F(RefusedPort, ASerialPortThisUserMayNotOpen)
{
    const QString port = qEnvironmentVariable(DeniedPortVariable);
    ASSERT_FALSE(port.isEmpty());
    const QStringList log = send(QStringLiteral("-p m8 -c avr910 -P ") + port);
    ASSERT_GE(log.size(), 3);
    EXPECT_EQ(log.first(), QStringLiteral("Return-Code des Programms: 1"));
    // avrdude's own lines first, untouched.
    const qsizetype refused = log.indexOf(QStringLiteral("avrdude OS error: cannot open port ") + port
                                          + QStringLiteral(": Permission denied"));
    ASSERT_GE(refused, 0) << log.join(u'\n').toStdString();
    EXPECT_EQ(log.indexOf(QStringLiteral("---Errors---")), refused - 1);

    const QString user = login_name();
    const QString group = qEnvironmentVariable(DeniedPortGroupVariable);
    QStringList expected{QStringLiteral("---Hilfe---"),
                         QStringLiteral("Der Port %1 ließ sich nicht öffnen: Benutzer „%2“ hat keine Berechtigung dafür.")
                             .arg(port, user)};
    if (group.isEmpty()) {
        // Not started as root: the port is the user's own, closed to everyone.
        expected << QStringLiteral("Das Gerät (Gruppe „%1“) ist für keine Gruppe freigegeben, in die sich ein "
                                   "Benutzer aufnehmen sollte; eine udev-Regel muss es freigeben, etwa mit "
                                   "GROUP=\"dialout\", MODE=\"0660\".")
                        .arg(QFileInfo(port).group());
        EXPECT_EQ(helpOf(log), expected);
        return;
    }
    EXPECT_EQ(user, QStringLiteral("nobody"));
    expected << QStringLiteral("Öffnen darf ihn die Gruppe „%1“, der das Gerät gehört. So nehmen Sie sich in "
                               "diese Gruppe auf:")
                    .arg(group)
             << QStringLiteral("sudo usermod -aG %1 nobody").arg(group)
             << QStringLiteral("Melden Sie sich danach ab und wieder an: Erst mit der neuen Anmeldung gilt die Gruppe.");
    EXPECT_EQ(helpOf(log), expected);
}

TEST_F(RefusedPort, APortThatDoesNotExistGetsOneLine)
{
    const QStringList log = send(QStringLiteral("-p m8 -c avr910 -P com1"));
    EXPECT_TRUE(log.contains(QStringLiteral("avrdude OS error: cannot open port com1: No such file or directory")));
    EXPECT_EQ(helpOf(log), (QStringList{QStringLiteral("---Hilfe---"),
                                        QStringLiteral("Den Port „com1“ gibt es auf diesem System nicht; die "
                                                       "vorhandenen seriellen Ports bietet die Liste \"Port:\" an.")}));
}

TEST_F(RefusedPort, AUsbProgrammerFoundButNotOpened)
{
    // avrdude 7.1's lines for a USBasp whose device node the user may not open (its usbasp_open
    // warns for each device it cannot open, then finds none).
    const QString stand_in = home.filePath(QStringLiteral("avrdude-usb-denied"));
    QFile script(stand_in);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\n"
                 "printf '%s\\n' \"avrdude warning: cannot open USB device: Permission denied\" "
                 "\"avrdude error: cannot find USB device with vid=0x16c0 pid=0x5dc vendor='www.fischl.de' "
                 "product='USBasp'\" \"avrdude error: unable to open programmer usbasp on port usb\" \"\" "
                 "\"avrdude done.  Thank you.\" \"\" >&2\n"
                 "exit 1\n");
    script.close();
    ASSERT_TRUE(script.setPermissions(QFile::ReadOwner | QFile::ExeOwner));
    useAvrdudePath(stand_in);

    const QStringList log = send(QStringLiteral("-p m8 -c usbasp -P usb"));
    EXPECT_EQ(log.mid(0, 3), (QStringList{"Return-Code des Programms: 1", "---Errors---",
                                          "avrdude warning: cannot open USB device: Permission denied"}));
    EXPECT_EQ(log.indexOf(QStringLiteral("avrdude done.  Thank you.")), log.indexOf(QStringLiteral("---Hilfe---")) - 2);
    EXPECT_EQ(helpOf(log),
              (QStringList{QStringLiteral("---Hilfe---"),
                           QStringLiteral("Ein USB-Programmer wurde gefunden, ließ sich aber nicht öffnen: Benutzer "
                                          "„%1“ fehlt die Berechtigung.")
                               .arg(login_name()),
                           QStringLiteral("Das Paket avrdude bringt udev-Regeln mit, die dem angemeldeten Benutzer den "
                                          "Zugriff auf bekannte Programmer geben."),
                           QStringLiteral("Ziehen Sie den Programmer ab und stecken Sie ihn wieder an, damit die "
                                          "Regeln greifen."),
                           QStringLiteral("Ob das System den Programmer erkennt, zeigt der Befehl: lsusb")}));
}
