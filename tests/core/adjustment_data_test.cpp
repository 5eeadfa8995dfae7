// The calibration record: its pinned layout (the record is the file format),
// defaults, file and squelch-offset rows.

#include <gtest/gtest.h>

#include <unistd.h>

#include <map>
#include <string>
#include <vector>

#include "model/program_state.h"
#include "service/adjustment_data.h"
#include "tests/core/file_test_support.h"

namespace t604 {
namespace {

struct Expected {
    std::size_t offset, size;
};

std::map<std::string, Expected> expectedLayout() {
    std::map<std::string, Expected> e = {
        {"PinPian_W", {35, 2}},     {"PinPian_W_Spe_1", {37, 2}}, {"PinPian_W_Spe_2", {39, 2}},
        {"DtmfFuDu_W", {41, 1}},    {"FuDu1750_W", {42, 1}},      {"CtcPinPian_W", {43, 1}},
        {"DcsPinPian_W", {44, 1}},  {"PinPian_N", {45, 2}},       {"PinPian_N_Spe_1", {47, 2}},
        {"PinPian_N_Spe_2", {49, 2}}, {"DtmfFuDu_N", {51, 1}},    {"FuDu1750_N", {52, 1}},
        {"CtcPinPian_N", {53, 1}},  {"DcsPinPian_N", {54, 1}},    {"SQL_L1", {55, 1}},
        {"SQL_L4", {56, 1}},        {"SQL_L9", {57, 1}},          {"VOX_L1", {58, 1}},
        {"VOX_L9", {59, 1}},        {"Batt_L0_Wait", {60, 1}},    {"Batt_L1_Wait", {61, 1}},
        {"Batt_L2_Wait", {62, 1}},  {"Batt_L3_Wait", {63, 1}},    {"Batt_L0_Tx", {64, 1}},
        {"Batt_L1_Tx", {65, 1}},    {"Batt_L2_Tx", {66, 1}},      {"Batt_High", {67, 1}},
        {"Xtal_PP", {68, 1}},       {"MicGainFine", {69, 1}},     {"MicGain", {70, 1}},
        {"Pga", {71, 1}},           {"Noise_th", {72, 1}},        {"Modu_th", {73, 1}},
        {"Pkdet_th", {74, 1}},      {"Pkdet_th_nar", {75, 1}},    {"Rssi3_th", {76, 1}},
        {"Noise2_th", {77, 1}},     {"Modu_dten", {78, 1}},       {"Pkdet_dten", {79, 1}},
        {"Noise_th_nar", {80, 1}},  {"CurBatt", {81, 1}},         {"Rssi_db", {82, 1}},
        {"Rssi_cmp1", {83, 1}},     {"Noise_db", {84, 1}},        {"Noise_cmp1", {85, 1}},
        {"Modu_cmp", {86, 1}},      {"Pkdet_cmp", {87, 1}},       {"Rssi_cmp3", {88, 1}},
        {"Noise_cmp2", {89, 1}},    {"Modu_db", {90, 1}},         {"Pkdet_rssi", {91, 1}},
        {"Offset", {92, 2}},        {"Pkdet_Rx", {94, 1}},        {"Reserved_118", {118, 7}},
        {"Reserved_138", {138, 7}}, {"Batt_PowerOn", {145, 1}},   {"BattLowPowerOff", {146, 1}},
        {"Xtal1846", {147, 1}},     {"LcdContrast", {158, 1}},
    };
    for (int i = 0; i < 5; ++i) {
        const std::string p = "Freq_" + std::to_string(i);
        const std::size_t at = 7 * static_cast<std::size_t>(i);
        e[p] = {at, 2};
        e[p + "_H"] = {at + 2, 1};
        e[p + "_M"] = {at + 3, 1};
        e[p + "_L"] = {at + 4, 1};
        e[p + "_Tune"] = {at + 5, 1};
        e[p + "_RSSI"] = {at + 6, 1};
    }
    for (std::size_t i = 0; i < 10; ++i) e["Batt_Tbl_L" + std::to_string(i)] = {95 + i, 1};
    for (std::size_t i = 0; i < 13; ++i) e["SQ_offset_" + std::to_string(i)] = {105 + i, 1};
    for (std::size_t i = 0; i < 13; ++i) e["SQ_offset_nar_" + std::to_string(i)] = {125 + i, 1};
    for (std::size_t i = 0; i < 10; ++i) e["Vol1846_" + std::to_string(i)] = {148 + i, 1};
    return e;
}

TEST(AdjustmentDataLayout, EveryFieldAtItsOffset) {
    EXPECT_EQ(sizeof(AdjustmentData{}.bytes), 159u);
    const auto expected = expectedLayout();
    ASSERT_EQ(std::size(adj::kFields), expected.size());
    for (const Field& f : adj::kFields) {
        auto it = expected.find(std::string(f.name));
        ASSERT_NE(it, expected.end()) << f.name;
        EXPECT_EQ(f.offset, it->second.offset) << f.name;
        EXPECT_EQ(f.size, it->second.size) << f.name;
    }
    // The indexed tables hold the fields of their index.
    for (int i = 0; i < 5; ++i) EXPECT_EQ(adj::kFreqPoints[i].RSSI.offset, 7u * i + 6);
    for (std::size_t i = 0; i < 13; ++i) {
        EXPECT_EQ(adj::kSqOffset[i].name, "SQ_offset_" + std::to_string(i));
        EXPECT_EQ(adj::kSqOffsetNar[i].name, "SQ_offset_nar_" + std::to_string(i));
    }
    for (std::size_t i = 0; i < 10; ++i) {
        EXPECT_EQ(adj::kBattTbl[i].name, "Batt_Tbl_L" + std::to_string(i));
        EXPECT_EQ(adj::kVol1846[i].name, "Vol1846_" + std::to_string(i));
    }
}

TEST(AdjustmentDataLayout, LittleEndianAndSignedAccess) {
    AdjustmentData a;
    a.set(adj::Offset, 0x1234);
    EXPECT_EQ(a.bytes[92], 0x34);
    EXPECT_EQ(a.bytes[93], 0x12);
    EXPECT_EQ(a.get(adj::Offset), 0x1234);
    a.set_i8(adj::SQ_offset_nar_12, -50);
    EXPECT_EQ(a.bytes[137], 0xCE);
    EXPECT_EQ(a.get_i8(adj::SQ_offset_nar_12), -50);
    a.bytes[105] = 0x32;
    EXPECT_EQ(a.get_i8(adj::SQ_offset_0), 50);
}

class AdjustmentDataTest : public ::testing::Test {
protected:
    void SetUp() override { resetState(); }
    void TearDown() override { resetState(); }
    static void resetState() {
        CurrentBandMin = kDefaultBandMin;
        CurrentBandMax = kDefaultBandMax;
        adjustmentData = {};
    }
    std::string path(const char* name) const { return dir_.file(name); }
    static AdjustmentData pattern() {
        AdjustmentData a;
        for (std::size_t i = 0; i < a.bytes.size(); ++i) a.bytes[i] = static_cast<std::uint8_t>(0xA0 + i);
        return a;
    }
    static std::vector<std::uint8_t> bytesOf(const AdjustmentData& a) { return {a.bytes.begin(), a.bytes.end()}; }

    testing::TempDir dir_;
};

TEST_F(AdjustmentDataTest, ResetGivesTheDefaults) {
    adjustmentData = pattern();
    ResetAdjustmentData();
    using namespace adj;
    const std::map<std::string_view, std::uint16_t> nonZero = {
        {"Freq_0", 400},         {"Freq_1", 440},       {"Freq_2", 480},          {"Freq_0_H", 63},
        {"Freq_1_H", 63},        {"Freq_2_H", 63},      {"PinPian_W", 50},        {"PinPian_W_Spe_1", 65},
        {"PinPian_W_Spe_2", 53}, {"DtmfFuDu_W", 127},   {"FuDu1750_W", 127},      {"CtcPinPian_W", 14},
        {"DcsPinPian_W", 13},    {"PinPian_N", 50},     {"PinPian_N_Spe_1", 65},  {"PinPian_N_Spe_2", 53},
        {"DtmfFuDu_N", 127},     {"FuDu1750_N", 127},   {"CtcPinPian_N", 14},     {"DcsPinPian_N", 13},
        {"SQL_L1", 126},         {"SQL_L4", 112},       {"SQL_L9", 107},          {"VOX_L1", 200},
        {"VOX_L9", 40},          {"Batt_L0_Wait", 214}, {"Batt_L0_Tx", 214},      {"MicGainFine", 20},
        {"MicGain", 9},          {"Pga", 20},           {"Noise_th", 58},         {"Modu_th", 110},
        {"Pkdet_th", 63},        {"Pkdet_th_nar", 63},  {"Rssi3_th", 25},         {"Noise2_th", 32},
        {"Pkdet_dten", 1},       {"Noise_th_nar", 58},  {"BattLowPowerOff", 1},   {"Xtal1846", 1},
        {"LcdContrast", 40},
    };
    for (const Field& f : kFields) {
        auto it = nonZero.find(f.name);
        if (it != nonZero.end()) {
            EXPECT_EQ(adjustmentData.get(f), it->second) << f.name;
        } else {
            for (std::size_t i = f.offset; i < f.end(); ++i) EXPECT_EQ(adjustmentData.bytes[i], 0) << f.name;
        }
    }
}

TEST_F(AdjustmentDataTest, FrequencyPointsFollowTheBand) {
    const struct {
        std::uint32_t min, max;
        std::uint16_t f0, f1, f2;
    } cases[] = {
        {400000000, 480000000, 400, 440, 480},
        {400000000, 470000001, 400, 435, 471},  // the upper point is rounded up
        {136000000, 174000000, 136, 155, 174},
        {136500000, 173999999, 136, 155, 174},
        {0, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        CurrentBandMin = c.min;
        CurrentBandMax = c.max;
        ResetAdjustmentData();
        EXPECT_EQ(adjustmentData.get(adj::Freq_0), c.f0) << c.max;
        EXPECT_EQ(adjustmentData.get(adj::Freq_1), c.f1) << c.max;
        EXPECT_EQ(adjustmentData.get(adj::Freq_2), c.f2) << c.max;
        EXPECT_EQ(adjustmentData.get(adj::Freq_3), 0);
        EXPECT_EQ(adjustmentData.get(adj::Freq_4), 0);
    }
}

TEST_F(AdjustmentDataTest, SaveThenLoadRestoresAll159Bytes) {
    const AdjustmentData saved = pattern();
    adjustmentData = saved;
    ASSERT_TRUE(SaveAdjustmentFile(path("a.cvfa")));
    EXPECT_EQ(testing::ReadAll(path("a.cvfa")), bytesOf(saved));
    ResetAdjustmentData();
    FileResult r = LoadAdjustmentFile(path("a.cvfa"));
    ASSERT_TRUE(r);
    EXPECT_EQ(r.bytes, 159u);
    EXPECT_EQ(adjustmentData, saved);
}

TEST_F(AdjustmentDataTest, ShortFileReplacesOnlyItsBytesLongFileItsFirst159) {
    ResetAdjustmentData();
    const AdjustmentData before = adjustmentData;
    testing::WriteAll(path("short.cvfa"), std::vector<std::uint8_t>(100, 0x5A));
    ASSERT_TRUE(LoadAdjustmentFile(path("short.cvfa")));
    for (std::size_t i = 0; i < 159; ++i)
        EXPECT_EQ(adjustmentData.bytes[i], i < 100 ? 0x5A : before.bytes[i]) << i;

    std::vector<std::uint8_t> longFile(400);
    for (std::size_t i = 0; i < longFile.size(); ++i) longFile[i] = static_cast<std::uint8_t>(i * 7);
    testing::WriteAll(path("long.cvfa"), longFile);
    ASSERT_TRUE(LoadAdjustmentFile(path("long.cvfa")));
    EXPECT_TRUE(std::equal(adjustmentData.bytes.begin(), adjustmentData.bytes.end(), longFile.begin()));
}

TEST_F(AdjustmentDataTest, MissingFileChangesNothingAndSaysWhy) {
    ResetAdjustmentData();
    const AdjustmentData before = adjustmentData;
    FileResult r = LoadAdjustmentFile(path("missing.cvfa"));
    EXPECT_FALSE(r);
    EXPECT_EQ(r.error.path, path("missing.cvfa"));
    EXPECT_NE(r.error.message().find("No such file"), std::string::npos) << r.error.message();
    EXPECT_EQ(adjustmentData, before);
}

TEST_F(AdjustmentDataTest, FailedSaveKeepsTheOldFile) {
    adjustmentData = pattern();
    ASSERT_TRUE(SaveAdjustmentFile(path("keep.cvfa")));
    ResetAdjustmentData();
    {
        testing::FileSizeLimit diskFull(10);
        FileResult r = SaveAdjustmentFile(path("keep.cvfa"));
        EXPECT_FALSE(r);
        EXPECT_EQ(r.error.path, path("keep.cvfa"));
        EXPECT_FALSE(r.error.reason.empty());
    }
    EXPECT_EQ(testing::ReadAll(path("keep.cvfa")), bytesOf(pattern()));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), 1);  // no temp file left
}

TEST(SqOffsetRows, DerivedFromTheBand) {
    const struct {
        std::uint32_t min, max;
        std::vector<std::uint16_t> rows;
    } cases[] = {
        {400000000, 480000000, {400, 410, 420, 430, 440, 450, 460, 470, 480}},
        {450000000, 600000000, {450, 460, 470, 480, 490, 500, 510, 520, 520, 520, 520, 520, 520}},
        {136000000, 174000000, {135, 140, 145, 150, 155, 160, 165, 170}},
        {200000000, 300000000, {200, 210, 220, 230, 240, 250, 260}},
        {100000000, 200000000, {100, 130, 135, 140, 145, 150, 155, 160, 165, 170, 200}},
        {400000000, 400000000, {400}},
        {480000000, 400000000, {480}},  // row 0 is always there
        {0, 0xFFFFFFFF, {0, 130, 135, 140, 145, 150, 155, 160, 165, 170, 200, 210, 220}},
    };
    for (const auto& c : cases) EXPECT_EQ(SqOffsetRows(c.min, c.max), c.rows) << c.min << ".." << c.max;
}

}  // namespace
}  // namespace t604
