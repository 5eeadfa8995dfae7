// The record conversion of current radios: frequency counts, tone forms, the
// slot's flag and calibration bytes, the settings area and the band rule.

#include "link/memory_map.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <utility>
#include <vector>

#include "link/text_block.h"
#include "memory_map_fixture.h"
#include "model/bytes.h"
#include "model/channel_settings.h"
#include "model/tone_codec.h"

namespace t604 {
namespace {

constexpr bool kVariantA = false;
constexpr bool kVariantB = true;

using MemoryMap = MemoryMapTest;

TEST_F(MemoryMap, FrequencyCountsByVariant) {
    struct Case {
        std::uint32_t hz;
        bool variantB;
        std::uint32_t count;
    };
    const Case cases[] = {
        {446'006'250, kVariantB, 3'568'050},
        {446'006'250, kVariantA, 7'136'100},
        {145'100'000, kVariantA, 2'321'600},
        {136'025'000, kVariantB, 1'088'200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hz);
        EXPECT_EQ(FrequencyCount(c.hz, c.variantB), c.count);
        EXPECT_EQ(FrequencyFromCount(c.count, c.variantB), c.hz);

        AddChannel(1, c.hz, c.hz + 5'000'000);
        std::array<std::uint8_t, slot::kSize> bytes{};
        EncodeChannelSlot(std::as_const(softwareData).channel(1), c.variantB, bytes);
        EXPECT_EQ(get_u24be(bytes.data()), c.count);
        EXPECT_EQ(SlotFreqRx(bytes, c.variantB), c.hz);
        EXPECT_EQ(SlotFreqTx(bytes, c.variantB), c.hz + 5'000'000);
    }
}

TEST_F(MemoryMap, ToneFormsByVariantAndBack) {
    struct Case {
        ToneSetting tone;
        bool variantB;
        std::uint16_t a, b;
    };
    const Case cases[] = {
        {{670, kToneCtcss}, kVariantA, 670, 6700},
        {{670, kToneCtcss}, kVariantB, 670, 4390},
        {{2541, kToneCtcss}, kVariantB, 2541, 16652},
        {{0x2813, kToneDcsInverted}, kVariantA, 0x1B, 0xF1C8},
        {{0x2813, kToneDcsNormal}, kVariantB, 0x64, 0x0E37},
        {{0xFFFF, kToneOff}, kVariantA, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(ToneToText(c.tone));
        auto field = EncodeSlotTone(c.tone, c.variantB);
        EXPECT_EQ(get_u16be(field.data()), c.a);
        EXPECT_EQ(get_u16be(field.data() + 2), c.b);
        ToneSetting back = DecodeSlotTone(c.tone.Type, field.data());
        EXPECT_EQ(back.Type, c.tone.Type);
        EXPECT_EQ(back.Code, c.tone.Type == kToneOff ? 0 : c.tone.Code);
    }
}

TEST_F(MemoryMap, SpurClassesByVariant) {
    struct Case {
        std::uint32_t hz;
        std::uint8_t variantB, variantA;
    };
    const Case cases[] = {
        {455'000'000, 1, 2}, {409'500'000, 2, 1}, {136'500'000, 1, 1}, {147'875'000, 0, 1},
        {170'625'000, 0, 2}, {511'875'000, 0, 2}, {466'375'000, 1, 1}, {500'500'000, 0, 1},
        {455'000'001, 0, 0}, {446'000'000, 0, 0}, {0, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SpurClass(c.hz, kVariantB), c.variantB) << c.hz;
        EXPECT_EQ(SpurClass(c.hz, kVariantA), c.variantA) << c.hz;
    }
}

// Points 3 and 4 share their MHz, as when the last point is not used.
void LoadPoints(std::uint16_t lastMHz) {
    CalibrationTable.points = {{{400, 100, 50, 10},
                                {420, 120, 40, 20},
                                {440, 130, 45, 25},
                                {460, 200, 20, 60},
                                {lastMHz, 210, 10, 70}}};
}

TEST_F(MemoryMap, InterpolateCalibrationBetweenPoints) {
    LoadPoints(460);
    struct Case {
        std::uint32_t hz;
        CalibrationColumn column;
        std::uint8_t expected;
    };
    using enum CalibrationColumn;
    const Case cases[] = {
        {399'000'000, PowerHigh, 100},  // below the first point
        {100'000'000, Tune, 10},
        {400'900'000, PowerLow, 50},    // at the first point's MHz
        {410'000'000, PowerHigh, 110},
        {413'000'000, Tune, 16},        // rising: 10 + 10 x 13 / 20, truncated
        {413'000'000, PowerLow, 43},    // falling: 40 + 10 x 7 / 20, truncated
        {450'000'000, PowerLow, 32},    // falling: 20 + 25 x 10 / 20
        {460'000'000, PowerHigh, 200},  // at a point: its value
        {470'000'000, PowerHigh, 210},  // last two points at the same MHz: the upper one
    };
    for (const Case& c : cases)
        EXPECT_EQ(InterpolateCalibration(c.hz, c.column), c.expected) << c.hz;
}

TEST_F(MemoryMap, InterpolateCalibrationAboveTheLastPointContinuesTheLine) {
    LoadPoints(480);
    using enum CalibrationColumn;
    EXPECT_EQ(InterpolateCalibration(490'000'000, PowerHigh), 215);  // 200 + 10 x 30 / 20
    EXPECT_EQ(InterpolateCalibration(490'000'000, PowerLow), 5);     // 20 - 10 x 30 / 20
    EXPECT_EQ(InterpolateCalibration(600'000'000, PowerLow), 0);     // limited, not wrapped
}

TEST_F(MemoryMap, SquelchSegmentFromTheLowerBandLimit) {
    for (int i = 0; i < 12; ++i) {
        CalibrationTable.SquelchWide[i] = static_cast<std::uint8_t>(i);
        CalibrationTable.SquelchNarrow[i] = static_cast<std::uint8_t>(100 + i);
    }
    struct Case {
        std::uint32_t bandMin, hz;
        std::uint8_t entry;
    };
    const Case cases[] = {
        {400'000'000, 405'000'000, 0},  {400'000'000, 410'000'000, 1},
        {400'000'000, 470'000'000, 7},  {400'000'000, 510'000'000, 11},
        {400'000'000, 600'000'000, 11}, {136'000'000, 139'999'999, 0},
        {136'000'000, 140'000'000, 1},  {136'000'000, 145'000'000, 2},
        {403'000'000, 410'000'000, 1},  // lower limit off a boundary
        {180'000'000, 215'000'000, 5},  // 5 MHz segments up to 200 MHz, then 10 MHz
    };
    for (const Case& c : cases) {
        CurrentBandMin = c.bandMin;
        EXPECT_EQ(SquelchSegment(c.hz, true), c.entry) << c.bandMin << " " << c.hz;
        EXPECT_EQ(SquelchSegment(c.hz, false), 100 + c.entry) << c.bandMin << " " << c.hz;
    }
}

TEST_F(MemoryMap, BandLimitsReadFromARadio) {
    struct Case {
        std::uint32_t lower, upper;
        bool kept;
    };
    const Case cases[] = {
        {136'000'000, 174'000'000, true},  {200'000'000, 260'000'000, true},
        {300'000'000, 520'000'000, true},  {400'000'000, 470'000'000, true},
        {180'000'000, 480'000'000, false}, {135'999'999, 174'000'000, false},
        {136'000'000, 174'000'001, false}, {260'000'001, 400'000'000, false},
        {400'000'000, 520'000'001, false}, {0, 0, false},
        {470'000'000, 400'000'000, false},  // lower above upper
    };
    for (const Case& c : cases) {
        CurrentBandMin = CurrentBandMax = 1;
        RadioImage.fill(0);
        put_u32be(RadioImage.data() + radio::BandLower.offset, c.lower);
        put_u32be(RadioImage.data() + radio::BandUpper.offset, c.upper);
        SetDataToSoftware(kVariantB);
        EXPECT_EQ(CurrentBandMin, c.kept ? c.lower : kDefaultBandMin) << c.lower << ".." << c.upper;
        EXPECT_EQ(CurrentBandMax, c.kept ? c.upper : kDefaultBandMax) << c.lower << ".." << c.upper;
    }
}

// Calibration block as the radio sends it: the five points, then the squelch
// offsets at 0x424F (wide) and 0x425B (narrow).
void LoadCalibrationBlockIntoImage() {
    const std::uint8_t points[25] = {0x01, 0x90, 100, 50, 10, 0x01, 0xA4, 120, 40, 20,
                                     0x01, 0xB8, 130, 45, 25, 0x01, 0xCC, 200, 20, 60,
                                     0x01, 0xE0, 210, 10, 70};
    std::copy_n(points, 25, RadioImage.begin() + 496);
    for (int i = 0; i < 12; ++i) {
        RadioImage[591 + i] = static_cast<std::uint8_t>(0x30 + i);
        RadioImage[603 + i] = static_cast<std::uint8_t>(0x60 + i);
    }
}

TEST_F(MemoryMap, AnalyseTmpAdjustmentDataLoadsTheCalibrationTable) {
    LoadCalibrationBlockIntoImage();
    AnalyseTmpAdjustmentData();
    EXPECT_EQ(CalibrationTable.points[0].MHz, 400);
    EXPECT_EQ(CalibrationTable.points[4].MHz, 480);
    EXPECT_EQ(CalibrationTable.points[3].PowerHigh, 200);
    EXPECT_EQ(CalibrationTable.points[3].PowerLow, 20);
    EXPECT_EQ(CalibrationTable.points[3].Tune, 60);
    EXPECT_EQ(CalibrationTable.SquelchWide[0], 0x30);
    EXPECT_EQ(CalibrationTable.SquelchWide[11], 0x3B);
    EXPECT_EQ(CalibrationTable.SquelchNarrow[0], 0x60);
    EXPECT_EQ(CalibrationTable.SquelchNarrow[11], 0x6B);
}

TEST_F(MemoryMap, SlotFlagAndCalibrationBytes) {
    LoadCalibrationBlockIntoImage();
    AnalyseTmpAdjustmentData();
    ChannelRecord c = AddChannel(7, 455'000'000, 409'500'000);
    c.setSubDe({670, kToneCtcss});
    c.setSubEn({0x2813, kToneDcsInverted});
    c.setSCN(true);
    c.setBUS(2);
    c.setBandwidth(true);
    c.setPower(true);
    c.setDtmf(true);            // not kept in the slot
    c.setSquelchMode(3);        // nor this

    GetDataForWrite(kVariantB, {});
    ConstChannelSlot s = RadioImageSlot(7);
    EXPECT_EQ(s.data(), RadioImage.data() + 0x8080 - 0x4000 + 6 * 19);
    EXPECT_EQ(s[14], 0x01 | 0x03 << 2 | 1 << 4 | 2 << 6);
    EXPECT_EQ(s[15], 0x02 | 2 << 2 | 0x10 | 0x20);
    EXPECT_EQ(s[16], 109);   // PowerHigh at 409 MHz: 100 + 20 x 9 / 20
    EXPECT_EQ(s[17], 51);    // Tune at 455 MHz: 25 + 35 x 15 / 20
    EXPECT_EQ(s[18], 0x35);  // wide, segment 5 above 400 MHz

    c.setPower(false);
    c.setBandwidth(false);
    GetDataForWrite(kVariantA, {});
    EXPECT_EQ(s[14], 0x01 | 0x03 << 2 | 2 << 4 | 1 << 6);
    EXPECT_EQ(s[15], 0x02 | 2 << 2);
    EXPECT_EQ(s[16], 45);    // PowerLow at 409 MHz, falling: 40 + 10 x 11 / 20
    EXPECT_EQ(s[18], 0x65);  // narrow

    // The same bytes from the slot alone, as the calibration write needs them.
    std::array<std::uint8_t, slot::kSize> copy;
    std::ranges::copy(s, copy.begin());
    copy[16] = copy[17] = copy[18] = 0;
    RecomputeSlotCalibration(copy, kVariantA);
    EXPECT_TRUE(std::ranges::equal(copy, s));
}

TEST_F(MemoryMap, SettingsAreaOnTheRadio) {
    softwareData.set(sd::TOT, 600);
    softwareData.set(sd::TOA, 7);
    softwareData.set(sd::Beep, 1);
    softwareData.set(sd::Saving, 1);
    softwareData.set(sd::Saving_Rate, 4);
    softwareData.set(sd::SQL, 9);
    softwareData.set(sd::Voice, 2);
    softwareData.set(sd::VOX, 3);
    softwareData.set(sd::VOX_DELAY, 2500);
    softwareData.set(sd::Key_1_Short, 24);
    softwareData.set(sd::Key_2_Short, 25);
    softwareData.set(sd::AlarmCode, 0x1770);
    softwareData.set(sd::Alarm, 2);
    CurrentBandMin = 136'000'000;
    CurrentBandMax = 174'000'000;
    RadioImage.fill(0xEE);

    GetDataForWrite(kVariantB, {2026, 12, 11, 16, 5});
    const std::vector<std::uint8_t> expected = {
        0x07, 0xEA, 12, 11, 16, 5,       // 0x4150 write time
        0x02, 0x58,                      // TOT 600
        7, 1, 1,                         // TOA, Beep, Saving
        0x03, 0x20,                      // Saving_Rate 4 x 200
        9, 2,                            // SQL, Voice
        0, 0, 0,                         // 0x415F..0x4161
        3,                               // VOX
        0x09, 0xC4,                      // VOX_DELAY 2500
        0x00, 0x0A,                      // 0x4165
        24, 25,                          // keys
        0x08, 0x1B, 0x32, 0x00,          // lower band limit
        0x0A, 0x5F, 0x07, 0x80,          // upper band limit
        0x17, 0x70,                      // AlarmCode
        2,                               // Alarm
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // 0x4174..0x417F
    };
    EXPECT_EQ(std::vector<std::uint8_t>(RadioImage.begin() + 336, RadioImage.begin() + 384),
              expected);
    EXPECT_EQ(std::count(RadioImage.begin() + 32, RadioImage.begin() + 336, 0), 304);

    // Read back: the record and the programming date.
    SoftwareData written = softwareData;
    softwareData = SoftwareData{};
    SetDataToSoftware(kVariantB);
    EXPECT_EQ(softwareData, written);
    EXPECT_EQ(LastWriteTime, (ProgrammingDate{2026, 12, 11, 16, 5}));
    EXPECT_EQ(CurrentBandMin, 136'000'000u);
    EXPECT_EQ(CurrentBandMax, 174'000'000u);
}

TEST_F(MemoryMap, SavingRateReadBackIsDividedBy200) {
    put_u16be(RadioImage.data() + radio::Saving_Rate.offset, 1999);
    SetDataToSoftware(kVariantA);
    EXPECT_EQ(softwareData.get(sd::Saving_Rate), 9u);
}

TEST_F(MemoryMap, WriteImageClearsSettingsButKeepsUnusedSlots) {
    RadioImage[100] = 0x55;
    RadioImage[8191] = 0x55;
    RadioImage[8192] = 0x55;
    std::ranges::fill(RadioImageSlot(3), 0x77);
    std::ranges::fill(RadioImageSlot(4), 0x77);
    AddChannel(4, 440'000'000, 440'000'000);
    softwareData.setText(sd::NewPassword, "4711");

    GetDataForWrite(kVariantB);
    EXPECT_EQ(RadioImage[100], 0);
    EXPECT_EQ(RadioImage[8191], 0);
    EXPECT_EQ(RadioImage[8192], 0x55);
    EXPECT_EQ(std::ranges::count(RadioImageSlot(3), 0x77), 19);
    EXPECT_EQ(SlotFreqRx(RadioImageSlot(4), kVariantB), 440'000'000u);
    EXPECT_EQ(RadioImage[0], 0x10);  // bitmap: channel 4
    EXPECT_EQ(DecodeTextBlock(RadioImage.data() + 464), "4711");
}

TEST_F(MemoryMap, ChannelWithClearBitKeepsItsRecord) {
    AddChannel(5, 145'000'000, 145'600'000);
    softwareData.SetChannelUsed(5, false);
    ChannelRecord five = softwareData.channel(5);
    five.setSubDe({885, kToneCtcss});
    const SoftwareData before = softwareData;
    // The radio: channel 5 not in use but its slot full of data; channel 6 in use.
    std::ranges::fill(RadioImageSlot(5), 0x11);
    RadioImage[0] = 0x40;
    put_u24be(RadioImageSlot(6).data(), FrequencyCount(430'000'000, kVariantB));

    SetDataToSoftware(kVariantB);
    EXPECT_FALSE(softwareData.IsChannelUsed(5));
    EXPECT_TRUE(std::ranges::equal(softwareData.channel(5).bytes(), before.channel(5).bytes()));
    EXPECT_TRUE(softwareData.IsChannelUsed(6));
    EXPECT_EQ(softwareData.channel(6).FreqRx(), 430'000'000u);
}

TEST_F(MemoryMap, WriteThenReadGivesTheRecordBack) {
    for (bool variantB : {kVariantA, kVariantB}) {
        SCOPED_TRACE(variantB ? "variant B" : "variant A");
        Reset();
        softwareData.setDefaults();
        LoadCalibrationBlockIntoImage();
        AnalyseTmpAdjustmentData();
        struct Channel {
            int n;
            ChannelSettings settings;  // rx, tx, decode, encode, high power, wide, scan
            std::uint8_t bus;
        };
        const Channel channels[] = {
            {1, {400'012'500, 405'000'000, {670, kToneCtcss}, {0x29EC, kToneDcsNormal}, true, true, true}, 2},
            {2, {446'006'250, 446'006'250, {0, kToneOff}, {2541, kToneCtcss}, false, false, false}, 1},
            {50, {455'000'000, 409'500'000, {0x2813, kToneDcsInverted}, {0, kToneOff}, false, true, true}, 0},
            {99, {479'993'750, 480'000'000, {0x28A5, kToneDcsNormal}, {0x28A5, kToneDcsInverted}, true, false, false}, 2},
        };
        for (const Channel& c : channels) {
            PutChannel(softwareData, c.n, c.settings);
            ChannelRecord r = softwareData.channel(c.n);
            r.setBUS(c.bus);
            r.setDtmf(true);
            r.setSquelchMode(4);
        }
        softwareData.set(sd::TOT, 285);
        softwareData.set(sd::Saving_Rate, 10);
        CurrentBandMin = 400'000'000;
        CurrentBandMax = 480'000'000;
        const ProgrammingDate stamp{2027, 1, 31, 23, 59};
        GetDataForWrite(variantB, stamp);
        const SoftwareData written = softwareData;

        // Everything the radio keeps is overwritten by the read.
        for (const Channel& c : channels) {
            const ChannelSettings& w = c.settings;
            PutChannel(softwareData, c.n, {1, 1, {1, kToneCtcss}, {1, kToneCtcss}, !w.Power, !w.Bandwidth, !w.SCN});
            softwareData.channel(c.n).setBUS(3);
            softwareData.SetChannelUsed(c.n, false);
        }
        softwareData.set(sd::TOT, 0);
        softwareData.set(sd::Saving_Rate, 0);
        CurrentBandMin = CurrentBandMax = 0;

        SetDataToSoftware(variantB);
        EXPECT_EQ(softwareData, written);
        EXPECT_EQ(LastWriteTime, stamp);
        EXPECT_EQ(CurrentBandMin, 400'000'000u);
        EXPECT_EQ(CurrentBandMax, 480'000'000u);
    }
}

TEST_F(MemoryMap, LocalProgrammingDateFromThePcClock) {
    std::tm local{};
    local.tm_year = 2025 - 1900;
    local.tm_mon = 2;
    local.tm_mday = 7;
    local.tm_hour = 14;
    local.tm_min = 5;
    local.tm_sec = 30;
    local.tm_isdst = -1;
    auto when = std::chrono::system_clock::from_time_t(std::mktime(&local));
    EXPECT_EQ(LocalProgrammingDate(when), (ProgrammingDate{2025, 3, 7, 14, 5}));
}

}  // namespace
}  // namespace t604
