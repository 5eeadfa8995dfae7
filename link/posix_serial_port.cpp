#include "link/posix_serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

namespace t604 {

namespace {

// A write that cannot get rid of a frame within this time gives up: the
// protocol re-sends it and its watchdog ends a run that stays stuck.
constexpr int kWriteStallMs = 2000;

std::string SystemReason(const char* what, int err) {
    return std::string(what) + ": " + std::strerror(err);
}

// 9600 baud, 8 data bits, no parity, one stop bit, binary, no flow control
// of any kind. Everything else keeps the driver's values.
void ApplyRadioLineSettings(termios& tio) {
    cfmakeraw(&tio);  // binary: no echo, no line editing, no translation, CS8, no parity
    cfsetispeed(&tio, B9600);
    cfsetospeed(&tio, B9600);
    tio.c_cflag &= ~(CSTOPB | CRTSCTS);
    tio.c_cflag |= CREAD | CLOCAL;  // receiver on; DSR/DCD do not gate anything
    tio.c_iflag &= ~(INPCK | IXOFF | IXANY);
    tio.c_cc[VSTART] = 0x11;
    tio.c_cc[VSTOP] = 0x13;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
}

bool HasRadioLineSettings(const termios& tio) {
    return cfgetispeed(&tio) == B9600 && cfgetospeed(&tio) == B9600 &&
           (tio.c_cflag & CSIZE) == CS8 && !(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS)) &&
           !(tio.c_iflag & (IXON | IXOFF)) && !(tio.c_lflag & ICANON);
}

}  // namespace

PosixSerialPort::PosixSerialPort(int fd) : fd_(fd) {}

PosixSerialPort::~PosixSerialPort() {
    // The exclusive flag belongs to the terminal, not to this descriptor: a
    // terminal that someone else keeps open would stay locked after us.
    ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);  // also releases the flock
}

void PosixSerialPort::purge(unsigned mask) {
    // Reads and writes are synchronous here, so there is nothing pending to
    // abort; only the two queues can be discarded.
    if ((mask & kPurgeInput) && (mask & kPurgeOutput))
        ::tcflush(fd_, TCIOFLUSH);
    else if (mask & kPurgeInput)
        ::tcflush(fd_, TCIFLUSH);
    else if (mask & kPurgeOutput)
        ::tcflush(fd_, TCOFLUSH);
}

std::size_t PosixSerialPort::bytesWaiting() {
    int waiting = 0;
    if (::ioctl(fd_, FIONREAD, &waiting) != 0 || waiting < 0) return 0;
    return static_cast<std::size_t>(waiting);
}

std::size_t PosixSerialPort::read(std::span<std::uint8_t> dest) {
    if (dest.empty()) return 0;
    for (;;) {
        ssize_t n = ::read(fd_, dest.data(), dest.size());
        if (n >= 0) return static_cast<std::size_t>(n);
        if (errno != EINTR) return 0;  // EAGAIN: nothing there; a hang-up reads as silence
    }
}

void PosixSerialPort::write(std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN) return;
        pollfd p{fd_, POLLOUT, 0};
        int ready = ::poll(&p, 1, kWriteStallMs);
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0 || (p.revents & (POLLERR | POLLHUP | POLLNVAL))) return;
    }
}

PosixPortSystem::PosixPortSystem(std::map<int, std::string> devices) : devices_(std::move(devices)) {}

std::string PosixPortSystem::deviceName(int portNumber) const {
    auto it = devices_.find(portNumber);
    if (it != devices_.end()) return it->second;
    return "/dev/ttyUSB" + std::to_string(portNumber - 1);
}

OpenResult PosixPortSystem::open(int portNumber) { return openDevice(deviceName(portNumber)); }

void PosixPortSystem::sleep(Millis ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

OpenResult PosixPortSystem::openDevice(const std::string& path) {
    auto failure = [&](const char* what, int err, int fd) {
        if (fd >= 0) ::close(fd);
        return OpenResult{nullptr, PortError{path, SystemReason(what, err)}};
    };

    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return failure("cannot open", errno, -1);
    if (!::isatty(fd)) return failure("not a serial device", ENOTTY, fd);

    // TIOCEXCL keeps other programs out (root passes it); the flock also
    // refuses a second open from this program and from root.
    if (::ioctl(fd, TIOCEXCL) != 0) return failure("cannot lock", errno, fd);
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        int err = errno;
        ::ioctl(fd, TIOCNXCL);
        return failure(err == EWOULDBLOCK ? "in use" : "cannot lock", err, fd);
    }
    auto port = std::make_unique<PosixSerialPort>(fd);  // owns fd from here on

    termios tio{};
    if (::tcgetattr(fd, &tio) != 0)
        return OpenResult{nullptr, PortError{path, SystemReason("cannot read the line settings", errno)}};
    // The driver's queue sizes cannot be set on POSIX terminals; the kernel's
    // buffers (4 KiB and more) are larger than the 1024 bytes the link asks for.
    ApplyRadioLineSettings(tio);
    if (::tcsetattr(fd, TCSANOW, &tio) != 0)
        return OpenResult{nullptr, PortError{path, SystemReason("cannot apply the line settings", errno)}};
    termios applied{};
    if (::tcgetattr(fd, &applied) != 0 || !HasRadioLineSettings(applied))
        return OpenResult{nullptr, PortError{path, "the driver refused 9600 baud 8N1 without flow control"}};

    // DTR and RTS on and held on. A device without modem lines (a
    // pseudo-terminal) refuses the request, which is no failure.
    int lines = TIOCM_DTR | TIOCM_RTS;
    if (::ioctl(fd, TIOCMBIS, &lines) != 0 && errno != ENOTTY && errno != EINVAL)
        return OpenResult{nullptr, PortError{path, SystemReason("cannot switch DTR and RTS on", errno)}};

    return OpenResult{std::move(port), {}};
}

std::string SingleDevicePortSystem::deviceName(int portNumber) const {
    return portNumber == 1 ? device_ : "COM" + std::to_string(portNumber) + " (not in use)";
}

OpenResult SingleDevicePortSystem::open(int portNumber) {
    if (portNumber != 1) return {nullptr, {deviceName(portNumber), "only COM1 is in use"}};
    return PosixPortSystem::openDevice(device_);
}

}  // namespace t604
