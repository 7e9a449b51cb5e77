// The parts the simulator can play: geometry and factory contents, taken from avrdude.conf and the data sheets.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace avr910sim {

struct AvrPart {
    std::string_view id;    // avrdude's -p name
    std::string_view name;  // data-sheet name
    std::array<std::uint8_t, 3> signature;
    std::size_t flashBytes;
    std::size_t flashPageBytes;
    std::size_t eepromBytes;
    bool hasEfuse;
    std::uint8_t efuseBits;  // bits that exist in the extended fuse; the rest read as 1
    std::uint8_t lockBits;   // bits that exist in the lock byte; the rest read as 1
    std::uint8_t factoryLfuse;
    std::uint8_t factoryHfuse;
    std::uint8_t factoryEfuse;
    std::vector<std::uint8_t> calibration;  // read-only oscillator calibration bytes

    std::size_t flashWords() const { return flashBytes / 2; }
    std::size_t pageWords() const { return flashPageBytes / 2; }
};

// Looks a part up by its avrdude id ("m8", "t85"); nullopt for parts the simulator does not know.
std::optional<AvrPart> findPart(std::string_view id);

// The ids findPart() accepts, for --help.
std::string_view knownPartIds();

}  // namespace avr910sim
