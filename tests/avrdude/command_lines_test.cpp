#include "avrdude/command_lines.h"

#include <gtest/gtest.h>

namespace {
const ChipTarget Target{QStringLiteral("C:\\avr\\avrdude.exe"), QStringLiteral("m8"), QStringLiteral("usbasp"),
                        QStringLiteral("USB")};
}

TEST(CommandLines, EveryOperationByteForByte)
{
    EXPECT_EQ(chip_erase_command(Target), QStringLiteral("C:\\avr\\avrdude.exe /c / -p m8 -P USB -e -c usbasp"));
    EXPECT_EQ(program_flash_command(Target, QStringLiteral("C:\\hex\\a.hex")),
              QStringLiteral("C:\\avr\\avrdude.exe /c / -p m8 -P USB -E noreset,novcc -c usbasp -e -U "
                             "flash:w:\"C:\\hex\\a.hex\":a"));
    EXPECT_EQ(program_eeprom_command(Target, QStringLiteral("/h/e e.hex")),
              QStringLiteral("C:\\avr\\avrdude.exe /c / -p m8 -P USB -E noreset,novcc -c usbasp -e -U "
                             "eeprom:w:\"/h/e e.hex\":a"));
    EXPECT_EQ(read_flash_command(Target, QStringLiteral("out")),
              QStringLiteral("C:\\avr\\avrdude.exe /c / -p m8 -P USB -E noreset,novcc -c usbasp -U flash:r:\"out\":i"));
    EXPECT_EQ(read_eeprom_command(Target, QStringLiteral("out")),
              QStringLiteral("C:\\avr\\avrdude.exe /c / -p m8 -P USB -E noreset,novcc -c usbasp -U eeprom:r:\"out\":i"));
}

TEST(CommandLines, FuseReadAndWriteWithAndWithoutTheExtendedFuse)
{
    const QString x = QStringLiteral("/opt/q/");
    const QString read_head = QStringLiteral("C:\\avr\\avrdude.exe /c / -p m8 -P USB -E noreset,novcc -c usbasp -v -U "
                                             "lfuse:r:\"/opt/q/lfuse.hex\":d -U hfuse:r:\"/opt/q/hfuse.hex\":d ");
    EXPECT_EQ(read_fuses_command(Target, x, QString()), read_head);
    EXPECT_EQ(read_fuses_command(Target, x, extended_fuse_read_argument(x)),
              read_head + QStringLiteral("-U efuse:r:\"/opt/q/efuse.hex\":d"));

    const QString write_head = QStringLiteral("C:\\avr\\avrdude.exe /c / -p m8 -P USB -E noreset,novcc -c usbasp -U "
                                              "lfuse:w:0xE2:m -U hfuse:w:0xD9:m ");
    EXPECT_EQ(write_fuses_command(Target, QStringLiteral("E2"), QStringLiteral("D9"), QString()), write_head);
    EXPECT_EQ(write_fuses_command(Target, QStringLiteral("E2"), QStringLiteral("D9"), extended_fuse_write_argument("FF")),
              write_head + QStringLiteral("-U efuse:w:0xFF:m"));
}

TEST(CommandLines, ValuesGoInUnchanged)
{
    const ChipTarget odd{QString(), QStringLiteral(" m328p"), QStringLiteral("avr910"), QString()};
    EXPECT_EQ(chip_erase_command(odd), QStringLiteral(" /c / -p  m328p -P  -e -c avr910"));
}
