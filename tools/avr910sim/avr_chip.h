// A simulated AVR seen from its ISP pins: every access goes through the 4-byte serial programming
// instructions, so the programmer side maps its commands exactly as a real AVR910 firmware would.
#pragma once

#include "tools/avr910sim/avr_part.h"

#include <array>
#include <cstdint>
#include <vector>

namespace avr910sim {

using IspInstruction = std::array<std::uint8_t, 4>;

// Everything that survives power-off: what the state files hold.
struct ChipMemories {
    std::vector<std::uint8_t> flash;
    std::vector<std::uint8_t> eeprom;
    std::uint8_t lfuse = 0xFF;
    std::uint8_t hfuse = 0xFF;
    std::uint8_t efuse = 0xFF;
    std::uint8_t lock = 0xFF;
};

// Erased flash and EEPROM, factory fuses, no lock bits programmed.
ChipMemories factoryMemories(const AvrPart &part);

class AvrChip {
public:
    explicit AvrChip(AvrPart part);

    const AvrPart &part() const { return part_; }
    const ChipMemories &memories() const { return mem_; }
    // Takes stored contents; bits that do not exist are forced to 1, sizes are fixed to the part's.
    void setMemories(ChipMemories memories);
    bool modified() const { return modified_; }
    void clearModified() { modified_ = false; }

    // Shifts one instruction in; returns the four bytes the target shifts out at the same time.
    IspInstruction transfer(const IspInstruction &in);

private:
    bool writesBlocked() const;  // lock mode 2 or 3
    bool readsBlocked() const;   // lock mode 3
    void chipErase();
    void writePage(unsigned wordAddress);
    std::uint8_t readFlash(unsigned wordAddress, bool high) const;

    AvrPart part_;
    ChipMemories mem_;
    std::vector<std::uint8_t> pageBuffer_;  // bytes, loaded by 40/48, committed by 4C
    bool modified_ = false;
};

}  // namespace avr910sim
