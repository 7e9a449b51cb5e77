#pragma once

#include "session/fuse_lockout.h"

#include <QString>
#include <QStringList>

#include <optional>

// A chip erase takes the whole flash, a bootloader included, and the EEPROM too unless EESAVE is
// programmed. "Chip löschen" erases, and so does "EEPROM programmieren", whose command line
// carries -e. What they take is said before they run. No widgets here.

// What an erase does to the EEPROM, as far as Quillon can know it: only a read of this device's
// fuses, whose description names EESAVE, tells.
enum class EepromAtErase { Kept, Lost, Unknown };

// From the device's bit names (empty when it has none) and its last read.
EepromAtErase eeprom_at_erase(const std::optional<QStringList> &bit_names, const FuseByteValues &last_read);

// The German questions before "Chip löschen" and before "EEPROM programmieren".
QString chip_erase_question(EepromAtErase eeprom);
QString eeprom_program_question(EepromAtErase eeprom);
