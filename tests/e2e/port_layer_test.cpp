// The POSIX port layer over a real pseudo-terminal, against the emulator.

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <fstream>
#include <vector>

#include "link/port_selection.h"
#include "link/posix_serial_port.h"
#include "tests/e2e/emulator_process.h"

namespace t604 {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::Exchange;
using Clock = std::chrono::steady_clock;

const Bytes kHandshake{'P', 'R', 'O', 'G', 'R', 'A', 'M'};

class PortLayer : public ::testing::Test {
protected:
    void SetUp() override { link = emulator.start(); }

    std::unique_ptr<SerialPort> openRadio() {
        OpenResult r = PosixPortSystem::openDevice(link);
        EXPECT_TRUE(r.port) << r.error.device << ": " << r.error.reason;
        return std::move(r.port);
    }

    test::EmulatorProcess emulator;
    std::string link;
};

TEST_F(PortLayer, HandshakeBlockWriteAndReadThroughThePort) {
    auto port = openRadio();
    ASSERT_TRUE(port);
    port->purge(kPurgeAll);
    EXPECT_EQ(Exchange(*port, kHandshake, 1), Bytes{0x53});

    Bytes write{0x57, 0x80, 0x80, 16};
    for (int i = 0; i < 16; ++i) write.push_back(static_cast<std::uint8_t>(0x30 + i));
    EXPECT_EQ(Exchange(*port, write, 1), Bytes{0x06});

    Bytes reply = Exchange(*port, {0x52, 0x80, 0x80, 16}, 20);
    ASSERT_EQ(reply.size(), 20u);
    EXPECT_EQ(Bytes(reply.begin(), reply.begin() + 4), (Bytes{0x57, 0x80, 0x80, 16}));
    EXPECT_EQ(Bytes(reply.begin() + 4, reply.end()), Bytes(write.begin() + 4, write.end()));

    port->write(Bytes{0x45});
    EXPECT_TRUE(emulator.waitForOutput("session 1 ended"));
}

TEST_F(PortLayer, SecondOpenOfTheSameDeviceIsRefusedUntilTheFirstCloses) {
    auto first = openRadio();
    ASSERT_TRUE(first);
    OpenResult second = PosixPortSystem::openDevice(link);
    EXPECT_FALSE(second.port);
    EXPECT_EQ(second.error.device, link);
    EXPECT_NE(second.error.reason.find("in use"), std::string::npos) << second.error.reason;

    first.reset();
    EXPECT_TRUE(openRadio()) << "closing releases the port";
}

// Root passes TIOCEXCL, so the lock against other programs is seen from an
// unprivileged child process.
TEST_F(PortLayer, OtherUsersCannotOpenTheHeldPortAndCanAfterItIsClosed) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to start a process of another user";
    ASSERT_EQ(::chmod(emulator.devicePath().c_str(), 0666), 0);
    auto openAsNobody = [&]() {
        pid_t child = ::fork();
        if (child == 0) {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
            // The device itself: the link's folder is private to root.
            int fd = ::open(emulator.devicePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
            ::_exit(fd >= 0 ? 0 : (errno == EBUSY ? 1 : 100 + errno));
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    auto port = openRadio();
    ASSERT_TRUE(port);
    EXPECT_EQ(openAsNobody(), 1) << "expected EBUSY while held";
    port.reset();
    EXPECT_EQ(openAsNobody(), 0) << "the exclusive flag must not outlive the port";
}

TEST_F(PortLayer, OpenAppliesTheRadioLineSettings) {
    auto port = openRadio();
    ASSERT_TRUE(port);
    termios tio{};
    ASSERT_EQ(::tcgetattr(port->pollHandle(), &tio), 0);
    EXPECT_EQ(cfgetispeed(&tio), B9600);
    EXPECT_EQ(cfgetospeed(&tio), B9600);
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_FALSE(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS));
    EXPECT_TRUE(tio.c_cflag & CREAD);
    EXPECT_FALSE(tio.c_iflag & (IXON | IXOFF | INPCK | ISTRIP | ICRNL | INLCR | IGNCR | PARMRK));
    EXPECT_FALSE(tio.c_lflag & (ICANON | ECHO | ISIG | IEXTEN));
    EXPECT_FALSE(tio.c_oflag & OPOST);
    EXPECT_EQ(tio.c_cc[VSTART], 0x11);
    EXPECT_EQ(tio.c_cc[VSTOP], 0x13);
}

TEST_F(PortLayer, BytesWaitingAndReadNeverWait) {
    auto port = openRadio();
    ASSERT_TRUE(port);
    port->purge(kPurgeAll);
    std::uint8_t buf[64];
    auto before = Clock::now();
    EXPECT_EQ(port->bytesWaiting(), 0u);
    EXPECT_EQ(port->read(buf), 0u);
    EXPECT_LT(Clock::now() - before, std::chrono::milliseconds(500));

    port->write(kHandshake);
    pollfd p{port->pollHandle(), POLLIN, 0};
    ASSERT_EQ(::poll(&p, 1, 5000), 1);
    EXPECT_EQ(port->bytesWaiting(), 1u);
    EXPECT_EQ(port->read(buf), 1u) << "a read returns what is there, not what was asked for";
    EXPECT_EQ(buf[0], 0x53);
}

TEST_F(PortLayer, PurgeOfTheInputQueueDropsAReplyThatArrived) {
    auto port = openRadio();
    ASSERT_TRUE(port);
    port->write(Bytes{0x59, 0x52});
    pollfd p{port->pollHandle(), POLLIN, 0};
    ASSERT_EQ(::poll(&p, 1, 5000), 1);
    port->purge(kPurgeInput);
    EXPECT_EQ(port->bytesWaiting(), 0u);
}

TEST_F(PortLayer, ScanListsTheFreeEmulatedPortAndNotAHeldOne) {
    FoundPorts = {};
    PosixPortSystem ports({{1, emulator.dir() + "/missing"}, {2, link}, {3, emulator.dir() + "/missing"},
                           {4, "/dev/null"}, {5, emulator.dir() + "/missing"},
                           {6, emulator.dir() + "/missing"}, {7, emulator.dir() + "/missing"},
                           {8, emulator.dir() + "/missing"}, {9, emulator.dir() + "/missing"}});
    EXPECT_EQ(ports.deviceName(2), link);
    ScanComPorts(ports);
    ASSERT_EQ(FoundPorts.count, 1) << "/dev/null is no serial port";
    EXPECT_EQ(FoundPorts.ports[0], 2);
    EXPECT_TRUE(ports.open(2).port) << "the scan closed what it opened";

    auto held = ports.open(2);
    ASSERT_TRUE(held.port);
    ScanComPorts(ports);
    EXPECT_EQ(FoundPorts.count, 0);
    FoundPorts = {};
}

TEST(PosixPortSystem, ComNumbersDefaultToUsbAdapters) {
    PosixPortSystem ports;
    EXPECT_EQ(ports.deviceName(1), "/dev/ttyUSB0");
    EXPECT_EQ(ports.deviceName(9), "/dev/ttyUSB8");
}

TEST(PosixPortSystem, OpenFailuresNameTheDeviceAndTheSystemReason) {
    OpenResult missing = PosixPortSystem::openDevice("/nonexistent/ttyX");
    EXPECT_FALSE(missing.port);
    EXPECT_EQ(missing.error.device, "/nonexistent/ttyX");
    EXPECT_NE(missing.error.reason.find("No such file"), std::string::npos) << missing.error.reason;

    OpenResult notSerial = PosixPortSystem::openDevice("/dev/null");
    EXPECT_FALSE(notSerial.port);
    EXPECT_NE(notSerial.error.reason.find("not a serial device"), std::string::npos)
        << notSerial.error.reason;
}

}  // namespace
}  // namespace t604
