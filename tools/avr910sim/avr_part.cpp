#include "tools/avr910sim/avr_part.h"

namespace avr910sim {

namespace {

AvrPart atmega8()
{
    // No extended fuse. Lock: BLB12 BLB11 BLB02 BLB01 LB2 LB1 in bits 5..0.
    // Four calibration bytes, one per internal RC frequency (1, 2, 4, 8 MHz).
    return AvrPart{"m8",  "ATmega8", {0x1E, 0x93, 0x07}, 8192, 64, 512, false, 0x00, 0x3F,
                   0xE1, 0xD9, 0xFF, {0xA8, 0xA5, 0xA3, 0xA1}};
}

AvrPart attiny85()
{
    // Extended fuse: SELFPRGEN in bit 0 only. Lock: LB2 LB1 in bits 1..0. One calibration byte.
    return AvrPart{"t85", "ATtiny85", {0x1E, 0x93, 0x0B}, 8192, 64, 512, true, 0x01, 0x03,
                   0x62, 0xDF, 0xFF, {0x8C}};
}

AvrPart atmega328p()
{
    // Extended fuse: BODLEVEL2..0 in bits 2..0. Lock: BLB12 BLB11 BLB02 BLB01 LB2 LB1 in bits 5..0.
    // One calibration byte. avrdude.conf gives it no AVR910 device code: a run needs one from the
    // user's configuration (see avrdude's part entry with avr910_devcode).
    return AvrPart{"m328p", "ATmega328P", {0x1E, 0x95, 0x0F}, 32768, 128, 1024, true, 0x07, 0x3F,
                   0x62, 0xD9, 0xFF, {0x9A}};
}

}  // namespace

std::optional<AvrPart> findPart(std::string_view id)
{
    if (id == "m8")
        return atmega8();
    if (id == "t85")
        return attiny85();
    if (id == "m328p")
        return atmega328p();
    return std::nullopt;
}

std::string_view knownPartIds()
{
    return "m8, t85, m328p";
}

}  // namespace avr910sim
