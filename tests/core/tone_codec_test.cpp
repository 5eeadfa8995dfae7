// Tone texts, the standard tables and the radio's tone forms.

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>

#include "model/tone_codec.h"

namespace t604 {
namespace {

TEST(ToneTables, OrderTextsAndCodes) {
    EXPECT_EQ(CtcssTable.front().text, "Off");
    EXPECT_EQ(CtcssTable.front().code, 0);
    EXPECT_EQ(CtcssTable[1].text, "67.0");
    EXPECT_EQ(CtcssTable[1].code, 670);
    EXPECT_EQ(CtcssTable[13].text, "100.0");
    EXPECT_EQ(CtcssTable.back().text, "254.1");
    EXPECT_EQ(CtcssTable.back().code, 2541);

    EXPECT_EQ(DcsTable.front().text, "D023N");
    EXPECT_EQ(DcsTable.front().code, 0x2813);
    EXPECT_EQ(DcsTable[104].text, "D754N");
    EXPECT_EQ(DcsTable[104].code, 0x29EC);
    EXPECT_EQ(DcsTable[105].text, "D023I");
    EXPECT_EQ(DcsTable[105].code, 0x2813);
    EXPECT_EQ(DcsTable.back().text, "D754I");

    std::set<std::string_view> texts;
    for (const auto& e : CtcssTable) texts.insert(e.text);
    for (const auto& e : DcsTable) texts.insert(e.text);
    EXPECT_EQ(texts.size(), 261u);  // no text twice
}

TEST(ToneTables, EveryEntryReadsBackAsItsText) {
    for (const auto& e : CtcssTable) {
        ToneSetting t{0x1234, 7};
        ASSERT_TRUE(ToneFromText(e.text, t)) << e.text;
        EXPECT_EQ(ToneToText(t), e.text);
        if (e.code != 0) {
            EXPECT_EQ(t, (ToneSetting{e.code, kToneCtcss}));
        }
    }
    for (std::size_t i = 0; i < DcsTable.size(); ++i) {
        ToneSetting t;
        ASSERT_TRUE(ToneFromText(DcsTable[i].text, t)) << DcsTable[i].text;
        std::uint8_t type = i < 105 ? kToneDcsNormal : kToneDcsInverted;
        EXPECT_EQ(t, (ToneSetting{DcsTable[i].code, type}));
        EXPECT_EQ(ToneToText(t), DcsTable[i].text);
    }
}

TEST(ToneToText, Forms) {
    const struct {
        std::uint16_t code;
        std::uint8_t type;
        const char* text;
    } cases[] = {
        {0, kToneCtcss, "Off"},
        {0xFFFF, kToneDcsNormal, "Off"},
        {0, kToneOff, "Off"},
        {670, kToneCtcss, "67.0"},
        {1000, kToneCtcss, "100.0"},
        {999, kToneCtcss, "99.9"},
        {1, kToneCtcss, "0.1"},
        {0x2813, kToneDcsNormal, "D023N"},
        {0x2813, kToneDcsInverted, "D023I"},
        {0xA813, kToneDcsInverted, "D023I"},  // bit 15 is not part of the code
        {0x29EC, kToneDcsNormal, "D754N"},
        {670, kToneOff, "Off"},  // a type no editor stores reads as off
        {670, 9, "Off"},
    };
    for (const auto& c : cases) EXPECT_EQ(ToneToText(c.code, c.type), c.text) << c.code << "/" << int(c.type);
}

TEST(ToneFromText, Accepted) {
    const struct {
        const char* text;
        ToneSetting tone;
    } cases[] = {
        {"Off", {0xFFFF, kToneOff}},
        {"", {0xFFFF, kToneOff}},
        {"D023N", {0x2813, kToneDcsNormal}},
        {"D023I", {0x2813, kToneDcsInverted}},
        {"D777N", {0x29FF, kToneDcsNormal}},  // not standard, still accepted
        {"D023NXYZ", {0x2813, kToneDcsNormal}},  // characters after the fifth are ignored
        {"67", {670, kToneCtcss}},
        {"67.", {670, kToneCtcss}},
        {"67.0", {670, kToneCtcss}},
        {"100", {1000, kToneCtcss}},
        {"100.", {1000, kToneCtcss}},
        {"100.1", {1001, kToneCtcss}},
        {"254.1", {2541, kToneCtcss}},
        {"99.9", {999, kToneCtcss}},
        {"260", {2600, kToneCtcss}},
    };
    for (const auto& c : cases) {
        ToneSetting t{0x1111, 1};
        EXPECT_TRUE(ToneFromText(c.text, t)) << c.text;
        EXPECT_EQ(t, c.tone) << c.text;
    }
}

TEST(ToneFromText, RejectedLeavesTheSettingUnchanged) {
    const char* cases[] = {
        "670",    "67.05",  "25.5",  "33",    "45",   "5",    "261",   "29.9",
        "X023N",  "D083N",  "D029I", "D0A3N", "off",  "OFF",  "6",     "123456",
        "6.7",    "67..",   "1.00",  "67.0.", "A7.0", "12.34", "100.00", "D23N",
    };
    for (const char* text : cases) {
        ToneSetting t{0x2345, kToneDcsInverted};
        EXPECT_FALSE(ToneFromText(text, t)) << text;
        EXPECT_EQ(t, (ToneSetting{0x2345, kToneDcsInverted})) << text;
    }
}

TEST(IsStandardTone, TablesDecide) {
    EXPECT_TRUE(IsStandardTone(0x28A5, kToneDcsNormal));  // D245N
    EXPECT_TRUE(IsStandardTone(0x28A5, kToneDcsInverted));
    EXPECT_FALSE(IsStandardTone(999, kToneCtcss));
    EXPECT_TRUE(IsStandardTone(670, kToneCtcss));
    EXPECT_FALSE(IsStandardTone(1001, kToneCtcss));
    EXPECT_FALSE(IsStandardTone(0x29FF, kToneDcsNormal));  // D777
    EXPECT_FALSE(IsStandardTone(670, kToneDcsNormal));
    EXPECT_TRUE(IsStandardTone(1234, kToneOff));
    EXPECT_TRUE(IsStandardTone(0xFFFF, kToneCtcss));  // shown as "Off"
}

// The code word polynomial (data * x^11 + parity) must be divisible by the
// generator of the Golay (23,12) code.
std::uint32_t remainderByGenerator(std::uint32_t poly) {
    for (int bit = 22; bit >= 11; --bit)
        if (poly & (1u << bit)) poly ^= 0xC75u << (bit - 11);
    return poly;
}

TEST(DcsCodeWord, GolayParity) {
    EXPECT_EQ(DcsGolayWord(0x2813), 0x813u + 0x763u * 4096);
    EXPECT_EQ(DcsGolayWord(0x29EC), 0x9ECu + 0x20Fu * 4096);
    for (std::uint16_t code = 0x2800; code < 0x2A00; ++code) {
        std::uint32_t w = DcsGolayWord(code);
        EXPECT_EQ(w & 0xFFF, (code & 0x1FFu) | 0x800u);
        EXPECT_EQ(remainderByGenerator((w & 0xFFF) << 11 | w >> 12), 0u) << code;
    }
}

TEST(DcsCodeWord, RadioWords) {
    const struct {
        std::uint16_t code;
        std::uint8_t type;
        std::uint16_t a, b;
    } cases[] = {
        {0x2813, kToneDcsNormal, 0x64, 0x0E37},
        {0x2813, kToneDcsInverted, 0x1B, 0xF1C8},
        {0x29EC, kToneDcsNormal, 0x1B, 0xCF82},
    };
    for (const auto& c : cases) {
        DcsWords w = DcsCodeWord(c.code, c.type);
        EXPECT_EQ(w.A, c.a) << c.code;
        EXPECT_EQ(w.B, c.b) << c.code;
    }
}

TEST(DcsCodeFromWord, ReturnsTheCodeOfEveryWord) {
    for (std::uint8_t type : {kToneDcsNormal, kToneDcsInverted}) {
        for (std::uint16_t code = 0x2800; code < 0x2A00; ++code) {
            DcsWords w = DcsCodeWord(code, type);
            const std::uint8_t field[4] = {std::uint8_t(w.A >> 8), std::uint8_t(w.A), std::uint8_t(w.B >> 8),
                                           std::uint8_t(w.B)};
            ASSERT_EQ(DcsCodeFromWord(type, field), code) << code << " type " << int(type);
        }
    }
}

TEST(OldToneWord, Encode) {
    const struct {
        ToneSetting tone;
        std::uint8_t b0, b1;
    } cases[] = {
        {{670, kToneCtcss}, 0x9E, 0x02},
        {{0x2813, kToneDcsNormal}, 0x13, 0x28},
        {{0x2813, kToneDcsInverted}, 0x13, 0xA8},
        {{0xA813, kToneDcsNormal}, 0x13, 0x28},  // bit 7 follows the type
        {{0, kToneOff}, 0x00, 0x00},
        {{0xFFFF, kToneOff}, 0xFF, 0xFF},
    };
    for (const auto& c : cases) {
        std::uint8_t out[2];
        OldToneWordEncode(c.tone, out);
        EXPECT_EQ(out[0], c.b0);
        EXPECT_EQ(out[1], c.b1);
    }
}

TEST(OldToneWord, Decode) {
    const struct {
        std::uint8_t b0, b1;
        ToneSetting tone;
        std::uint8_t b1After;
    } cases[] = {
        {0x9E, 0x02, {670, kToneCtcss}, 0x02},
        {0x13, 0x28, {0x2813, kToneDcsNormal}, 0x28},
        {0x13, 0xA8, {0x2813, kToneDcsInverted}, 0x28},  // bit 7 cleared in the source too
        {0x55, 0x00, {0, kToneOff}, 0x00},
        {0x55, 0xFF, {0, kToneOff}, 0xFF},
        {0x00, 0x08, {0x0800, kToneCtcss}, 0x08},  // only one of the two DCS bits
    };
    for (const auto& c : cases) {
        std::uint8_t bytes[2] = {c.b0, c.b1};
        EXPECT_EQ(OldToneWordDecode(bytes), c.tone) << int(c.b1);
        EXPECT_EQ(bytes[1], c.b1After);
    }
}

}  // namespace
}  // namespace t604
