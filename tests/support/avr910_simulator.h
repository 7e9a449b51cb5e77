// Starts tools/avr910sim as a child process for a test and reads or presets the simulated chip.
// Plain C++ and POSIX; throws std::runtime_error when the simulator cannot be started.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

struct Avr910Fuses {
    std::uint8_t lfuse = 0xFF;
    std::uint8_t hfuse = 0xFF;
    std::uint8_t efuse = 0xFF;  // parts without an extended fuse: always FF
    std::uint8_t lock = 0xFF;
};

class Avr910Simulator {
public:
    struct Options {
        std::string part = "m8";          // avrdude part id the simulator plays: "m8", "t85" or "m328p"
        unsigned blockSize = 0;           // 0: byte mode; otherwise the block size `b` reports
        std::filesystem::path stateDir;   // empty: a fresh directory, removed with the simulator
        unsigned baud = 0;                // 0: answers at once; else as slowly as a line at that rate
    };

    Avr910Simulator();
    explicit Avr910Simulator(Options options);
    // Ends the simulator by its PID (SIGTERM, bounded wait, SIGKILL) and reaps it.
    ~Avr910Simulator();
    Avr910Simulator(const Avr910Simulator &) = delete;
    Avr910Simulator &operator=(const Avr910Simulator &) = delete;

    // The symlink to the pseudo-terminal: avrdude's -P value.
    const std::string &port() const { return port_; }
    const std::filesystem::path &stateDir() const { return stateDir_; }
    pid_t pid() const { return pid_; }

    // The chip as the simulator last stored it: after every avrdude run (at its `L`).
    std::vector<std::uint8_t> flash() const;
    std::vector<std::uint8_t> eeprom() const;
    Avr910Fuses fuses() const;

    // Presets take effect when the next avrdude run starts. Images shorter than the memory are padded with FF.
    void setFlash(const std::vector<std::uint8_t> &image) const;
    void setEeprom(const std::vector<std::uint8_t> &image) const;
    void setFuses(const Avr910Fuses &fuses) const;

private:
    void start();
    void stop();

    Options options_;
    std::filesystem::path workDir_;  // temporary: holds the port link (and the state unless given)
    std::filesystem::path stateDir_;
    std::string port_;
    pid_t pid_ = -1;
    int stdinWrite_ = -1;  // closing it also stops the simulator (end of stdin)
    int stdoutRead_ = -1;
};

// avrdude 7.1 has no AVR910 device code for the ATmega328P and refuses it on an AVR910
// programmer. While this lives, HOME names a folder whose .avrduderc gives m328p one, as a user
// with such a programmer would, so fixed command lines reach the simulated m328p (which plays
// whatever --part says, whichever code avrdude selects).
class M328pAvrduderc {
public:
    M328pAvrduderc();
    ~M328pAvrduderc();
    M328pAvrduderc(const M328pAvrduderc &) = delete;
    M328pAvrduderc &operator=(const M328pAvrduderc &) = delete;

private:
    std::filesystem::path home_;
    std::optional<std::string> previousHome_;
};
