#include "model/freq_codec.h"

#include <cstdio>
#include <limits>

#include "model/program_state.h"

namespace t604 {

namespace {
constexpr std::uint32_t kMaxHz = std::numeric_limits<std::uint32_t>::max();

// Adds without wrapping: a sum beyond 32 bits stays at the largest value.
std::uint32_t saturatingAdd(std::uint32_t a, std::uint32_t b) {
    return b > kMaxHz - a ? kMaxHz : a + b;
}

std::uint32_t saturatingMul(std::uint32_t a, std::uint32_t b) {
    std::uint64_t product = static_cast<std::uint64_t>(a) * b;
    return product > kMaxHz ? kMaxHz : static_cast<std::uint32_t>(product);
}

// A decimal integer of digits only. Values beyond 32 bits saturate, so that
// an absurdly long text still ends up as a frequency the caller can limit.
bool parseDecimal(std::string_view part, std::uint32_t& value) {
    if (part.empty()) return false;
    value = 0;
    for (char c : part) {
        if (c < '0' || c > '9') return false;
        value = saturatingAdd(saturatingMul(value, 10), static_cast<std::uint32_t>(c - '0'));
    }
    return true;
}

FreqParse badPart(std::string_view part) { return {std::nullopt, std::string(part)}; }
}  // namespace

std::string FreqToText(std::uint32_t hz) {
    if (hz == 0) return "0";
    std::uint32_t tensOfHz = hz / 10;
    char text[16];
    std::snprintf(text, sizeof text, "%03u.%05u", (tensOfHz / 100000) % 1000, tensOfHz % 100000);
    return text;
}

FreqParse FreqFromText(std::string_view text) {
    auto point = text.find('.');
    std::string_view mhzPart = text.substr(0, point);
    std::uint32_t mhz = 0;
    // A text that starts with the point ("." left after deleting the digits
    // in front of it) means 0 MHz plus its fraction.
    if (point != 0 && !parseDecimal(mhzPart, mhz)) return badPart(mhzPart);
    std::uint32_t hz = saturatingMul(mhz, 1'000'000);
    if (point == std::string_view::npos) return {hz, {}};

    std::string_view fractionPart = text.substr(point + 1);
    std::uint32_t fraction = 0;
    if (!parseDecimal(fractionPart, fraction)) return badPart(fractionPart);
    // Fewer than six digits are scaled to hertz; six or more stand as typed.
    for (std::size_t digits = fractionPart.size(); digits < 6; ++digits)
        fraction = saturatingMul(fraction, 10);
    return {saturatingAdd(hz, fraction), {}};
}

std::uint32_t RoundToChannelStep(std::uint32_t hz) {
    if (hz % 5000 == 0) return hz;
    return hz / 6250 * 6250;
}

std::uint32_t ClampFreqToBand(std::uint32_t hz, std::uint32_t bandMin, std::uint32_t bandMax) {
    if (hz < bandMin)
        hz = bandMin;
    else if (hz > bandMax)
        hz = bandMax;
    return RoundToChannelStep(hz);
}

std::uint32_t ClampFreqToBand(std::uint32_t hz) {
    return ClampFreqToBand(hz, CurrentBandMin, CurrentBandMax);
}

std::uint32_t RoundOffsetFreq(std::uint32_t hz) {
    return hz >= 10'000'000 ? 0 : RoundToChannelStep(hz);
}

std::array<std::uint8_t, 4> FreqToBcd(std::uint32_t hz) {
    std::uint32_t v = hz / 10;
    std::array<std::uint8_t, 4> bcd{};
    for (auto& byte : bcd) {
        std::uint32_t pair = v % 100;
        byte = static_cast<std::uint8_t>(((pair / 10) << 4) | (pair % 10));
        v /= 100;
    }
    return bcd;
}

std::uint32_t FreqFromBcd(const std::uint8_t bcd[4]) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v * 100 + (bcd[i] >> 4) * 10u + (bcd[i] & 0x0F);
    return v * 10;
}

}  // namespace t604
