// Frequency texts, the channel raster, the band limit and the packed-decimal
// form of the older radios.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "model/freq_codec.h"
#include "model/program_state.h"

namespace t604 {
namespace {

TEST(FreqToText, NineCharactersOrZero) {
    const struct {
        std::uint32_t hz;
        const char* text;
    } cases[] = {
        {0, "0"},
        {5, "000.00000"},
        {9, "000.00000"},
        {136025000, "136.02500"},
        {50000000, "050.00000"},
        {136006255, "136.00625"},
        {136006250, "136.00625"},
        {446500000, "446.50000"},
        {1136025000, "136.02500"},  // digits above 100 MHz are not shown
        {0xFFFFFFFF, "294.96729"},
    };
    for (const auto& c : cases) EXPECT_EQ(FreqToText(c.hz), c.text) << c.hz;
}

TEST(FreqFromText, ReadsMegahertzAndFraction) {
    const struct {
        const char* text;
        std::uint32_t hz;
    } cases[] = {
        {"136.025", 136025000},
        {"146.52", 146520000},
        {"440", 440000000},
        {"0.5", 500000},
        {"145.0125", 145012500},
        {"145.00625", 145006250},
        {"145.1234567", 145000000 + 1234567},  // six digits and more stand as typed
        {"136.02500", 136025000},
        {"0", 0},
        {".5", 500000},             // the digits in front of the point were deleted
        {".00625", 6250},
        {"4294", 4294000000u},
        {"4295", 0xFFFFFFFFu},      // beyond 32 bits: saturates, the caller limits it
        {"99999999999999999999", 0xFFFFFFFFu},
        {"4294.967295", 0xFFFFFFFFu},
        {"4294.99", 0xFFFFFFFFu},
    };
    for (const auto& c : cases) {
        FreqParse p = FreqFromText(c.text);
        ASSERT_TRUE(p) << c.text << " bad part '" << p.badPart << "'";
        EXPECT_EQ(*p.hz, c.hz) << c.text;
    }
}

TEST(FreqFromText, ReportsThePartThatIsNotAnInteger) {
    const struct {
        const char* text;
        const char* badPart;
    } cases[] = {
        {"", ""},
        {"136.", ""},
        {".", ""},
        {"13a.5", "13a"},
        {"136.0x5", "0x5"},
        {"136.0.5", "0.5"},  // only the first point separates
        {"-5", "-5"},
        {" 5", " 5"},
    };
    for (const auto& c : cases) {
        FreqParse p = FreqFromText(c.text);
        EXPECT_FALSE(p) << c.text;
        EXPECT_EQ(p.badPart, c.badPart) << c.text;
    }
}

TEST(RoundToChannelStep, KeepsFiveKilohertzElseRoundsDownToSixPointTwoFive) {
    const std::uint32_t cases[][2] = {
        {145010000, 145010000}, {145012500, 145012500}, {145013000, 145012500},
        {145001000, 145000000}, {0, 0},                 {6249, 0},
        {0xFFFFFFFF, 0xFFFFFFFF / 6250 * 6250},
    };
    for (const auto& c : cases) EXPECT_EQ(RoundToChannelStep(c[0]), c[1]) << c[0];
}

TEST(ClampFreqToBand, LimitsThenRounds) {
    const std::uint32_t cases[][2] = {
        {399000000, 400000000}, {481000000, 480000000}, {433003000, 433000000},
        {400000000, 400000000}, {480000000, 480000000}, {0xFFFFFFFF, 480000000},
    };
    for (const auto& c : cases) EXPECT_EQ(ClampFreqToBand(c[0], 400000000, 480000000), c[1]) << c[0];
    // A band limit off the raster is rounded down, below the band.
    EXPECT_EQ(ClampFreqToBand(100, 400001000, 480000000), 400000000u);
}

TEST(ClampFreqToBand, UsesTheCurrentBand) {
    const std::uint32_t savedMin = CurrentBandMin, savedMax = CurrentBandMax;
    CurrentBandMin = 136000000;
    CurrentBandMax = 174000000;
    EXPECT_EQ(ClampFreqToBand(300000000), 174000000u);
    EXPECT_EQ(ClampFreqToBand(145012500), 145012500u);
    EXPECT_EQ(ClampFreqToBand(1), 136000000u);
    CurrentBandMin = savedMin;
    CurrentBandMax = savedMax;
}

TEST(RoundOffsetFreq, TenMegahertzAndMoreIsZero) {
    EXPECT_EQ(RoundOffsetFreq(10000000), 0u);
    EXPECT_EQ(RoundOffsetFreq(0xFFFFFFFF), 0u);
    EXPECT_EQ(RoundOffsetFreq(9999999), 9993750u);
    EXPECT_EQ(RoundOffsetFreq(600000), 600000u);
    EXPECT_EQ(RoundOffsetFreq(7000), 6250u);
}

TEST(FreqBcd, PackedDecimalOfTensOfHertz) {
    EXPECT_EQ(FreqToBcd(136025000), (std::array<std::uint8_t, 4>{0x00, 0x25, 0x60, 0x13}));
    EXPECT_EQ(FreqToBcd(446006250), (std::array<std::uint8_t, 4>{0x25, 0x06, 0x60, 0x44}));
    for (std::uint32_t hz : {136025005u, 136025000u, 0u, 999999990u}) {
        auto bcd = FreqToBcd(hz);
        EXPECT_EQ(FreqFromBcd(bcd.data()), hz / 10 * 10) << hz;
    }
    // Nibbles above 9 are taken as they stand.
    const std::uint8_t odd[4] = {0xFF, 0x00, 0x00, 0x00};
    EXPECT_EQ(FreqFromBcd(odd), 165u * 10);
}

}  // namespace
}  // namespace t604
