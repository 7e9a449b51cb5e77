#include "tools/avr910sim/chip_state_files.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>

namespace avr910sim {

namespace {

const char *const FlashFile = "flash.bin";
const char *const EepromFile = "eeprom.bin";
const char *const FusesFile = "fuses.txt";

void writeWhole(const std::filesystem::path &path, const std::string &content)
{
    std::filesystem::path temporary = path;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.close();
        if (!out)
            throw std::runtime_error("cannot write " + temporary.string());
    }
    std::filesystem::rename(temporary, path);
}

std::string readWhole(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::uint8_t> readImage(const std::filesystem::path &path, std::size_t size)
{
    const std::string bytes = readWhole(path);
    if (bytes.size() > size)
        throw std::runtime_error(path.string() + " holds " + std::to_string(bytes.size()) +
                                 " bytes, the part has " + std::to_string(size));
    std::vector<std::uint8_t> image(bytes.begin(), bytes.end());
    image.resize(size, 0xFF);
    return image;
}

std::string hexByte(std::uint8_t value)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value);
    return text;
}

std::uint8_t parseByte(const std::string &key, const std::string &value, const std::filesystem::path &path)
{
    std::size_t used = 0;
    unsigned long number = 0;
    try {
        number = std::stoul(value, &used, 0);
    } catch (const std::exception &) {
        used = 0;
    }
    if (used == 0 || used != value.size() || number > 0xFF)
        throw std::runtime_error(path.string() + ": " + key + " is not a byte: " + value);
    return static_cast<std::uint8_t>(number);
}

}  // namespace

ChipStateFiles::ChipStateFiles(std::filesystem::path directory, AvrPart part)
    : directory_(std::move(directory)), part_(std::move(part))
{
}

ChipMemories ChipStateFiles::load() const
{
    std::filesystem::create_directories(directory_);
    const ChipMemories factory = factoryMemories(part_);
    if (!std::filesystem::exists(directory_ / FlashFile))
        writeWhole(directory_ / FlashFile, std::string(factory.flash.begin(), factory.flash.end()));
    if (!std::filesystem::exists(directory_ / EepromFile))
        writeWhole(directory_ / EepromFile, std::string(factory.eeprom.begin(), factory.eeprom.end()));
    if (!std::filesystem::exists(directory_ / FusesFile))
        save(factory);

    ChipMemories m = factory;
    m.flash = readImage(directory_ / FlashFile, part_.flashBytes);
    m.eeprom = readImage(directory_ / EepromFile, part_.eepromBytes);

    // Keys that are missing keep their factory values, so a test can preset just one fuse.
    std::istringstream lines(readWhole(directory_ / FusesFile));
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line.front() == '#')
            continue;
        const auto equals = line.find('=');
        if (equals == std::string::npos)
            throw std::runtime_error((directory_ / FusesFile).string() + ": no '=' in line: " + line);
        const std::string key = line.substr(0, equals);
        const std::string value = line.substr(equals + 1);
        if (key == "part") {
            if (value != part_.id)
                throw std::runtime_error((directory_ / FusesFile).string() + " belongs to part " + value +
                                         ", the simulator plays " + std::string(part_.id));
        } else if (key == "lfuse") {
            m.lfuse = parseByte(key, value, directory_ / FusesFile);
        } else if (key == "hfuse") {
            m.hfuse = parseByte(key, value, directory_ / FusesFile);
        } else if (key == "efuse") {
            m.efuse = parseByte(key, value, directory_ / FusesFile);
        } else if (key == "lock") {
            m.lock = parseByte(key, value, directory_ / FusesFile);
        } else {
            throw std::runtime_error((directory_ / FusesFile).string() + ": unknown key " + key);
        }
    }
    return m;
}

void ChipStateFiles::save(const ChipMemories &memories) const
{
    std::filesystem::create_directories(directory_);
    writeWhole(directory_ / FlashFile, std::string(memories.flash.begin(), memories.flash.end()));
    writeWhole(directory_ / EepromFile, std::string(memories.eeprom.begin(), memories.eeprom.end()));

    std::string fuses = "part=" + std::string(part_.id) + "\n";
    fuses += "lfuse=" + hexByte(memories.lfuse) + "\n";
    fuses += "hfuse=" + hexByte(memories.hfuse) + "\n";
    if (part_.hasEfuse)
        fuses += "efuse=" + hexByte(memories.efuse) + "\n";
    fuses += "lock=" + hexByte(memories.lock) + "\n";
    writeWhole(directory_ / FusesFile, fuses);
}

}  // namespace avr910sim
