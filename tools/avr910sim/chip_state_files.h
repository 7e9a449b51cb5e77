// The chip's non-volatile contents as files in a state directory, so tests can read and preset them:
//   flash.bin   flash image, part's flash size (a shorter file is padded with FF)
//   eeprom.bin  EEPROM image, part's EEPROM size (likewise)
//   fuses.txt   lines "key=0xNN" for part, lfuse, hfuse, efuse (parts that have one) and lock
// Files are replaced whole (written beside, then renamed), so a reader never sees half a file.
#pragma once

#include "tools/avr910sim/avr_chip.h"

#include <filesystem>

namespace avr910sim {

class ChipStateFiles {
public:
    ChipStateFiles(std::filesystem::path directory, AvrPart part);

    // Reads the files; any that are missing are created with factory contents first.
    // Throws std::runtime_error for a file that does not fit the part.
    ChipMemories load() const;
    void save(const ChipMemories &memories) const;

private:
    std::filesystem::path directory_;
    AvrPart part_;
};

}  // namespace avr910sim
