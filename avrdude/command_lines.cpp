#include "avrdude/command_lines.h"

#include "avrdude/command_line_split.h"

namespace {

const QString Q = QStringLiteral("\"");

QString quoted(const QString &file) { return Q + escape_within_quotes(file) + Q; }

QString head(const ChipTarget &t)
{
    return QStringLiteral(" /c / -p ") + single_argument(t.device) + QStringLiteral(" -P ") + single_argument(t.port);
}

QString with_no_reset(const ChipTarget &t)
{
    return head(t) + QStringLiteral(" -E noreset,novcc -c ") + single_argument(t.programmer);
}

CommandLine avrdude(const ChipTarget &t, const QString &arguments) { return {t.avrdude_path, arguments}; }

} // namespace

CommandLine avrdude_command(const QString &avrdude_path, const QString &arguments)
{
    return {avrdude_path, QStringLiteral(" /c / ") + arguments};
}

CommandLine chip_erase_command(const ChipTarget &t)
{
    return avrdude(t, head(t) + QStringLiteral(" -e -c ") + single_argument(t.programmer));
}

CommandLine program_flash_command(const ChipTarget &t, const QString &file)
{
    return avrdude(t, with_no_reset(t) + QStringLiteral(" -e -U flash:w:") + quoted(file) + QStringLiteral(":a"));
}

CommandLine program_eeprom_command(const ChipTarget &t, const QString &file)
{
    return avrdude(t, with_no_reset(t) + QStringLiteral(" -e -U eeprom:w:") + quoted(file) + QStringLiteral(":a"));
}

CommandLine read_flash_command(const ChipTarget &t, const QString &file)
{
    return avrdude(t, with_no_reset(t) + QStringLiteral(" -U flash:r:") + quoted(file) + QStringLiteral(":i"));
}

CommandLine read_eeprom_command(const ChipTarget &t, const QString &file)
{
    return avrdude(t, with_no_reset(t) + QStringLiteral(" -U eeprom:r:") + quoted(file) + QStringLiteral(":i"));
}

CommandLine read_fuses_command(const ChipTarget &t, const QString &x, const QString &extended_argument)
{
    return avrdude(t, with_no_reset(t) + QStringLiteral(" -v -U lfuse:r:") + quoted(x + QStringLiteral("lfuse.hex"))
                          + QStringLiteral(":d -U hfuse:r:") + quoted(x + QStringLiteral("hfuse.hex"))
                          + QStringLiteral(":d ") + extended_argument);
}

CommandLine write_fuses_command(const ChipTarget &t, const QString &low_hex, const QString &high_hex,
                                const QString &extended_argument)
{
    return avrdude(t, with_no_reset(t) + QStringLiteral(" -U lfuse:w:0x") + low_hex + QStringLiteral(":m -U hfuse:w:0x")
                          + high_hex + QStringLiteral(":m ") + extended_argument);
}

QString extended_fuse_read_argument(const QString &x)
{
    return QStringLiteral("-U efuse:r:") + quoted(x + QStringLiteral("efuse.hex")) + QStringLiteral(":d");
}

QString extended_fuse_write_argument(const QString &extended_hex)
{
    return QStringLiteral("-U efuse:w:0x") + extended_hex + QStringLiteral(":m");
}
