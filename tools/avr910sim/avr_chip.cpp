#include "tools/avr910sim/avr_chip.h"

#include <algorithm>
#include <utility>

namespace avr910sim {

namespace {

constexpr std::uint8_t HfuseEesave = 0x08;  // programmed (0) keeps EEPROM through a chip erase
constexpr std::uint8_t LockModeBits = 0x03;

}  // namespace

ChipMemories factoryMemories(const AvrPart &part)
{
    ChipMemories m;
    m.flash.assign(part.flashBytes, 0xFF);
    m.eeprom.assign(part.eepromBytes, 0xFF);
    m.lfuse = part.factoryLfuse;
    m.hfuse = part.factoryHfuse;
    m.efuse = part.hasEfuse ? static_cast<std::uint8_t>(part.factoryEfuse | ~part.efuseBits) : 0xFF;
    m.lock = 0xFF;
    return m;
}

AvrChip::AvrChip(AvrPart part)
    : part_(std::move(part)), mem_(factoryMemories(part_)), pageBuffer_(part_.flashPageBytes, 0xFF)
{
}

void AvrChip::setMemories(ChipMemories memories)
{
    mem_ = std::move(memories);
    mem_.flash.resize(part_.flashBytes, 0xFF);
    mem_.eeprom.resize(part_.eepromBytes, 0xFF);
    mem_.efuse = part_.hasEfuse ? static_cast<std::uint8_t>(mem_.efuse | ~part_.efuseBits) : 0xFF;
    mem_.lock = static_cast<std::uint8_t>(mem_.lock | ~part_.lockBits);
    std::fill(pageBuffer_.begin(), pageBuffer_.end(), 0xFF);
}

bool AvrChip::writesBlocked() const
{
    return (mem_.lock & LockModeBits) != LockModeBits;  // 10 or 00
}

bool AvrChip::readsBlocked() const
{
    return (mem_.lock & LockModeBits) == 0;
}

void AvrChip::chipErase()
{
    std::fill(mem_.flash.begin(), mem_.flash.end(), 0xFF);
    if (mem_.hfuse & HfuseEesave)
        std::fill(mem_.eeprom.begin(), mem_.eeprom.end(), 0xFF);
    mem_.lock = 0xFF;
    std::fill(pageBuffer_.begin(), pageBuffer_.end(), 0xFF);
    modified_ = true;
}

void AvrChip::writePage(unsigned wordAddress)
{
    if (!writesBlocked()) {
        // Programming only clears bits: a page that was not erased ends up as old AND new.
        const std::size_t start = (wordAddress % part_.flashWords()) / part_.pageWords() * part_.flashPageBytes;
        for (std::size_t i = 0; i < part_.flashPageBytes; ++i)
            mem_.flash[start + i] &= pageBuffer_[i];
        modified_ = true;
    }
    std::fill(pageBuffer_.begin(), pageBuffer_.end(), 0xFF);
}

std::uint8_t AvrChip::readFlash(unsigned wordAddress, bool high) const
{
    if (readsBlocked())
        return 0xFF;
    return mem_.flash[(wordAddress % part_.flashWords()) * 2 + (high ? 1 : 0)];
}

IspInstruction AvrChip::transfer(const IspInstruction &in)
{
    // The target echoes the previous byte while the next one is shifted in; the fourth byte carries the result.
    IspInstruction out{0xFF, in[0], in[1], 0xFF};
    const unsigned address = (unsigned{in[1]} << 8) | in[2];
    const std::uint8_t data = in[3];
    auto result = [&out](std::uint8_t value) {
        out[3] = value;
        return out;
    };

    switch (in[0]) {
    case 0xAC:
        if (in[1] == 0x53) {  // programming enable: the third byte echoes 53 when in sync
            out[2] = 0x53;
            return result(0x00);
        }
        if (in[1] == 0x80) {
            chipErase();
            return result(0xFF);
        }
        if (in[1] == 0xA0 || in[1] == 0xA8 || in[1] == 0xA4) {
            if (!writesBlocked()) {
                if (in[1] == 0xA0)
                    mem_.lfuse = data;
                else if (in[1] == 0xA8)
                    mem_.hfuse = data;
                else if (part_.hasEfuse)
                    mem_.efuse = static_cast<std::uint8_t>(data | ~part_.efuseBits);
                modified_ = true;
            }
            return result(0xFF);
        }
        if ((in[1] & 0xE0) == 0xE0) {
            // Lock bits can only be programmed; bits that do not exist stay 1.
            mem_.lock &= static_cast<std::uint8_t>(data | ~part_.lockBits);
            modified_ = true;
            return result(0xFF);
        }
        return result(0xFF);
    case 0x40:
    case 0x48:
        pageBuffer_[(address % part_.pageWords()) * 2 + (in[0] == 0x48 ? 1 : 0)] = data;
        return result(0xFF);
    case 0x4C:
        writePage(address);
        return result(0xFF);
    case 0x20:
        return result(readFlash(address, false));
    case 0x28:
        return result(readFlash(address, true));
    case 0xC0:
        if (!writesBlocked()) {
            mem_.eeprom[address % part_.eepromBytes] = data;
            modified_ = true;
        }
        return result(0xFF);
    case 0xA0:
        return result(readsBlocked() ? 0xFF : mem_.eeprom[address % part_.eepromBytes]);
    case 0x30:
        return result((in[2] & 0x03) < 3 ? part_.signature[in[2] & 0x03] : 0xFF);
    case 0x38:
        return result(in[2] < part_.calibration.size() ? part_.calibration[in[2]] : 0xFF);
    case 0x50:
        return result(in[1] == 0x08 ? mem_.efuse : mem_.lfuse);
    case 0x58:
        return result(in[1] == 0x08 ? mem_.hfuse : mem_.lock);
    case 0xF0:  // poll RDY/BSY: the simulated chip is never busy
        return result(0x00);
    default:
        return result(0xFF);
    }
}

}  // namespace avr910sim
