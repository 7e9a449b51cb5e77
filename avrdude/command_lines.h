#pragma once

#include "avrdude/command_line.h"

#include <QString>

// The exact avrdude command line of every chip operation. Values go in as the user typed or
// chose them: nothing is trimmed or checked. No value can add an option of its own, whatever it
// holds: file names are escaped inside their quotes, and a device, programmer or port text that
// would split into several arguments, or holds a quote, is quoted (the ids avrdude knows never
// do, so their lines are unchanged).

struct ChipTarget {
    QString avrdude_path; // line 1 of options.ini, unquoted
    QString device;       // -p
    QString programmer;   // -c
    QString port;         // -P
};

// Every avrdude command line starts with the path and " /c / "; the free command's text follows it.
CommandLine avrdude_command(const QString &avrdude_path, const QString &arguments);

CommandLine chip_erase_command(const ChipTarget &target);
CommandLine program_flash_command(const ChipTarget &target, const QString &file);
CommandLine program_eeprom_command(const ChipTarget &target, const QString &file);
CommandLine read_flash_command(const ChipTarget &target, const QString &file);
CommandLine read_eeprom_command(const ChipTarget &target, const QString &file);
CommandLine read_fuses_command(const ChipTarget &target, const QString &transfer_dir,
                               const QString &extended_argument);
CommandLine write_fuses_command(const ChipTarget &target, const QString &low_hex, const QString &high_hex,
                                const QString &extended_argument);

// The extended-fuse arguments; callers pass an empty text for devices without an extended fuse.
QString extended_fuse_read_argument(const QString &transfer_dir);
QString extended_fuse_write_argument(const QString &extended_hex);
