#pragma once
// The port layer over a POSIX terminal device (a USB serial adapter, or the
// pseudo-terminal of the virtual radio).

#include <map>
#include <string>

#include "link/serial_port.h"

namespace t604 {

// An open terminal device, exclusively held, in the radio's line settings.
class PosixSerialPort : public SerialPort {
public:
    // Takes ownership of an open, configured descriptor.
    explicit PosixSerialPort(int fd);
    ~PosixSerialPort() override;
    PosixSerialPort(const PosixSerialPort&) = delete;
    PosixSerialPort& operator=(const PosixSerialPort&) = delete;

    void purge(unsigned mask) override;
    std::size_t bytesWaiting() override;
    std::size_t read(std::span<std::uint8_t> dest) override;
    void write(std::span<const std::uint8_t> bytes) override;
    int pollHandle() const override { return fd_; }

private:
    int fd_;
};

class PosixPortSystem : public PortSystem {
public:
    // COMn is /dev/ttyUSB(n-1) unless the map names another device for n.
    explicit PosixPortSystem(std::map<int, std::string> devices = {});
    std::string deviceName(int portNumber) const override;
    OpenResult open(int portNumber) override;
    void sleep(Millis ms) override;
    // Opens one device exclusively and applies the line settings.
    static OpenResult openDevice(const std::string& path);

private:
    std::map<int, std::string> devices_;
};

// COM1 is the one device given; COM2..COM9 do not exist, so that the port
// scan at the start of a run touches no other serial device.
class SingleDevicePortSystem : public PortSystem {
public:
    explicit SingleDevicePortSystem(std::string device) : device_(std::move(device)) {}
    std::string deviceName(int portNumber) const override;
    OpenResult open(int portNumber) override;
    void sleep(Millis ms) override { system_.sleep(ms); }

private:
    std::string device_;
    PosixPortSystem system_;
};

}  // namespace t604
