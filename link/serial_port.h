#pragma once
// The port layer: the few operations the programming protocol needs of a
// serial port. One interface, so that tests can script a port and a Windows
// backend can be added beside the POSIX one.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace t604 {

// Purge masks (named after the values the protocol has always used).
enum PurgeMask : unsigned {
    kPurgeAbortWrites = 0x01,
    kPurgeAbortReads = 0x02,
    kPurgeOutput = 0x04,
    kPurgeInput = 0x08,
    kPurgeAll = 0x0F,
};

using Millis = std::int64_t;

// An open, configured port: 9600 baud, 8N1, raw, no flow control, DTR and
// RTS on. Nothing here waits for data.
class SerialPort {
public:
    virtual ~SerialPort() = default;
    virtual void purge(unsigned mask) = 0;
    // Received bytes waiting in the input queue (also clears a line error).
    virtual std::size_t bytesWaiting() = 0;
    // Up to dest.size() bytes already received; returns how many.
    virtual std::size_t read(std::span<std::uint8_t> dest) = 0;
    virtual void write(std::span<const std::uint8_t> bytes) = 0;
    // A descriptor that becomes readable when bytes arrive, or -1.
    virtual int pollHandle() const { return -1; }
};

// Why a port could not be opened or configured.
struct PortError {
    std::string device;
    std::string reason;
};

struct OpenResult {
    std::unique_ptr<SerialPort> port;  // null on failure
    PortError error;
};

// The ports COM1..COM9 of the system and a way to sleep.
class PortSystem {
public:
    virtual ~PortSystem() = default;
    // The device that stands for COMn (n = 1..9).
    virtual std::string deviceName(int portNumber) const = 0;
    // Opens exclusively and applies the line settings. Closing is releasing
    // the returned port.
    virtual OpenResult open(int portNumber) = 0;
    // Blocks the calling thread (the fake of the tests advances its clock).
    virtual void sleep(Millis ms) = 0;
};

}  // namespace t604
