#include "avrdude/command_line_split.h"
#include "avrdude/command_lines.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {
const ChipTarget Target{QStringLiteral("C:\\avr\\avrdude.exe"), QStringLiteral("m8"), QStringLiteral("usbasp"),
                        QStringLiteral("USB")};
}

TEST(CommandLines, EveryOperationByteForByte)
{
    EXPECT_EQ(chip_erase_command(Target).text(), QStringLiteral("C:\\avr\\avrdude.exe /c / -p m8 -P USB -e -c usbasp"));
    EXPECT_EQ(program_flash_command(Target, QStringLiteral("C:\\hex\\a.hex")).text(),
              QStringLiteral("C:\\avr\\avrdude.exe /c / -p m8 -P USB -E noreset,novcc -c usbasp -e -U "
                             "flash:w:\"C:\\hex\\a.hex\":a"));
    EXPECT_EQ(program_eeprom_command(Target, QStringLiteral("/h/e e.hex")).text(),
              QStringLiteral("C:\\avr\\avrdude.exe /c / -p m8 -P USB -E noreset,novcc -c usbasp -e -U "
                             "eeprom:w:\"/h/e e.hex\":a"));
    EXPECT_EQ(read_flash_command(Target, QStringLiteral("out")).text(),
              QStringLiteral("C:\\avr\\avrdude.exe /c / -p m8 -P USB -E noreset,novcc -c usbasp -U flash:r:\"out\":i"));
    EXPECT_EQ(read_eeprom_command(Target, QStringLiteral("out")).text(),
              QStringLiteral("C:\\avr\\avrdude.exe /c / -p m8 -P USB -E noreset,novcc -c usbasp -U eeprom:r:\"out\":i"));
}

TEST(CommandLines, FuseReadAndWriteWithAndWithoutTheExtendedFuse)
{
    const QString x = QStringLiteral("/opt/q/");
    const QString read_head = QStringLiteral("C:\\avr\\avrdude.exe /c / -p m8 -P USB -E noreset,novcc -c usbasp -v -U "
                                             "lfuse:r:\"/opt/q/lfuse.hex\":d -U hfuse:r:\"/opt/q/hfuse.hex\":d ");
    EXPECT_EQ(read_fuses_command(Target, x, QString()).text(), read_head);
    EXPECT_EQ(read_fuses_command(Target, x, extended_fuse_read_argument(x)).text(),
              read_head + QStringLiteral("-U efuse:r:\"/opt/q/efuse.hex\":d"));

    const QString write_head = QStringLiteral("C:\\avr\\avrdude.exe /c / -p m8 -P USB -E noreset,novcc -c usbasp -U "
                                              "lfuse:w:0xE2:m -U hfuse:w:0xD9:m ");
    EXPECT_EQ(write_fuses_command(Target, QStringLiteral("E2"), QStringLiteral("D9"), QString()).text(), write_head);
    EXPECT_EQ(write_fuses_command(Target, QStringLiteral("E2"), QStringLiteral("D9"), extended_fuse_write_argument("FF")).text(),
              write_head + QStringLiteral("-U efuse:w:0xFF:m"));
}

// What avrdude receives is the value as typed: not trimmed, and an empty port gives no argument.
TEST(CommandLines, ValuesGoInUnchanged)
{
    const ChipTarget odd{QString(), QStringLiteral(" m328p"), QStringLiteral("avr910\t"), QString()};
    EXPECT_EQ(split_arguments(chip_erase_command(odd).arguments),
              (QStringList{QStringLiteral("/c"), QStringLiteral("/"), QStringLiteral("-p"), QStringLiteral(" m328p"), QStringLiteral("-P"),
                           QStringLiteral("-e"), QStringLiteral("-c"), QStringLiteral("avr910\t")}));
    const ChipTarget blanks{QString(), QStringLiteral("m8"), QStringLiteral("usbasp"), QStringLiteral("/dev/serial/by-id/   ")};
    EXPECT_EQ(split_arguments(chip_erase_command(blanks).arguments).at(5), blanks.port);
}

// Whatever a file name or a typed value holds, it comes out of the line as one argument and adds
// no option: the line splits into the same arguments as with an ordinary value in its place.
TEST(CommandLines, NoValueBecomesAnOptionOfItsOwn)
{
    const QString alphabet = QStringLiteral("\"\\ \tau:-\u00fc\u20ac");
    QRandomGenerator random(14);
    QStringList values{QStringLiteral("fw.hex\":a -U lfuse:w:0x00:m -E \"x"), QStringLiteral("a\\"),
                       QStringLiteral("\\\"\\"), QStringLiteral("\"\""), QStringLiteral("m8 -e")};
    for (int i = 0; i < 2000; ++i) {
        QString value;
        for (int n = random.bounded(12); n > 0; --n)
            value += alphabet[random.bounded(alphabet.size())];
        values << value;
    }
    const QStringList ordinary = split_arguments(program_flash_command(Target, QStringLiteral("f")).arguments);
    for (const QString &value : values) {
        const QStringList file = split_arguments(program_flash_command(Target, value).arguments);
        ASSERT_EQ(file.size(), ordinary.size()) << value.toStdString();
        EXPECT_EQ(file.last(), QStringLiteral("flash:w:") + value + QStringLiteral(":a")) << value.toStdString();
        // A typed device, programmer or port arrives as it is, blanks included (an empty one drops out).
        if (value.isEmpty())
            continue;
        const ChipTarget typed{Target.avrdude_path, value, value, value};
        const QStringList arguments = split_arguments(program_flash_command(typed, QStringLiteral("f")).arguments);
        ASSERT_EQ(arguments.size(), ordinary.size()) << value.toStdString();
        EXPECT_EQ(arguments.count(QStringLiteral("-U")), 1) << value.toStdString();
        EXPECT_EQ(arguments[3], value) << value.toStdString();
    }
}
