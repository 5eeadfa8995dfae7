#pragma once
// Frequency texts, the channel raster, the band limit and the packed-decimal
// form of the older radios.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace t604 {

// "136.02500": three digits of MHz, a point, five digits; "0" for 0 Hz.
std::string FreqToText(std::uint32_t hz);

// The result of FreqFromText: the frequency, or the part that is not a
// valid integer (shown as "'%s' is not a valid integer value").
struct FreqParse {
    std::optional<std::uint32_t> hz;
    std::string badPart;
    explicit operator bool() const { return hz.has_value(); }
};
// MHz with an optional point: "136.025" is 136025000 Hz, "440" 440000000 Hz,
// ".5" 500000 Hz. A megahertz part beyond 32 bits saturates at the largest
// value; the callers then limit it to the band.
FreqParse FreqFromText(std::string_view text);

// Multiples of 5 kHz stay; anything else is rounded down to 6.25 kHz.
std::uint32_t RoundToChannelStep(std::uint32_t hz);
// Limits to CurrentBandMin..CurrentBandMax, then RoundToChannelStep.
std::uint32_t ClampFreqToBand(std::uint32_t hz);
std::uint32_t ClampFreqToBand(std::uint32_t hz, std::uint32_t bandMin, std::uint32_t bandMax);
// 0 for 10 MHz or more, else RoundToChannelStep.
std::uint32_t RoundOffsetFreq(std::uint32_t hz);

// Units of 10 Hz as 8 packed-decimal digits, least significant byte first.
std::array<std::uint8_t, 4> FreqToBcd(std::uint32_t hz);
std::uint32_t FreqFromBcd(const std::uint8_t bcd[4]);

}  // namespace t604
