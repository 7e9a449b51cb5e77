// The programmer side of the AVR910 protocol, as avrdude 7.1's avr910 driver speaks it.
// Bytes come in one at a time (the line delivers them in arbitrary pieces); a command runs once
// all its argument bytes are there and its reply is appended to the caller's buffer.
#pragma once

#include "tools/avr910sim/avr_chip.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace avr910sim {

struct ProgrammerOptions {
    unsigned blockSize = 0;     // 0: byte mode only (`b` answers '?'); otherwise the B/g buffer size
    bool autoIncrement = true;  // answer to `a`; the address advances either way
};

class Avr910Protocol {
public:
    enum class Event { None, SessionStarted, SessionEnded };

    Avr910Protocol(AvrChip &chip, ProgrammerOptions options);

    // Takes one byte from the line. Returns SessionStarted on `S` (avrdude's first command) and
    // SessionEnded on `L` (its last), so the caller can load and store the chip state around a run.
    Event feed(std::uint8_t byte, std::vector<std::uint8_t> &reply);

    bool midCommand() const { return !pending_.empty(); }
    // Drops a command whose arguments never came (avrdude killed mid-write), so the next run starts clean.
    void abandonCommand() { pending_.clear(); }

    std::uint16_t address() const { return address_; }

private:
    struct Command;
    static const Command *findCommand(std::uint8_t code);
    std::size_t bytesNeeded(const Command &command) const;

    std::uint8_t isp(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d);
    void loadFlashByte(bool high, std::uint8_t data);
    void writeCurrentPage();

    // One handler per command; args are the bytes after the command byte.
    void identify(const std::uint8_t *args, std::vector<std::uint8_t> &reply);
    void softwareVersion(const std::uint8_t *args, std::vector<std::uint8_t> &reply);
    void hardwareVersion(const std::uint8_t *args, std::vector<std::uint8_t> &reply);
    void programmerType(const std::uint8_t *args, std::vector<std::uint8_t> &reply);
    void autoIncrementSupport(const std::uint8_t *args, std::vector<std::uint8_t> &reply);
    void blockSupport(const std::uint8_t *args, std::vector<std::uint8_t> &reply);
    void deviceCodes(const std::uint8_t *args, std::vector<std::uint8_t> &reply);
    void acknowledge(const std::uint8_t *args, std::vector<std::uint8_t> &reply);
    void enterProgramming(const std::uint8_t *args, std::vector<std::uint8_t> &reply);
    void readSignature(const std::uint8_t *args, std::vector<std::uint8_t> &reply);
    void chipErase(const std::uint8_t *args, std::vector<std::uint8_t> &reply);
    void setAddress(const std::uint8_t *args, std::vector<std::uint8_t> &reply);
    void loadFlashLow(const std::uint8_t *args, std::vector<std::uint8_t> &reply);
    void loadFlashHigh(const std::uint8_t *args, std::vector<std::uint8_t> &reply);
    void writePage(const std::uint8_t *args, std::vector<std::uint8_t> &reply);
    void readFlashWord(const std::uint8_t *args, std::vector<std::uint8_t> &reply);
    void writeEeprom(const std::uint8_t *args, std::vector<std::uint8_t> &reply);
    void readEeprom(const std::uint8_t *args, std::vector<std::uint8_t> &reply);
    void blockWrite(const std::uint8_t *args, std::vector<std::uint8_t> &reply);
    void blockRead(const std::uint8_t *args, std::vector<std::uint8_t> &reply);
    void universal4(const std::uint8_t *args, std::vector<std::uint8_t> &reply);
    void universal3(const std::uint8_t *args, std::vector<std::uint8_t> &reply);

    AvrChip &chip_;
    ProgrammerOptions options_;
    std::vector<std::uint8_t> pending_;  // command byte plus the arguments received so far
    std::uint16_t address_ = 0;          // flash: word address; EEPROM: byte address
    bool pageLoaded_ = false;            // block mode: page buffer holds bytes not yet written
};

}  // namespace avr910sim
