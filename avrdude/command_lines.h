#pragma once

#include <QString>

// The exact avrdude command line of every chip operation. Values go in as the user typed or
// chose them: nothing is trimmed, quoted (beyond the quotes around file names) or checked.

struct ChipTarget {
    QString avrdude_path; // line 1 of options.ini, unquoted
    QString device;       // -p
    QString programmer;   // -c
    QString port;         // -P
};

// Every avrdude command line starts with the path and " /c / ".
QString avrdude_frame(const QString &avrdude_path);

QString chip_erase_command(const ChipTarget &target);
QString program_flash_command(const ChipTarget &target, const QString &file);
QString program_eeprom_command(const ChipTarget &target, const QString &file);
QString read_flash_command(const ChipTarget &target, const QString &file);
QString read_eeprom_command(const ChipTarget &target, const QString &file);
QString read_fuses_command(const ChipTarget &target, const QString &program_dir, const QString &extended_argument);
QString write_fuses_command(const ChipTarget &target, const QString &low_hex, const QString &high_hex,
                            const QString &extended_argument);

// The extended-fuse arguments; callers pass an empty text for devices without an extended fuse.
QString extended_fuse_read_argument(const QString &program_dir);
QString extended_fuse_write_argument(const QString &extended_hex);
