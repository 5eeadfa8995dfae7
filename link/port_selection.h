#pragma once
// Which of the ports COM1..COM9 exist and are free.

#include <array>
#include <cstdint>

#include "link/serial_port.h"

namespace t604 {

inline constexpr int kHighestPort = 9;

// Port numbers that could be opened at the last scan, ascending.
struct FoundPortList {
    std::array<std::uint8_t, kHighestPort> ports{};
    std::uint8_t count = 0;

    bool contains(int portNumber) const;
    void clear() { count = 0; }
    void append(int portNumber);
};

// The ports of the last ScanComPorts; rebuilt before every programming run.
inline FoundPortList FoundPorts;

// Tries COM1..COM9 in order; every port that opens is listed and closed at once.
void ScanComPorts(PortSystem& ports);

// A stored port choice that the last scan did not find falls back to COM1.
int PortAfterScan(int storedPort, const FoundPortList& found);

}  // namespace t604
