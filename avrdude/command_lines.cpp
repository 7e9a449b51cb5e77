#include "avrdude/command_lines.h"

namespace {

const QString Q = QStringLiteral("\"");

QString head(const ChipTarget &t)
{
    return avrdude_frame(t.avrdude_path) + QStringLiteral("-p ") + t.device + QStringLiteral(" -P ") + t.port;
}

QString with_no_reset(const ChipTarget &t)
{
    return head(t) + QStringLiteral(" -E noreset,novcc -c ") + t.programmer;
}

QString quoted(const QString &file) { return Q + file + Q; }

} // namespace

QString avrdude_frame(const QString &avrdude_path) { return avrdude_path + QStringLiteral(" /c / "); }

QString chip_erase_command(const ChipTarget &t) { return head(t) + QStringLiteral(" -e -c ") + t.programmer; }

QString program_flash_command(const ChipTarget &t, const QString &file)
{
    return with_no_reset(t) + QStringLiteral(" -e -U flash:w:") + quoted(file) + QStringLiteral(":a");
}

QString program_eeprom_command(const ChipTarget &t, const QString &file)
{
    return with_no_reset(t) + QStringLiteral(" -e -U eeprom:w:") + quoted(file) + QStringLiteral(":a");
}

QString read_flash_command(const ChipTarget &t, const QString &file)
{
    return with_no_reset(t) + QStringLiteral(" -U flash:r:") + quoted(file) + QStringLiteral(":i");
}

QString read_eeprom_command(const ChipTarget &t, const QString &file)
{
    return with_no_reset(t) + QStringLiteral(" -U eeprom:r:") + quoted(file) + QStringLiteral(":i");
}

QString read_fuses_command(const ChipTarget &t, const QString &x, const QString &extended_argument)
{
    return with_no_reset(t) + QStringLiteral(" -v -U lfuse:r:") + quoted(x + QStringLiteral("lfuse.hex"))
         + QStringLiteral(":d -U hfuse:r:") + quoted(x + QStringLiteral("hfuse.hex")) + QStringLiteral(":d ")
         + extended_argument;
}

QString write_fuses_command(const ChipTarget &t, const QString &low_hex, const QString &high_hex,
                            const QString &extended_argument)
{
    return with_no_reset(t) + QStringLiteral(" -U lfuse:w:0x") + low_hex + QStringLiteral(":m -U hfuse:w:0x")
         + high_hex + QStringLiteral(":m ") + extended_argument;
}

QString extended_fuse_read_argument(const QString &x)
{
    return QStringLiteral("-U efuse:r:") + quoted(x + QStringLiteral("efuse.hex")) + QStringLiteral(":d");
}

QString extended_fuse_write_argument(const QString &extended_hex)
{
    return QStringLiteral("-U efuse:w:0x") + extended_hex + QStringLiteral(":m");
}
