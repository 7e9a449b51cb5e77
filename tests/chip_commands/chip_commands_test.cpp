// The main window's chip commands end to end: the real avrdude against the simulated programmer.
#include "forms/main/main_form.h"
#include "session/session.h"
#include "skin/accessibility/skin_accessibility.h"
#include "skin/edit/tsui_combo_box.h"
#include "skin/edit/tsui_edit.h"
#include "skin/edit/tsui_memo.h"
#include "skin/menu/tsui_main_menu.h"
#include "tests/support/avr910_simulator.h"
#include "tests/support/intel_hex.h"
#include "tests/support/modal_answer.h"
#include "tests/support/program_dir_files.h"

#include <QAbstractButton>
#include <QAccessible>
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

    // Runs a command that erases the chip, answering its question with the button to go on.
    void runConfirmed(void (TForm1::*handler)(), const QString &file_name = {})
    {
        ModalAnswer question(ModalAnswer::clickMessageWindowButton(2));
        if (file_name.isEmpty())
            (form.*handler)();
        else
            runWithFile(handler, file_name);
        ASSERT_TRUE(question.answered()) << "no question";
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

// Answers the question with a key where its focused button takes it, and notes which button had
// the focus and what a screen reader reads as the window's description.
struct QuestionSeen {
    QString focused;
    QString description;
};
ModalAnswer::Answer press_noting(int key, QuestionSeen &seen)
{
    return [key, &seen](QWidget *modal) {
        if (modal->objectName() != QLatin1String("frmMsg"))
            return false;
        const auto *button = qobject_cast<QAbstractButton *>(modal->focusWidget());
        seen.focused = button ? button->text() : QString();
        seen.description = QAccessible::queryAccessibleInterface(modal)->text(QAccessible::Description);
        return ModalAnswer::pressKeyInMessageWindow(key)(modal);
    };
}

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
    runConfirmed(&TForm1::suiButton5Click, writeHex(QStringLiteral("e.hex"), data));
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
    runConfirmed(&TForm1::ChipLoeschenClick);
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
    runConfirmed(&TForm1::ChipLoeschenClick);
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
    runConfirmed(&TForm1::ChipLoeschenClick);
    const QStringList log = form.Log->lines();
    EXPECT_EQ(log.first(), QStringLiteral("Return-Code des Programms: 1"));
    EXPECT_TRUE(log.join(u'\n').contains(QStringLiteral("m164"))) << log.join(u'\n').toStdString();
}

// Both commands that erase the chip say first what goes. "Abbrechen" has the focus, so Enter and
// Escape cancel, and nothing reaches the chip; a screen reader reads the question.
TEST_F(ChipCommands, EraseAndEepromProgrammingAskFirstAndEnterOrEscapeCancel)
{
    InstallSkinAccessibility();
    const std::vector<std::uint8_t> image(64, 0x12);
    chip.setFlash(image);
    const QString hex = writeHex(QStringLiteral("e.hex"), pattern(4, 1));
    const struct {
        void (TForm1::*handler)();
        QString file;
        QString caption;
        QString start;
    } commands[] = {
        {&TForm1::ChipLoeschenClick, {}, QStringLiteral("Chip löschen"), QStringLiteral("Der ganze Chip wird gelöscht.")},
        {&TForm1::suiButton5Click, hex, QStringLiteral("EEPROM programmieren"),
         QStringLiteral("„EEPROM programmieren“ löscht vor dem Schreiben den ganzen Chip.")},
    };
    for (const auto &c : commands)
        for (const int key : {Qt::Key_Return, Qt::Key_Escape}) {
            QuestionSeen seen;
            ModalAnswer question(press_noting(key, seen));
            if (c.file.isEmpty())
                (form.*c.handler)();
            else
                runWithFile(c.handler, c.file);
            ASSERT_TRUE(question.answered()) << c.caption.toStdString();
            EXPECT_EQ(question.seenTitle(), c.caption);
            EXPECT_TRUE(seen.description.startsWith(c.start)) << seen.description.toStdString();
            EXPECT_TRUE(seen.description.contains(QStringLiteral("\nDer Flash-Speicher wird gelöscht")));
            EXPECT_TRUE(question.seenText().contains(seen.description));
            EXPECT_EQ(seen.focused, QStringLiteral("Abbrechen"));
            EXPECT_TRUE(form.Log->lines().isEmpty()) << key;
            EXPECT_EQ(chip.flash().at(63), 0x12) << "something reached the chip";
        }
}

// Whether the EEPROM survives is known only from a read of this device's fuses: EESAVE
// programmed, the question says it stays and it does; unprogrammed, it says it goes and it goes.
TEST_F(ChipCommands, TheEraseQuestionKnowsEesaveFromTheLastRead)
{
    install_data_file(QStringLiteral("fuses/m8.fuse"));
    const struct {
        std::uint8_t hfuse;
        QString says;
        std::uint8_t eeprom;
    } cases[] = {
        {0xD1, QStringLiteral("Das EEPROM bleibt erhalten: EESAVE ist beim letzten Lesen der Fuses programmiert."), 0x5A},
        {0xD9, QStringLiteral("Das EEPROM wird ebenfalls gelöscht: EESAVE ist beim letzten Lesen der Fuses nicht "
                              "programmiert."),
         0xFF},
    };
    for (const auto &c : cases) {
        chip.setFuses({.lfuse = 0xE1, .hfuse = c.hfuse, .efuse = 0xFF, .lock = 0xFF});
        chip.setEeprom({0x5A});
        chip.setFlash({0x12});
        session.readFuses();
        ModalAnswer question(ModalAnswer::clickMessageWindowButton(2));
        form.ChipLoeschenClick();
        ASSERT_TRUE(question.answered());
        EXPECT_TRUE(question.seenText().contains(c.says)) << question.seenText().toStdString();
        EXPECT_EQ(form.Log->lines().value(0), QStringLiteral("Return-Code des Programms: 0"));
        EXPECT_EQ(chip.flash().at(0), 0xFF);
        EXPECT_EQ(chip.eeprom().at(0), c.eeprom);
    }
}
