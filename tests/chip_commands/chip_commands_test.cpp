// The main window's chip commands end to end: the real avrdude against the simulated programmer.
#include "forms/main/main_form.h"
#include "session/session.h"
#include "skin/edit/tsui_combo_box.h"
#include "skin/edit/tsui_edit.h"
#include "skin/edit/tsui_memo.h"
#include "skin/menu/tsui_main_menu.h"
#include "tests/support/avr910_simulator.h"
#include "tests/support/intel_hex.h"
#include "tests/support/modal_answer.h"
#include "tests/support/program_dir_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class ChipCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(files.isValid());
        write_program_file(QStringLiteral("options.ini"), "/usr/bin/avrdude\r\n");
        session.loadAvrdudePath();
        form.avrselect->setText(QStringLiteral("m8"));
        form.progselect->setText(QStringLiteral("avr910"));
        form.portselect->setText(QString::fromStdString(chip.port()));
    }

    QString writeHex(const QString &name, const QByteArray &data)
    {
        const QString path = files.path() + u'/' + name;
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(to_intel_hex(data));
        return path;
    }

    // Runs a tool-bar or menu command whose file dialog is answered with file_name.
    void runWithFile(void (TForm1::*handler)(), const QString &file_name)
    {
        ModalAnswer answer(ModalAnswer::chooseFile(file_name));
        (form.*handler)();
        ASSERT_TRUE(answer.answered());
    }

    static QByteArray readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir files;
    Avr910Simulator chip;
    Session session;
    TForm1 form{session};
};

QByteArray pattern(int size, int seed)
{
    QByteArray data;
    for (int i = 0; i < size; ++i)
        data.append(static_cast<char>((i * 7 + seed) & 0xFF));
    return data;
}

} // namespace

TEST_F(ChipCommands, ProgramsFlashFromAHexPathWithBlanksAndReadsItBack)
{
    const QByteArray image = pattern(200, 3);
    const QString hex = writeHex(QStringLiteral("my hex files/firm ware.hex"), image);
    runWithFile(&TForm1::suiButton4Click, hex);

    const QStringList log = form.Log->lines();
    ASSERT_FALSE(log.isEmpty());
    EXPECT_EQ(log.first(), QStringLiteral("Return-Code des Programms: 0")) << log.join(u'\n').toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("---Errors---")));
    const std::vector<std::uint8_t> flash = chip.flash();
    ASSERT_GE(flash.size(), static_cast<std::size_t>(image.size()));
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(flash.data()), image.size()), image);
    EXPECT_EQ(flash[image.size()], 0xFF);

    const QString back = files.path() + QStringLiteral("/read back/flash copy");
    QDir().mkpath(QFileInfo(back).absolutePath());
    runWithFile(&TForm1::suiButton2Click, back);
    EXPECT_EQ(form.Log->lines().first(), QStringLiteral("Return-Code des Programms: 0"));
    const auto read = parse_intel_hex(readFile(back));
    ASSERT_EQ(read.size(), static_cast<std::size_t>(image.size()));
    for (int i = 0; i < image.size(); ++i)
        ASSERT_EQ(read.at(i), static_cast<unsigned char>(image[i])) << i;
}

TEST_F(ChipCommands, ProgramsAndReadsEeprom)
{
    const QByteArray data = pattern(12, 40);
    runWithFile(&TForm1::suiButton5Click, writeHex(QStringLiteral("e.hex"), data));
    EXPECT_EQ(form.Log->lines().first(), QStringLiteral("Return-Code des Programms: 0"));
    const std::vector<std::uint8_t> eeprom = chip.eeprom();
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(eeprom.data()), data.size()), data);

    const QString back = files.path() + QStringLiteral("/eeprom.hex");
    runWithFile(&TForm1::suiButton3Click, back);
    const auto read = parse_intel_hex(readFile(back));
    for (int i = 0; i < data.size(); ++i)
        EXPECT_EQ(read.at(i), static_cast<unsigned char>(data[i])) << i;
}

TEST_F(ChipCommands, ErasesTheChip)
{
    std::vector<std::uint8_t> image(64, 0x12);
    chip.setFlash(image);
    form.menuChipLoeschen->Click();
    EXPECT_EQ(form.Log->lines().first(), QStringLiteral("Return-Code des Programms: 0"));
    const std::vector<std::uint8_t> flash = chip.flash();
    EXPECT_EQ(flash[0], 0xFF);
    EXPECT_EQ(flash[63], 0xFF);
}

TEST_F(ChipCommands, ADeviceTypedThatIsNotInTheListIsUsedAsTyped)
{
    form.avrselect->setText(QString());
    form.avrselect->setFocus();
    QTest::keyClicks(form.avrselect->lineEdit(), QStringLiteral("m8a"));
    form.menuChipLoeschen->Click();
    const QString log = form.Log->lines().join(u'\n');
    EXPECT_TRUE(log.startsWith(QStringLiteral("Return-Code des Programms: 0"))) << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("(probably m8a)"))) << log.toStdString();
}

TEST_F(ChipCommands, FreeCommandReachesTheChip)
{
    form.command->setText(QStringLiteral("-p m8 -c avr910 -P ") + QString::fromStdString(chip.port()) + QStringLiteral(" -v"));
    form.suiButton1Click();
    const QString log = form.Log->lines().join(u'\n');
    EXPECT_TRUE(log.startsWith(QStringLiteral("Return-Code des Programms: 0"))) << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("0x1e9307"))) << "signature of the simulated ATmega8";
}

TEST_F(ChipCommands, AvrdudeFailuresAreShownNotActedOn)
{
    form.avrselect->setText(QStringLiteral("m164"));
    form.ChipLoeschenClick();
    const QStringList log = form.Log->lines();
    EXPECT_EQ(log.first(), QStringLiteral("Return-Code des Programms: 1"));
    EXPECT_TRUE(log.join(u'\n').contains(QStringLiteral("m164"))) << log.join(u'\n').toStdString();
}
