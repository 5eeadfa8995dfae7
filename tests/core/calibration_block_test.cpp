// The calibration block: squelch and VOX tables, chip register pairs, the
// conversion of the calibration record into the block and back for both
// radio variants, and the chip status fields.

#include "link/calibration_block.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string_view>
#include <vector>

#include "link/memory_map.h"
#include "model/program_state.h"
#include "service/adjustment_data.h"

namespace t604 {
namespace {

using Table = std::array<std::uint8_t, 10>;

class CalibrationBlockTest : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }
    static void Reset() {
        CurrentBandMin = kDefaultBandMin;
        CurrentBandMax = kDefaultBandMax;
        ResetAdjustmentData();
        CalibrationBlock.fill(0);
        CalibrationTable = {};
    }
    static std::vector<std::uint8_t> BlockBytes(std::size_t first, std::size_t count) {
        return {CalibrationBlock.begin() + first, CalibrationBlock.begin() + first + count};
    }
};

struct SquelchCase {
    std::uint8_t l1, l4, l9;
    Table table;
    Table lowerTable;  // block bytes 35-44
};

TEST_F(CalibrationBlockTest, SquelchTableRunsOnStraightLinesTruncatedTowardTheFirstEndpoint) {
    const SquelchCase cases[] = {
        {126, 112, 107, {0, 11, 14, 18, 21, 25, 26, 27, 28, 30}, {0, 9, 12, 16, 19, 23, 24, 25, 26, 28}},
        // Falling lines truncate upward, toward entry 1 and entry 5.
        {107, 112, 126, {0, 30, 29, 28, 27, 25, 22, 18, 15, 11}, {0, 28, 27, 26, 25, 23, 20, 16, 13, 9}},
        // Levels above 137 wrap round a byte, and so does the lower table.
        {138, 137, 137, {0, 255, 192, 128, 64, 0, 0, 0, 0, 0}, {0, 253, 190, 126, 62, 254, 254, 254, 254, 254}},
    };
    for (const SquelchCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << int(c.l1) << "/" << int(c.l4) << "/" << int(c.l9));
        adjustmentData.set(adj::SQL_L1, c.l1);
        adjustmentData.set(adj::SQL_L4, c.l4);
        adjustmentData.set(adj::SQL_L9, c.l9);
        EXPECT_EQ(SquelchLevelTable(), c.table);
        GetAdjustmentData(false);
        EXPECT_EQ(BlockBytes(25, 10), std::vector<std::uint8_t>(c.table.begin(), c.table.end()));
        EXPECT_EQ(BlockBytes(35, 10), std::vector<std::uint8_t>(c.lowerTable.begin(), c.lowerTable.end()));
    }
}

TEST_F(CalibrationBlockTest, VoxTableStepsEvenlyAndEndsOnLevelNine) {
    const struct {
        std::uint8_t l1, l9;
        Table table;
    } cases[] = {
        {200, 40, {0, 200, 180, 160, 140, 120, 100, 80, 60, 40}},
        // Steps of 11 would land on 98; entry 9 keeps the level itself.
        {10, 100, {0, 10, 21, 32, 43, 54, 65, 76, 87, 100}},
        {50, 50, {0, 50, 50, 50, 50, 50, 50, 50, 50, 50}},
    };
    for (const auto& c : cases) {
        adjustmentData.set(adj::VOX_L1, c.l1);
        adjustmentData.set(adj::VOX_L9, c.l9);
        EXPECT_EQ(VoxLevelTable(), c.table) << int(c.l1) << " to " << int(c.l9);
        GetAdjustmentData(true);
        EXPECT_EQ(BlockBytes(45, 10), std::vector<std::uint8_t>(c.table.begin(), c.table.end()));
    }
}

TEST_F(CalibrationBlockTest, ChipPairHoldsTheValueAndItsOffsetAndReadsBackSevenBits) {
    const struct {
        std::uint8_t x, k;
        std::uint16_t sent;
        std::uint8_t readBack;
    } cases[] = {
        {58, 2, 0x1D38, 58},
        {200, 2, 0x64C6, 73},
        {25, 1, 0x0C98, 25},
        {0, 2, 0x00FE, 1},  // x - k wraps into the upper field's lowest bit
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ChipPair(c.x, c.k), c.sent) << int(c.x);
        EXPECT_EQ(ChipPairValue(c.sent), c.readBack) << int(c.x);
    }
    adjustmentData.set(adj::Noise_th, 58);
    GetAdjustmentData(false);
    EXPECT_EQ(BlockBytes(81, 2), (std::vector<std::uint8_t>{0x1D, 0x38}));
}

TEST_F(CalibrationBlockTest, DefaultsGiveThePinnedBlockBytes) {
    CalibrationBlock.fill(0xAA);  // bytes no field covers keep this
    GetAdjustmentData(false);
    const struct {
        std::size_t first;
        std::vector<std::uint8_t> bytes;
        std::string_view what;
    } expected[] = {
        {0, {0x01, 0x90, 63, 0, 0, 0x01, 0xB8, 63, 0, 0, 0x01, 0xE0, 63, 0, 0}, "points 400, 440, 480 MHz"},
        {20, {0, 0, 0, 0, 0}, "point 4"},
        {55, {214}, "Batt_L0_Wait"},
        {56, {214, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "gauge table from the standby levels"},
        {66, {214, 0xAA}, "Batt_L0_Tx, then a byte left alone"},
        {68, {0x00, 50, 0x00, 65, 0x00, 53}, "deviations, 16-bit"},
        {74, {14, 13, 0}, "CTCSS and DCS deviation, crystal"},
        {77, {0, 20, 9, 0}, "MIC gain fine, MIC gain x 256"},
        {81, {0x1D, 0x38, 0xAA, 0xAA}, "Noise_th pair, then two bytes left alone"},
        {85, {0x1F, 0xBD, 0x0C, 0x98, 0x10, 0x1E}, "Pkdet_th, Rssi3_th, Noise2_th pairs"},
        {91, {0x00, 0x00, 0x00, 0x20}, "detection flags"},
        {119, {0x1D, 0x38, 0x05, 0x00, 1}, "Noise_th_nar pair, Pga x 64, Xtal1846"},
        {124, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 40, 0x1F, 0xBD}, "volumes, contrast, Pkdet_th_nar pair"},
        {137, {0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA}, "the tail is left alone"},
    };
    for (const auto& e : expected) EXPECT_EQ(BlockBytes(e.first, e.bytes.size()), e.bytes) << e.what;
}

TEST_F(CalibrationBlockTest, VariantBSendsOnlyTheLowBytesOfTheDeviations) {
    CalibrationBlock.fill(0xAA);
    adjustmentData.set(adj::PinPian_W, 700);
    GetAdjustmentData(true);
    EXPECT_EQ(BlockBytes(68, 6), (std::vector<std::uint8_t>{700 & 0xFF, 0xAA, 65, 0xAA, 53, 0xAA}));
    SetAdjustmentData(CalibrationBlock, true);
    EXPECT_EQ(adjustmentData.get(adj::PinPian_W), 700 & 0xFF);
    EXPECT_EQ(adjustmentData.get(adj::PinPian_W_Spe_1), 65);
}

TEST_F(CalibrationBlockTest, PreparingAWriteKeepsTheRecordInvariantsAndLoadsTheCalibrationTable) {
    adjustmentData.set(adj::Vol1846_0, 9);
    const std::uint8_t wait[] = {214, 170, 180, 190};
    const Field waitFields[] = {adj::Batt_L0_Wait, adj::Batt_L1_Wait, adj::Batt_L2_Wait, adj::Batt_L3_Wait};
    for (int i = 0; i < 4; ++i) adjustmentData.set(waitFields[i], wait[i]);
    adjustmentData.set(adj::Batt_Tbl_L4, 77);
    adjustmentData.set(adj::Freq_1_L, 12);
    adjustmentData.set(adj::Freq_1_Tune, 34);
    adjustmentData.set_i8(adj::SQ_offset_11, -5);
    adjustmentData.set_i8(adj::SQ_offset_nar_0, 7);

    GetAdjustmentData(false);

    EXPECT_EQ(adjustmentData.get(adj::Vol1846_0), 0);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(adjustmentData.get(adj::kBattTbl[i]), wait[i]);
    EXPECT_EQ(BlockBytes(56, 5), (std::vector<std::uint8_t>{214, 170, 180, 190, 77}));
    EXPECT_EQ(CalibrationTable.points[1].MHz, 440);
    EXPECT_EQ(CalibrationTable.points[1].PowerHigh, 63);
    EXPECT_EQ(CalibrationTable.points[1].PowerLow, 12);
    EXPECT_EQ(CalibrationTable.points[1].Tune, 34);
    EXPECT_EQ(CalibrationTable.SquelchWide[11], 0xFB);
    EXPECT_EQ(CalibrationTable.SquelchNarrow[0], 7);
    EXPECT_EQ(BlockBytes(95 + 11, 1), std::vector<std::uint8_t>{0xFB});
}

// Fields that the block does not carry: a read leaves them as they were.
std::set<std::string_view> FieldsNotCarried() {
    std::set<std::string_view> names = {
        "DtmfFuDu_W", "FuDu1750_W", "PinPian_N", "PinPian_N_Spe_1", "PinPian_N_Spe_2", "DtmfFuDu_N",
        "FuDu1750_N", "CtcPinPian_N", "DcsPinPian_N", "Modu_th", "Batt_L1_Tx", "Batt_L2_Tx", "Batt_High",
        "SQ_offset_12", "SQ_offset_nar_12", "Batt_PowerOn", "BattLowPowerOff", "Reserved_118",
        "Reserved_138", "CurBatt", "Rssi_db", "Rssi_cmp1", "Noise_db", "Noise_cmp1", "Modu_cmp",
        "Pkdet_cmp", "Rssi_cmp3", "Noise_cmp2", "Modu_db", "Pkdet_rssi", "Offset", "Pkdet_Rx"};
    for (const adj::FreqPoint& p : adj::kFreqPoints) {
        names.insert(p.M.name);
        names.insert(p.RSSI.name);
    }
    return names;
}

TEST_F(CalibrationBlockTest, ReadingTheBlockBackRestoresEveryCarriedFieldOnBothVariants) {
    for (bool variantB : {false, true}) {
        SCOPED_TRACE(variantB ? "variant B" : "variant A");
        Reset();
        // Values off the defaults, inside what each variant carries.
        AdjustmentData& a = adjustmentData;
        for (std::size_t i = 0; i < 5; ++i) {
            a.set(adj::kFreqPoints[i].Freq, static_cast<std::uint16_t>(136 + 50 * i));
            a.set(adj::kFreqPoints[i].H, static_cast<std::uint16_t>(200 + i));
            a.set(adj::kFreqPoints[i].L, static_cast<std::uint16_t>(20 + i));
            a.set(adj::kFreqPoints[i].Tune, static_cast<std::uint16_t>(100 + i));
        }
        a.set(adj::PinPian_W, variantB ? 250 : 1000);
        a.set(adj::PinPian_W_Spe_1, variantB ? 1 : 513);
        a.set(adj::PinPian_W_Spe_2, 99);
        a.set(adj::CtcPinPian_W, 63);
        a.set(adj::DcsPinPian_W, 1);
        a.set(adj::SQL_L1, 140);
        a.set(adj::SQL_L4, 100);
        a.set(adj::SQL_L9, 3);
        a.set(adj::VOX_L1, 17);
        a.set(adj::VOX_L9, 250);
        a.set(adj::Batt_L0_Wait, 201);
        a.set(adj::Batt_L1_Wait, 202);
        a.set(adj::Batt_L2_Wait, 203);
        a.set(adj::Batt_L3_Wait, 204);
        a.set(adj::Batt_L0_Tx, 205);
        for (std::size_t i = 4; i < 10; ++i) a.set(adj::kBattTbl[i], static_cast<std::uint16_t>(i * 20));
        a.set(adj::Xtal_PP, 255);
        a.set(adj::MicGainFine, 127);
        a.set(adj::MicGain, 15);
        a.set(adj::Pga, 31);
        a.set(adj::Noise_th, 127);
        a.set(adj::Pkdet_th, 3);
        a.set(adj::Pkdet_th_nar, 100);
        a.set(adj::Rssi3_th, 1);
        a.set(adj::Noise2_th, 64);
        a.set(adj::Modu_dten, 1);
        a.set(adj::Pkdet_dten, 0);
        a.set(adj::Noise_th_nar, 45);
        for (std::size_t i = 0; i < 12; ++i) {
            a.set_i8(adj::kSqOffset[i], static_cast<std::int8_t>(-50 + 9 * static_cast<int>(i)));
            a.set_i8(adj::kSqOffsetNar[i], static_cast<std::int8_t>(50 - 7 * static_cast<int>(i)));
        }
        a.set(adj::Xtal1846, 0);
        for (std::size_t i = 1; i < 10; ++i) a.set(adj::kVol1846[i], static_cast<std::uint16_t>(i * 25));
        a.set(adj::LcdContrast, 77);

        GetAdjustmentData(variantB);
        const AdjustmentData sent = adjustmentData;

        // A different record beforehand: carried fields come from the block,
        // the others stay.
        AdjustmentData before;
        for (std::size_t i = 0; i < before.bytes.size(); ++i)
            before.bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
        adjustmentData = before;
        SetAdjustmentData(CalibrationBlock, variantB);

        const auto notCarried = FieldsNotCarried();
        for (const Field& f : adj::kFields) {
            const auto at = adjustmentData.bytes.begin() + static_cast<long>(f.offset);
            const std::vector<std::uint8_t> got(at, at + static_cast<long>(f.size));
            const AdjustmentData& want = notCarried.count(f.name) ? before : sent;
            const auto wantAt = want.bytes.begin() + static_cast<long>(f.offset);
            EXPECT_EQ(got, std::vector<std::uint8_t>(wantAt, wantAt + static_cast<long>(f.size))) << f.name;
        }
    }
}

TEST_F(CalibrationBlockTest, ChipStatusBytesMapToTheirFields) {
    const struct {
        std::array<std::uint8_t, kChipStatusBytes> s;
        // CurBatt, Rssi_db, Noise_db, Modu_cmp, Rssi_cmp1, Noise_cmp1,
        // Noise_cmp2, Rssi_cmp3, Pkdet_cmp, Pkdet_Rx, Modu_db, Offset
        std::array<std::uint16_t, 12> fields;
    } cases[] = {
        {{0x7B, 0x3C, 0x1E, 0x88, 0xFF, 0x80, 0x85, 0xFF, 0x40, 0x01, 0x2C},
         {0x7B, 0x3C, 0x1E, 1, 0, 1, 0, 1, 1, 5, 0x40, 300}},
        {{0x00, 0xFF, 0x01, 0x24, 0xFF, 0x7F, 0x7A, 0xFF, 0x00, 0xFF, 0xFF},
         {0x00, 0xFF, 0x01, 0, 1, 0, 1, 0, 0, 0x7A, 0x00, 0xFFFF}},
    };
    const Field fields[] = {adj::CurBatt,   adj::Rssi_db,   adj::Noise_db,  adj::Modu_cmp,
                            adj::Rssi_cmp1, adj::Noise_cmp1, adj::Noise_cmp2, adj::Rssi_cmp3,
                            adj::Pkdet_cmp, adj::Pkdet_Rx,  adj::Modu_db,   adj::Offset};
    for (const auto& c : cases) {
        Reset();
        adjustmentData.set(adj::Pkdet_rssi, 99);
        AdjustmentData expected = adjustmentData;
        for (std::size_t i = 0; i < std::size(fields); ++i) expected.set(fields[i], c.fields[i]);
        Set1846StatucData(c.s);
        EXPECT_EQ(adjustmentData, expected);  // nothing else changes, Pkdet_rssi included
        for (std::size_t i = 0; i < std::size(fields); ++i)
            EXPECT_EQ(adjustmentData.get(fields[i]), c.fields[i]) << fields[i].name;
    }
}

}  // namespace
}  // namespace t604
