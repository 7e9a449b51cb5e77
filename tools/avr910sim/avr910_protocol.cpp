#include "tools/avr910sim/avr910_protocol.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace avr910sim {

namespace {

constexpr std::uint8_t Cr = 0x0D;
constexpr std::string_view ProgrammerId = "AVR ISP";  // exactly 7 bytes, no terminator
constexpr std::string_view SoftwareVersion = "38";
constexpr std::string_view HardwareVersion = "12";

// Every code avrdude.conf uses, so avrdude accepts any part that has one; the chip model stays
// whatever --part says (a device code does not identify a chip).
constexpr std::array<std::uint8_t, 26> DeviceCodes = {0x13, 0x20, 0x28, 0x30, 0x34, 0x38, 0x3A, 0x41, 0x43,
                                                      0x45, 0x4C, 0x55, 0x56, 0x5C, 0x5E, 0x60, 0x63, 0x64,
                                                      0x68, 0x69, 0x6C, 0x72, 0x74, 0x75, 0x76, 0x78};

void append(std::vector<std::uint8_t> &reply, std::string_view text)
{
    reply.insert(reply.end(), text.begin(), text.end());
}

}  // namespace

struct Avr910Protocol::Command {
    std::uint8_t code;
    std::size_t fixedArguments;
    void (Avr910Protocol::*run)(const std::uint8_t *, std::vector<std::uint8_t> &);
};

const Avr910Protocol::Command *Avr910Protocol::findCommand(std::uint8_t code)
{
    static const std::array<Command, 26> commands = {{
        {'S', 0, &Avr910Protocol::identify},
        {'V', 0, &Avr910Protocol::softwareVersion},
        {'v', 0, &Avr910Protocol::hardwareVersion},
        {'p', 0, &Avr910Protocol::programmerType},
        {'a', 0, &Avr910Protocol::autoIncrementSupport},
        {'b', 0, &Avr910Protocol::blockSupport},
        {'t', 0, &Avr910Protocol::deviceCodes},
        {'T', 1, &Avr910Protocol::acknowledge},
        {'P', 0, &Avr910Protocol::enterProgramming},
        {'L', 0, &Avr910Protocol::acknowledge},
        {'E', 0, &Avr910Protocol::acknowledge},
        {'x', 1, &Avr910Protocol::acknowledge},
        {'y', 1, &Avr910Protocol::acknowledge},
        {'s', 0, &Avr910Protocol::readSignature},
        {'e', 0, &Avr910Protocol::chipErase},
        {'A', 2, &Avr910Protocol::setAddress},
        {'c', 1, &Avr910Protocol::loadFlashLow},
        {'C', 1, &Avr910Protocol::loadFlashHigh},
        {'m', 0, &Avr910Protocol::writePage},
        {'R', 0, &Avr910Protocol::readFlashWord},
        {'D', 1, &Avr910Protocol::writeEeprom},
        {'d', 0, &Avr910Protocol::readEeprom},
        {'B', 3, &Avr910Protocol::blockWrite},
        {'g', 3, &Avr910Protocol::blockRead},
        {'.', 4, &Avr910Protocol::universal4},
        {':', 3, &Avr910Protocol::universal3},
    }};
    const auto it = std::find_if(commands.begin(), commands.end(),
                                 [code](const Command &c) { return c.code == code; });
    return it == commands.end() ? nullptr : &*it;
}

Avr910Protocol::Avr910Protocol(AvrChip &chip, ProgrammerOptions options) : chip_(chip), options_(options) {}

std::size_t Avr910Protocol::bytesNeeded(const Command &command) const
{
    std::size_t needed = 1 + command.fixedArguments;
    if (command.code == 'B' && pending_.size() >= 3)
        needed += (std::size_t{pending_[1]} << 8) | pending_[2];
    return needed;
}

Avr910Protocol::Event Avr910Protocol::feed(std::uint8_t byte, std::vector<std::uint8_t> &reply)
{
    pending_.push_back(byte);
    const Command *command = findCommand(pending_.front());
    if (!command) {
        // Not a command of this programmer: AVR910 firmware answers '?'.
        pending_.clear();
        reply.push_back('?');
        return Event::None;
    }
    if (pending_.size() < bytesNeeded(*command))
        return Event::None;

    std::vector<std::uint8_t> complete;
    complete.swap(pending_);
    (this->*command->run)(complete.data() + 1, reply);
    if (command->code == 'S')
        return Event::SessionStarted;
    if (command->code == 'L')
        return Event::SessionEnded;
    return Event::None;
}

std::uint8_t Avr910Protocol::isp(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d)
{
    return chip_.transfer({a, b, c, d})[3];
}

void Avr910Protocol::loadFlashByte(bool high, std::uint8_t data)
{
    isp(high ? 0x48 : 0x40, static_cast<std::uint8_t>(address_ >> 8), static_cast<std::uint8_t>(address_), data);
}

void Avr910Protocol::writeCurrentPage()
{
    isp(0x4C, static_cast<std::uint8_t>(address_ >> 8), static_cast<std::uint8_t>(address_), 0x00);
}

void Avr910Protocol::identify(const std::uint8_t *, std::vector<std::uint8_t> &reply)
{
    append(reply, ProgrammerId);
}

void Avr910Protocol::softwareVersion(const std::uint8_t *, std::vector<std::uint8_t> &reply)
{
    append(reply, SoftwareVersion);
}

void Avr910Protocol::hardwareVersion(const std::uint8_t *, std::vector<std::uint8_t> &reply)
{
    append(reply, HardwareVersion);
}

void Avr910Protocol::programmerType(const std::uint8_t *, std::vector<std::uint8_t> &reply)
{
    reply.push_back('S');
}

void Avr910Protocol::autoIncrementSupport(const std::uint8_t *, std::vector<std::uint8_t> &reply)
{
    reply.push_back(options_.autoIncrement ? 'Y' : 'N');
}

void Avr910Protocol::blockSupport(const std::uint8_t *, std::vector<std::uint8_t> &reply)
{
    if (options_.blockSize == 0) {
        reply.push_back('?');
        return;
    }
    reply.push_back('Y');
    reply.push_back(static_cast<std::uint8_t>(options_.blockSize >> 8));
    reply.push_back(static_cast<std::uint8_t>(options_.blockSize));
}

void Avr910Protocol::deviceCodes(const std::uint8_t *, std::vector<std::uint8_t> &reply)
{
    reply.insert(reply.end(), DeviceCodes.begin(), DeviceCodes.end());
    reply.push_back(0x00);
}

void Avr910Protocol::acknowledge(const std::uint8_t *, std::vector<std::uint8_t> &reply)
{
    reply.push_back(Cr);
}

void Avr910Protocol::enterProgramming(const std::uint8_t *, std::vector<std::uint8_t> &reply)
{
    chip_.transfer({0xAC, 0x53, 0x00, 0x00});
    reply.push_back(Cr);
}

void Avr910Protocol::readSignature(const std::uint8_t *, std::vector<std::uint8_t> &reply)
{
    // Last signature byte first.
    for (std::uint8_t i = 3; i-- > 0;)
        reply.push_back(isp(0x30, 0x00, i, 0x00));
}

void Avr910Protocol::chipErase(const std::uint8_t *, std::vector<std::uint8_t> &reply)
{
    isp(0xAC, 0x80, 0x00, 0x00);
    pageLoaded_ = false;
    reply.push_back(Cr);
}

void Avr910Protocol::setAddress(const std::uint8_t *args, std::vector<std::uint8_t> &reply)
{
    address_ = static_cast<std::uint16_t>((args[0] << 8) | args[1]);
    reply.push_back(Cr);
}

void Avr910Protocol::loadFlashLow(const std::uint8_t *args, std::vector<std::uint8_t> &reply)
{
    loadFlashByte(false, args[0]);
    reply.push_back(Cr);
}

void Avr910Protocol::loadFlashHigh(const std::uint8_t *args, std::vector<std::uint8_t> &reply)
{
    loadFlashByte(true, args[0]);
    ++address_;
    reply.push_back(Cr);
}

void Avr910Protocol::writePage(const std::uint8_t *, std::vector<std::uint8_t> &reply)
{
    writeCurrentPage();
    reply.push_back(Cr);
}

void Avr910Protocol::readFlashWord(const std::uint8_t *, std::vector<std::uint8_t> &reply)
{
    const auto hi = static_cast<std::uint8_t>(address_ >> 8);
    const auto lo = static_cast<std::uint8_t>(address_);
    reply.push_back(isp(0x28, hi, lo, 0x00));  // high byte first
    reply.push_back(isp(0x20, hi, lo, 0x00));
    ++address_;
}

void Avr910Protocol::writeEeprom(const std::uint8_t *args, std::vector<std::uint8_t> &reply)
{
    isp(0xC0, static_cast<std::uint8_t>(address_ >> 8), static_cast<std::uint8_t>(address_), args[0]);
    ++address_;
    reply.push_back(Cr);
}

void Avr910Protocol::readEeprom(const std::uint8_t *, std::vector<std::uint8_t> &reply)
{
    reply.push_back(isp(0xA0, static_cast<std::uint8_t>(address_ >> 8), static_cast<std::uint8_t>(address_), 0x00));
    ++address_;
}

void Avr910Protocol::blockWrite(const std::uint8_t *args, std::vector<std::uint8_t> &reply)
{
    const std::size_t count = (std::size_t{args[0]} << 8) | args[1];
    const std::uint8_t *data = args + 3;
    if (args[2] == 'F') {
        // No `m` follows a flash block: write each page as it fills, and the last one when the block ends.
        const std::size_t pageWords = chip_.part().pageWords();
        for (std::size_t i = 0; i < count; ++i) {
            const bool high = (i % 2) == 1;
            loadFlashByte(high, data[i]);
            pageLoaded_ = true;
            if (!high)
                continue;
            if ((address_ + 1u) % pageWords == 0) {
                writeCurrentPage();
                pageLoaded_ = false;
            }
            ++address_;
        }
        if (pageLoaded_) {
            writeCurrentPage();
            pageLoaded_ = false;
        }
    } else if (args[2] == 'E') {
        for (std::size_t i = 0; i < count; ++i) {
            isp(0xC0, static_cast<std::uint8_t>(address_ >> 8), static_cast<std::uint8_t>(address_), data[i]);
            ++address_;
        }
    }
    reply.push_back(Cr);
}

void Avr910Protocol::blockRead(const std::uint8_t *args, std::vector<std::uint8_t> &reply)
{
    const std::size_t count = (std::size_t{args[0]} << 8) | args[1];
    for (std::size_t i = 0; i < count; ++i) {
        const auto hi = static_cast<std::uint8_t>(address_ >> 8);
        const auto lo = static_cast<std::uint8_t>(address_);
        if (args[2] == 'F') {
            const bool high = (i % 2) == 1;
            reply.push_back(isp(high ? 0x28 : 0x20, hi, lo, 0x00));  // memory order: low byte first
            if (high)
                ++address_;
        } else {
            reply.push_back(args[2] == 'E' ? isp(0xA0, hi, lo, 0x00) : 0xFF);
            ++address_;
        }
    }
}

void Avr910Protocol::universal4(const std::uint8_t *args, std::vector<std::uint8_t> &reply)
{
    reply.push_back(isp(args[0], args[1], args[2], args[3]));
    reply.push_back(Cr);
}

void Avr910Protocol::universal3(const std::uint8_t *args, std::vector<std::uint8_t> &reply)
{
    reply.push_back(isp(args[0], args[1], args[2], 0x00));
    reply.push_back(Cr);
}

}  // namespace avr910sim
