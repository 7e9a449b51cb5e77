// The simulated serial line: a pseudo-terminal whose slave avrdude opens through a symlink.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace avr910sim {

class PtyLine {
public:
    // Opens the pair, makes the slave raw and links linkPath to it. Throws std::runtime_error.
    explicit PtyLine(std::filesystem::path linkPath);
    ~PtyLine();
    PtyLine(const PtyLine &) = delete;
    PtyLine &operator=(const PtyLine &) = delete;

    int fd() const { return master_; }  // poll it for POLLIN
    const std::string &slaveName() const { return slaveName_; }

    // Reads what is there (the master is non-blocking); empty when nothing is.
    std::vector<std::uint8_t> readAvailable();
    // Writes all bytes, waiting while the slave's input queue is full. False if the line is gone.
    bool writeAll(const std::vector<std::uint8_t> &bytes);

private:
    int master_ = -1;
    // Kept open for the simulator's whole life: a new slave is cooked (echo, CR to LF) and only
    // stays raw between avrdude runs if someone holds it open; it also keeps the master from
    // seeing a hang-up whenever avrdude closes the port.
    int slave_ = -1;
    std::string slaveName_;
    std::filesystem::path link_;
};

}  // namespace avr910sim
