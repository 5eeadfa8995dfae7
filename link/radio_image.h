#pragma once
// The radio's memory as transferred, and the customer-information buffer:
// program-wide, zero at start, kept between programming runs.

#include <array>
#include <cstddef>
#include <cstdint>

namespace t604 {

// Current radios: image offset o holds radio address 0x4000 + o.
// Old-format radios: image offset o holds radio address o.
inline constexpr std::size_t kRadioImageSize = 32768;
inline constexpr std::uint16_t kImageBase = 0x4000;
inline std::array<std::uint8_t, kRadioImageSize> RadioImage{};

// Bytes 0..63: result of the customer-information read (the block at 16..31).
// Bytes 64..127: the customer text to write, terminated, at most 12 bytes.
inline std::array<std::uint8_t, 128> CustomerInfoBuffer{};

}  // namespace t604
