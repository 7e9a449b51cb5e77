// The simulated AVR910 programmer driven by the real avrdude 7.1, the way the end-to-end tests use it.

#include "tests/avr910sim/avrdude_run.h"
#include "tests/support/avr910_simulator.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t M8FlashBytes = 8192;
constexpr std::size_t M8EepromBytes = 512;

std::string readText(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes readBytes(const std::filesystem::path &path)
{
    const std::string text = readText(path);
    return Bytes(text.begin(), text.end());
}

void writeBytes(const std::filesystem::path &path, const Bytes &bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Intel HEX with 16-byte data records at address 0 and an end record.
void writeIntelHex(const std::filesystem::path &path, const Bytes &bytes)
{
    std::string text;
    for (std::size_t at = 0; at < bytes.size(); at += 16) {
        const std::size_t count = std::min<std::size_t>(16, bytes.size() - at);
        unsigned sum = static_cast<unsigned>(count + (at >> 8) + (at & 0xFF));
        char field[16];
        std::snprintf(field, sizeof field, ":%02X%04X00", static_cast<unsigned>(count), static_cast<unsigned>(at));
        text += field;
        for (std::size_t i = 0; i < count; ++i) {
            std::snprintf(field, sizeof field, "%02X", bytes[at + i]);
            text += field;
            sum += bytes[at + i];
        }
        std::snprintf(field, sizeof field, "%02X\n", (0x100 - (sum & 0xFF)) & 0xFF);
        text += field;
    }
    text += ":00000001FF\n";
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// Not a multiple of the 64-byte page, so avrdude pads the last page by reading it first; no FF at the end.
Bytes testProgram(std::size_t size = 200)
{
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>((i * 7 + 3) % 0xFF);
    return bytes;
}

Bytes withPadding(Bytes bytes, std::size_t size)
{
    bytes.resize(size, 0xFF);
    return bytes;
}

std::vector<std::string> m8(const Avr910Simulator &sim, std::vector<std::string> more)
{
    std::vector<std::string> args = {"-p", "m8", "-c", "avr910", "-P", sim.port()};
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

// Runs avrdude and checks the line stayed in step: every reply came, with the length avrdude expects.
AvrdudeRun avrdude(const std::vector<std::string> &args)
{
    AvrdudeRun run = runAvrdude(args);
    EXPECT_EQ(run.output.find("not respond"), std::string::npos) << run.output;
    return run;
}

class Avr910SimTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/quillon-avr910sim-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr) << std::strerror(errno);
        dir_ = pattern;
    }
    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    std::string file(const std::string &name) const { return (dir_ / name).string(); }

    std::filesystem::path dir_;
};

TEST_F(Avr910SimTest, ReadsTheSignature)
{
    Avr910Simulator sim;
    const AvrdudeRun run = avrdude(m8(sim, {}));
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("device signature = 0x1e9307"), std::string::npos) << run.output;
}

TEST_F(Avr910SimTest, ServesSeveralRunsInARow)
{
    Avr910Simulator sim;
    for (int i = 0; i < 3; ++i) {
        const AvrdudeRun run = avrdude(m8(sim, {"-U", "lfuse:r:" + file("lfuse.txt") + ":d"}));
        EXPECT_EQ(run.exitCode, 0) << "run " << i << ":\n" << run.output;
        EXPECT_EQ(readText(file("lfuse.txt")), "225\n");
    }
}

TEST_F(Avr910SimTest, WritesFlashFromIntelHexAndReadsItBack)
{
    Avr910Simulator sim;
    const Bytes program = testProgram();
    writeIntelHex(file("program.hex"), program);

    const AvrdudeRun write = avrdude(m8(sim, {"-U", "flash:w:" + file("program.hex") + ":i"}));
    ASSERT_EQ(write.exitCode, 0) << write.output;
    EXPECT_NE(write.output.find("200 bytes of flash verified"), std::string::npos) << write.output;
    EXPECT_EQ(sim.flash(), withPadding(program, M8FlashBytes));

    // A second run against the same simulator; trailing FF are left out of the file.
    const AvrdudeRun read = avrdude(m8(sim, {"-U", "flash:r:" + file("back.bin") + ":r"}));
    ASSERT_EQ(read.exitCode, 0) << read.output;
    EXPECT_EQ(readBytes(file("back.bin")), program);
}

TEST_F(Avr910SimTest, FlashProgrammingOnlyClearsBits)
{
    Avr910Simulator sim;
    sim.setFlash(Bytes(64, 0x0F));
    writeBytes(file("program.bin"), Bytes(64, 0xF0));

    // Without erase (-D) the page becomes old AND new, which avrdude's verify reports.
    const AvrdudeRun run = avrdude(m8(sim, {"-D", "-U", "flash:w:" + file("program.bin") + ":r"}));
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_NE(run.output.find("verification mismatch"), std::string::npos) << run.output;
    EXPECT_EQ(sim.flash(), withPadding(Bytes(64, 0x00), M8FlashBytes));
}

TEST_F(Avr910SimTest, WritesAndReadsEeprom)
{
    Avr910Simulator sim;
    const Bytes data = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC};  // avrdude sleeps 9 ms per byte written
    writeBytes(file("data.bin"), data);

    const AvrdudeRun write = avrdude(m8(sim, {"-U", "eeprom:w:" + file("data.bin") + ":r"}));
    ASSERT_EQ(write.exitCode, 0) << write.output;
    EXPECT_EQ(sim.eeprom(), withPadding(data, M8EepromBytes));

    const AvrdudeRun read = avrdude(m8(sim, {"-U", "eeprom:r:" + file("back.bin") + ":r"}));
    ASSERT_EQ(read.exitCode, 0) << read.output;
    const Bytes back = readBytes(file("back.bin"));
    ASSERT_GE(back.size(), data.size());
    EXPECT_EQ(Bytes(back.begin(), back.begin() + static_cast<std::ptrdiff_t>(data.size())), data);
}

TEST_F(Avr910SimTest, ChipEraseSetsFlashAndEepromToFF)
{
    Avr910Simulator sim;
    sim.setFlash(testProgram());
    sim.setEeprom(Bytes(16, 0x55));

    const AvrdudeRun run = avrdude(m8(sim, {"-e"}));
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(sim.flash(), Bytes(M8FlashBytes, 0xFF));
    EXPECT_EQ(sim.eeprom(), Bytes(M8EepromBytes, 0xFF));
}

TEST_F(Avr910SimTest, ChipEraseKeepsEepromWhenEesaveIsProgrammed)
{
    Avr910Simulator sim;
    sim.setEeprom(Bytes(16, 0x55));
    sim.setFuses({.lfuse = 0xE1, .hfuse = 0xD1, .efuse = 0xFF, .lock = 0xFF});

    const AvrdudeRun run = avrdude(m8(sim, {"-e"}));
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(sim.eeprom(), withPadding(Bytes(16, 0x55), M8EepromBytes));
}

TEST_F(Avr910SimTest, ReadsFactoryFusesInDecimal)
{
    Avr910Simulator sim;
    const AvrdudeRun run = avrdude(m8(sim, {"-U", "lfuse:r:" + file("lfuse.txt") + ":d",
                                               "-U", "hfuse:r:" + file("hfuse.txt") + ":d",
                                               "-U", "lock:r:" + file("lock.txt") + ":d",
                                               "-U", "efuse:r:" + file("efuse.txt") + ":d"}));
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(readText(file("lfuse.txt")), "225\n");
    EXPECT_EQ(readText(file("hfuse.txt")), "217\n");
    EXPECT_EQ(readText(file("lock.txt")), "255\n");
    // The ATmega8 has no extended fuse: a warning, no file.
    EXPECT_NE(run.output.find("skipping -U efuse"), std::string::npos) << run.output;
    EXPECT_FALSE(std::filesystem::exists(file("efuse.txt")));
}

TEST_F(Avr910SimTest, WritesTheLowFuse)
{
    Avr910Simulator sim;
    const AvrdudeRun run = avrdude(m8(sim, {"-U", "lfuse:w:0xE4:m", "-U", "lfuse:r:" + file("lfuse.txt") + ":h"}));
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.output.find("warning"), std::string::npos) << run.output;
    EXPECT_EQ(readText(file("lfuse.txt")), "0xe4\n");
    const Avr910Fuses fuses = sim.fuses();
    EXPECT_EQ(fuses.lfuse, 0xE4);
    EXPECT_EQ(fuses.hfuse, 0xD9);
}

TEST_F(Avr910SimTest, LockBitsBlockFuseWritesUntilChipErase)
{
    Avr910Simulator sim;
    const AvrdudeRun lock = avrdude(m8(sim, {"-U", "lock:w:0xFC:m"}));
    ASSERT_EQ(lock.exitCode, 0) << lock.output;
    EXPECT_EQ(sim.fuses().lock, 0xFC);

    const AvrdudeRun blocked = avrdude(m8(sim, {"-U", "lfuse:w:0xE4:m"}));
    EXPECT_EQ(blocked.exitCode, 1) << blocked.output;
    EXPECT_EQ(sim.fuses().lfuse, 0xE1);

    const AvrdudeRun erased = avrdude(m8(sim, {"-e", "-U", "lfuse:w:0xE4:m"}));
    EXPECT_EQ(erased.exitCode, 0) << erased.output;
    EXPECT_EQ(sim.fuses().lock, 0xFF);
    EXPECT_EQ(sim.fuses().lfuse, 0xE4);
}

TEST_F(Avr910SimTest, Attiny85ExtendedFuse)
{
    Avr910Simulator sim({.part = "t85"});
    const std::vector<std::string> t85 = {"-p", "t85", "-c", "avr910", "-P", sim.port()};
    auto with = [&t85](std::vector<std::string> more) {
        std::vector<std::string> args = t85;
        args.insert(args.end(), more.begin(), more.end());
        return args;
    };

    const AvrdudeRun read = avrdude(with({"-U", "efuse:r:" + file("efuse.txt") + ":d"}));
    ASSERT_EQ(read.exitCode, 0) << read.output;
    EXPECT_NE(read.output.find("device signature = 0x1e930b"), std::string::npos) << read.output;
    EXPECT_EQ(readText(file("efuse.txt")), "255\n");

    const AvrdudeRun program = avrdude(with({"-U", "efuse:w:0xFE:m", "-U", "efuse:r:" + file("efuse.txt") + ":d"}));
    ASSERT_EQ(program.exitCode, 0) << program.output;
    EXPECT_EQ(readText(file("efuse.txt")), "254\n");
    EXPECT_EQ(sim.fuses().efuse, 0xFE);

    // avrdude sends only the existing bit (AC A4 00 01); the others read back as 1, so no warning.
    const AvrdudeRun unprogram = avrdude(with({"-U", "efuse:w:0xFF:m"}));
    ASSERT_EQ(unprogram.exitCode, 0) << unprogram.output;
    EXPECT_EQ(unprogram.output.find("warning"), std::string::npos) << unprogram.output;
    EXPECT_EQ(sim.fuses().efuse, 0xFF);
}

// The ATmega328P: avrdude 7.1 refuses it on an AVR910 programmer for want of a device code,
// unless the user's ~/.avrduderc gives it one; then the fixed command line reaches it, with its
// signature and its three fuses.
TEST_F(Avr910SimTest, Atmega328pWithADeviceCodeFromTheUsersConfiguration)
{
    Avr910Simulator sim({.part = "m328p"});
    const std::vector<std::string> m328p = {"-p", "m328p", "-c", "avr910", "-P", sim.port()};
    const AvrdudeRun refused = runAvrdude(m328p);
    EXPECT_NE(refused.output.find("selected device is not supported by programmer"), std::string::npos)
        << refused.output;

    const M328pAvrduderc devcode;
    std::vector<std::string> args = m328p;
    for (const char *fuse : {"lfuse", "hfuse", "efuse"})
        args.insert(args.end(), {"-U", std::string(fuse) + ":r:" + file(std::string(fuse) + ".txt") + ":d"});
    const AvrdudeRun read = avrdude(args);
    ASSERT_EQ(read.exitCode, 0) << read.output;
    EXPECT_NE(read.output.find("device signature = 0x1e950f"), std::string::npos) << read.output;
    EXPECT_EQ(readText(file("lfuse.txt")) + readText(file("hfuse.txt")) + readText(file("efuse.txt")), "98\n217\n255\n");
}

TEST_F(Avr910SimTest, AcceptsTheProductsCommandLine)
{
    Avr910Simulator sim;
    sim.setFlash(Bytes(300, 0x00));  // -e must clear this before the write
    const Bytes program = testProgram(100);
    writeIntelHex(file("program.hex"), program);

    // Leading stray words and -E exactly as the product puts them; the quotes around the file
    // name are gone after the product splits its command line.
    const AvrdudeRun run = avrdude({"/c", "/", "-p", "m8", "-P", sim.port(), "-E", "noreset,novcc", "-c",
                                       "avr910", "-e", "-U", "flash:w:" + file("program.hex") + ":a"});
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("-E option not supported by this programmer type"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("100 bytes of flash verified"), std::string::npos) << run.output;
    EXPECT_EQ(sim.flash(), withPadding(program, M8FlashBytes));
}

TEST_F(Avr910SimTest, BlockModeWritesAndReadsFlashAndEeprom)
{
    Avr910Simulator sim({.blockSize = 32});  // smaller than a page: several blocks per page
    const Bytes program = testProgram();
    writeIntelHex(file("program.hex"), program);
    const Bytes data = {0xA1, 0xB2, 0xC3};
    writeBytes(file("data.bin"), data);

    const AvrdudeRun write = avrdude(m8(sim, {"-U", "flash:w:" + file("program.hex") + ":i",
                                                 "-U", "eeprom:w:" + file("data.bin") + ":r",
                                                 "-U", "flash:r:" + file("back.bin") + ":r"}));
    ASSERT_EQ(write.exitCode, 0) << write.output;
    EXPECT_EQ(readBytes(file("back.bin")), program);
    EXPECT_EQ(sim.flash(), withPadding(program, M8FlashBytes));
    EXPECT_EQ(sim.eeprom(), withPadding(data, M8EepromBytes));
}

TEST_F(Avr910SimTest, PresetBetweenRunsReachesTheNextRun)
{
    Avr910Simulator sim;
    ASSERT_EQ(avrdude(m8(sim, {})).exitCode, 0);
    const Bytes program = testProgram(80);
    sim.setFlash(program);

    const AvrdudeRun read = avrdude(m8(sim, {"-U", "flash:r:" + file("back.bin") + ":r"}));
    ASSERT_EQ(read.exitCode, 0) << read.output;
    EXPECT_EQ(readBytes(file("back.bin")), program);
}

TEST_F(Avr910SimTest, ServesTheNextRunAfterAvrdudeWasKilledMidRun)
{
    Avr910Simulator sim;
    writeBytes(file("program.bin"), Bytes(8000, 0x5A));  // writing, verifying, reading: about 2 s

    const AvrdudeRun killed = runAvrdude(
        m8(sim, {"-U", "flash:w:" + file("program.bin") + ":r", "-U", "flash:r:" + file("back.bin") + ":r"}), 1);
    EXPECT_EQ(killed.exitCode, -1) << "avrdude finished before the watchdog:\n" << killed.output;

    const AvrdudeRun next = avrdude(m8(sim, {"-U", "lfuse:r:" + file("lfuse.txt") + ":d"}));
    EXPECT_EQ(next.exitCode, 0) << next.output;
    EXPECT_EQ(readText(file("lfuse.txt")), "225\n");
}

TEST_F(Avr910SimTest, StoppingRemovesThePortLinkAndEndsTheProcess)
{
    std::string port;
    pid_t pid = -1;
    {
        Avr910Simulator sim;
        port = sim.port();
        pid = sim.pid();
        EXPECT_TRUE(std::filesystem::is_symlink(port));
    }
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(port)));
    EXPECT_NE(::kill(pid, 0), 0);  // reaped: no such process any more
}

TEST_F(Avr910SimTest, EndOfStdinStopsTheSimulator)
{
    const char *tools = std::getenv("QUILLON_TOOLS_DIR");
    ASSERT_NE(tools, nullptr);
    const std::string command = "timeout 10 " + std::string(tools) + "/avr910sim --port-link " + file("tty") +
                                " --state " + file("state") + " </dev/null >" + file("out.txt");
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(readText(file("out.txt")), "ready\n");
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(file("tty"))));
    EXPECT_EQ(readBytes(file("state/flash.bin")), Bytes(M8FlashBytes, 0xFF));
    EXPECT_EQ(readText(file("state/fuses.txt")), "part=m8\nlfuse=0xE1\nhfuse=0xD9\nlock=0xFF\n");
}

}  // namespace

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
