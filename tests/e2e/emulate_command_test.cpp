// t604-cli emulate as a process: options, files, faults and pacing, seen
// through the port layer.

#include <poll.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "link/posix_serial_port.h"
#include "link/text_block.h"
#include "tests/e2e/emulator_process.h"

namespace t604 {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::Exchange;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

const Bytes kHandshake{'P', 'R', 'O', 'G', 'R', 'A', 'M'};

Bytes ReadRequest(std::uint16_t address, std::uint8_t length) {
    return {0x52, static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address), length};
}

// The data of a read reply, or empty when the reply is not one.
Bytes ReadBlock(SerialPort& port, std::uint16_t address, std::uint8_t length) {
    Bytes reply = Exchange(port, ReadRequest(address, length), length + 4u);
    if (reply.size() != length + 4u || reply[0] != 0x57) return {};
    return Bytes(reply.begin() + 4, reply.end());
}

Bytes ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

int RunCli(const std::string& args) {
    int status = std::system((std::string(T604_CLI_PATH) + " emulate " + args + " >/dev/null 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class EmulateCommand : public ::testing::Test {
protected:
    std::unique_ptr<SerialPort> openRadio() {
        OpenResult r = PosixPortSystem::openDevice(emulator.linkPath());
        EXPECT_TRUE(r.port) << r.error.device << ": " << r.error.reason;
        if (r.port) r.port->purge(kPurgeAll);
        return std::move(r.port);
    }

    test::EmulatorProcess emulator;
};

TEST_F(EmulateCommand, StopsOnSigtermRemovingItsLinkAndLeavingNothingBehind) {
    emulator.start();
    EXPECT_TRUE(fs::is_symlink(emulator.linkPath()));
    EXPECT_EQ(fs::read_symlink(emulator.linkPath()), emulator.devicePath());
    EXPECT_EQ(emulator.stop(), 0);
    EXPECT_TRUE(fs::is_empty(emulator.dir()));
}

TEST_F(EmulateCommand, ImageFillsTheStartAndEverySessionIsDumpedAcrossReconnects) {
    const std::string image = emulator.dir() + "/image.bin";
    const std::string dump = emulator.dir() + "/dump.bin";
    Bytes start(0x4010, 0);
    for (int i = 0; i < 16; ++i) start[0x4000 + i] = static_cast<std::uint8_t>(0xC0 + i);
    std::ofstream(image, std::ios::binary).write(reinterpret_cast<const char*>(start.data()),
                                                 static_cast<std::streamsize>(start.size()));
    emulator.start({"--image", image, "--dump", dump});

    {
        auto port = openRadio();
        ASSERT_TRUE(port);
        ASSERT_EQ(Exchange(*port, kHandshake, 1), Bytes{0x53});
        EXPECT_EQ(ReadBlock(*port, 0x4000, 16), Bytes(start.begin() + 0x4000, start.end()));
        EXPECT_EQ(ReadBlock(*port, 0x4010, 4), Bytes(4, 0)) << "beyond the image the memory is blank";
        EXPECT_EQ(Exchange(*port, {0x57, 0x40, 0x10, 2, 0xAB, 0xCD}, 1), Bytes{0x06});
        port->write(Bytes{0x45});
        ASSERT_TRUE(emulator.waitForOutput("saved " + dump));
    }
    Bytes first = ReadFile(dump);
    ASSERT_EQ(first.size(), 0x10000u);
    EXPECT_EQ(first[0x4000], 0xC0);
    EXPECT_EQ(first[0x4010], 0xAB);
    EXPECT_EQ(first[0x4011], 0xCD);

    auto port = openRadio();  // a second program run on the same emulator
    ASSERT_TRUE(port);
    ASSERT_EQ(Exchange(*port, kHandshake, 1), Bytes{0x53});
    EXPECT_EQ(Exchange(*port, {0x57, 0x40, 0x10, 1, 0x11}, 1), Bytes{0x06});
    port->write(Bytes{0x45});
    ASSERT_TRUE(emulator.waitForOutput("saved " + dump + "\nsession 2 ended\nsaved " + dump));
    EXPECT_EQ(ReadFile(dump)[0x4010], 0x11);

    emulator.stop();
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(emulator.dir())) left.push_back(entry.path().filename());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"dump.bin", "image.bin"})) << "no temporary dump files";
}

TEST_F(EmulateCommand, PasswordSynthFaultAndChipStatusOptionsShapeTheRadio) {
    emulator.start({"--variant", "b", "--password", "8421", "--faulty-synth", "--chip-status",
                    "0102030405060708090a0B"});
    auto port = openRadio();
    ASSERT_TRUE(port);
    EXPECT_EQ(Exchange(*port, {0x59, 0x52}, 13),
              (Bytes{0x59, 0x53, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    ASSERT_EQ(Exchange(*port, kHandshake, 1), Bytes{0x59});
    Bytes password = ReadBlock(*port, 0x41D0, 16);
    ASSERT_EQ(password.size(), 16u);
    EXPECT_EQ(DecodeTextBlock(password.data()), std::optional<std::string>("8421"));
    EXPECT_EQ(ReadBlock(*port, 0x8D95, 6), (Bytes{0x11, 0x3D, 0x37, 0x12, 0x01, 0x00}));
}

TEST_F(EmulateCommand, OldFormatRadioAnswersWithItsIdent) {
    emulator.start({"--variant", "old"});
    auto port = openRadio();
    ASSERT_TRUE(port);
    EXPECT_EQ(Exchange(*port, kHandshake, 1), Bytes{0x06});
    EXPECT_EQ(Exchange(*port, {0x02}, 8), (Bytes{'P', '3', '2', '0', '7', '3', 0xF8, 0xFF}));
    EXPECT_EQ(Exchange(*port, {0x06}, 1), Bytes{0x06});
    EXPECT_EQ(ReadBlock(*port, 0x0010, 16).size(), 16u);
    EXPECT_EQ(Exchange(*port, {0x06}, 1), Bytes{0x06});
}

TEST_F(EmulateCommand, FaultOptionsAreApplied) {
    emulator.start({"--fault", "drop:2", "--fault", "extra:3", "--fault", "silent:3"});
    auto port = openRadio();
    ASSERT_TRUE(port);
    ASSERT_EQ(Exchange(*port, kHandshake, 1), Bytes{0x53});
    EXPECT_TRUE(Exchange(*port, ReadRequest(0x4000, 16), 20, 300).empty()) << "reply 2 dropped";
    EXPECT_EQ(Exchange(*port, ReadRequest(0x4000, 16), 21).size(), 21u) << "reply 3 one byte long";
    EXPECT_TRUE(Exchange(*port, kHandshake, 1, 300).empty()) << "silent after 3";
}

TEST_F(EmulateCommand, WrongHandshakeFault) {
    emulator.start({"--fault", "handshake:15"});
    auto port = openRadio();
    ASSERT_TRUE(port);
    EXPECT_EQ(Exchange(*port, kHandshake, 1), Bytes{0x15});
}

// Only a lower bound: a block exchange cannot be faster than its 24 bytes
// on a 9600-baud wire (25 ms).
TEST_F(EmulateCommand, PacedRadioTakesAtLeastTheWireTime) {
    emulator.start({"--pace"});
    auto port = openRadio();
    ASSERT_TRUE(port);
    ASSERT_EQ(Exchange(*port, kHandshake, 1), Bytes{0x53});
    auto before = Clock::now();
    EXPECT_EQ(ReadBlock(*port, 0x4000, 16).size(), 16u);
    EXPECT_GE(Clock::now() - before, std::chrono::milliseconds(24));
}

TEST(EmulateCommandUsage, RefusesBadOptionsBeforeStarting) {
    EXPECT_EQ(RunCli("--variant c"), 2);
    EXPECT_EQ(RunCli("--fault lose:3"), 2);
    EXPECT_EQ(RunCli("--fault drop:0"), 2);
    EXPECT_EQ(RunCli("--chip-status 0102"), 2);
    EXPECT_EQ(RunCli("--chip-status 0102030405060708090a0g"), 2);
    EXPECT_EQ(RunCli("--password 1234567890123"), 2);
    EXPECT_EQ(RunCli("--image /nonexistent/image.bin"), 1);
    EXPECT_EQ(RunCli("stray"), 2);
}

TEST(EmulateCommandUsage, RefusesAnImageLargerThanTheRadiosMemory) {
    test::EmulatorProcess folder;  // only for its temporary folder
    const std::string image = folder.dir() + "/big.bin";
    std::ofstream(image, std::ios::binary) << std::string(0x10001, '\0');
    EXPECT_EQ(RunCli("--image " + image), 1);
}

}  // namespace
}  // namespace t604
