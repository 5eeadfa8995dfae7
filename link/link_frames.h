#pragma once
// Byte values and timings of the programming link.

#include <cstdint>

#include "link/serial_port.h"

namespace t604::frames {

// From the PC.
inline constexpr std::uint8_t kHandshake[] = {'P', 'R', 'O', 'G', 'R', 'A', 'M'};
inline constexpr std::uint8_t kIdentRequest = 0x02;
inline constexpr std::uint8_t kAck = 0x06;  // also the radio's acknowledge
inline constexpr std::uint8_t kEndByte = 0x45;
inline constexpr std::uint8_t kReadCommand = 0x52;
inline constexpr std::uint8_t kWriteCommand = 0x57;
inline constexpr std::uint8_t kChipStatusRequest[] = {0x59, 0x52};

// From the radio.
inline constexpr std::uint8_t kVariantAReply = 0x53;
inline constexpr std::uint8_t kVariantBReply = 0x59;
inline constexpr std::uint8_t kOldRadioReply = 0x06;
inline constexpr std::uint8_t kIdent[] = {'P', '3', '2', '0', '7', '3', 0xF8, 0xFF};
inline constexpr std::uint8_t kReadReply = 0x57;
inline constexpr std::uint8_t kChipStatusHeader[] = {0x59, 0x53};
inline constexpr std::size_t kChipStatusReplySize = 13;
inline constexpr std::size_t kReplyHeaderSize = 4;  // 0x57, address, length

// Timers and sleeps of a run.
inline constexpr Millis kTxInterval = 1000;     // re-send of the current request
inline constexpr Millis kRxFirstInterval = 10;  // first poll after a send
inline constexpr Millis kRxInterval = 3;        // the polls after it
inline constexpr Millis kWatchdogInterval = 5000;
inline constexpr Millis kStartSleep = 500;
inline constexpr Millis kPortChangeSleep = 50;

}  // namespace t604::frames
