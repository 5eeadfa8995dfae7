#pragma once
// The 16-byte coded block in which the radio keeps its password and its
// customer text: length, two random keys, the masked text, random filler and
// a checksum.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace t604 {

inline constexpr std::size_t kTextBlockSize = 16;
inline constexpr std::size_t kTextBlockMaxText = 12;

// Codes a text of at most 12 bytes (GBK; longer texts are cut to 12) with
// fresh random bytes each time.
std::array<std::uint8_t, kTextBlockSize> EncodeTextBlock(std::string_view text);

// The text of a block: empty when byte 0 is 0; nullopt when byte 0 is above
// 12 or the checksum byte is wrong.
std::optional<std::string> DecodeTextBlock(const std::uint8_t block[kTextBlockSize]);

// The radio's password block against the record's Password. A radio without
// a password (length byte 0 or 0xFF) and an undecodable block pass.
bool CheckRadioPassword(const std::uint8_t block[kTextBlockSize]);

}  // namespace t604
