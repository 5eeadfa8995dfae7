#include "link/calibration_block.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "model/bytes.h"
#include "service/adjustment_data.h"

namespace t604 {

namespace {

using Block = std::span<const std::uint8_t, kCalibrationBlockSize>;

// The lower field of a chip pair: x minus this.
constexpr std::uint8_t kPairOffset = 2;
constexpr std::uint8_t kRssi3PairOffset = 1;
// Squelch thresholds are stored as this minus the record's level.
constexpr int kSquelchBase = 137;
// The second squelch table lies this much below the first.
constexpr int kSquelchLowerStep = 2;

std::uint8_t* At(const Field& f) { return CalibrationBlock.data() + f.offset; }
void Put16(const Field& f, std::uint16_t value) { put_u16be(At(f), value); }
std::uint16_t Get16(Block block, const Field& f) { return get_u16be(block.data() + f.offset); }
std::uint8_t Get8(Block block, const Field& f) { return block[f.offset]; }

// A straight line from `from` (entry first) to `to` (entry first + 4),
// truncated toward `from`.
void Line(std::array<std::uint8_t, 10>& table, std::size_t first, int from, int to) {
    for (int k = 1; k < 4; ++k)
        table[first + static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(from + (to - from) * k / 4);
    table[first] = static_cast<std::uint8_t>(from);
    table[first + 4] = static_cast<std::uint8_t>(to);
}

// A chip pair field of the record and its lower-field offset.
struct PairField {
    Field block;
    Field record;
    std::uint8_t k;
};
constexpr PairField kPairs[] = {
    {calblock::Noise_th, adj::Noise_th, kPairOffset},
    {calblock::Pkdet_th, adj::Pkdet_th, kPairOffset},
    {calblock::Rssi3_th, adj::Rssi3_th, kRssi3PairOffset},
    {calblock::Noise2_th, adj::Noise2_th, kPairOffset},
    {calblock::Noise_th_nar, adj::Noise_th_nar, kPairOffset},
    {calblock::Pkdet_th_nar, adj::Pkdet_th_nar, kPairOffset},
};

// Fields kept byte for byte.
struct ByteField {
    Field block;
    Field record;
};
constexpr ByteField kBytes[] = {
    {calblock::Batt_L0_Wait, adj::Batt_L0_Wait}, {calblock::Batt_L0_Tx, adj::Batt_L0_Tx},
    {calblock::CtcPinPian_W, adj::CtcPinPian_W}, {calblock::DcsPinPian_W, adj::DcsPinPian_W},
    {calblock::Xtal_PP, adj::Xtal_PP},           {calblock::Xtal1846, adj::Xtal1846},
    {calblock::LcdContrast, adj::LcdContrast},
};

// Deviations: 16-bit on variant A radios, one byte on variant B radios.
constexpr ByteField kDeviations[] = {
    {calblock::PinPian_W, adj::PinPian_W},
    {calblock::PinPian_W_Spe_1, adj::PinPian_W_Spe_1},
    {calblock::PinPian_W_Spe_2, adj::PinPian_W_Spe_2},
};

// The record's fields that a run of block bytes carries, one byte each.
void CopyToBlock(const Field& blockField, std::span<const Field> recordFields) {
    for (std::size_t i = 0; i < recordFields.size(); ++i)
        At(blockField)[i] = static_cast<std::uint8_t>(adjustmentData.get(recordFields[i]));
}
void CopyFromBlock(Block block, const Field& blockField, std::span<const Field> recordFields) {
    for (std::size_t i = 0; i < recordFields.size(); ++i)
        adjustmentData.set(recordFields[i], block[blockField.offset + i]);
}

// The standby battery levels 0..3, copied into the gauge table's first entries.
constexpr Field kBattWait[] = {adj::Batt_L0_Wait, adj::Batt_L1_Wait, adj::Batt_L2_Wait, adj::Batt_L3_Wait};

}  // namespace

std::uint16_t ChipPair(std::uint8_t x, std::uint8_t k) {
    return static_cast<std::uint16_t>(x * 128 | static_cast<std::uint8_t>(x - k));
}

std::uint8_t ChipPairValue(std::uint16_t value) { return static_cast<std::uint8_t>((value >> 7) & 0x7F); }

std::array<std::uint8_t, 10> SquelchLevelTable() {
    auto level = [](const Field& f) { return static_cast<std::uint8_t>(kSquelchBase - adjustmentData.get(f)); };
    std::array<std::uint8_t, 10> table{};
    Line(table, 1, level(adj::SQL_L1), level(adj::SQL_L4));
    Line(table, 5, level(adj::SQL_L4), level(adj::SQL_L9));
    table[0] = 0;
    return table;
}

std::array<std::uint8_t, 10> VoxLevelTable() {
    const int first = adjustmentData.get(adj::VOX_L1), last = adjustmentData.get(adj::VOX_L9);
    const int step = std::abs(last - first) / 8;
    std::array<std::uint8_t, 10> table{};
    for (int k = 1; k <= 8; ++k)
        table[static_cast<std::size_t>(k)] =
            static_cast<std::uint8_t>(last >= first ? first + step * (k - 1) : first - step * (k - 1));
    table[9] = static_cast<std::uint8_t>(last);
    return table;
}

void GetAdjustmentData(bool variantB) {
    using namespace calblock;
    for (std::size_t i = 0; i < std::size(adj::kFreqPoints); ++i) {
        const adj::FreqPoint& f = adj::kFreqPoints[i];
        CalibrationPoint point{adjustmentData.get(f.Freq), static_cast<std::uint8_t>(adjustmentData.get(f.H)),
                               static_cast<std::uint8_t>(adjustmentData.get(f.L)),
                               static_cast<std::uint8_t>(adjustmentData.get(f.Tune))};
        CalibrationTable.points[i] = point;
        WriteCalibrationPoint(At(Points) + kCalibrationPointSize * i, point);
    }
    CopyToBlock(SquelchWide, std::span(adj::kSqOffset, SquelchWide.size));
    CopyToBlock(SquelchNarrow, std::span(adj::kSqOffsetNar, SquelchNarrow.size));
    std::copy_n(At(SquelchWide), SquelchWide.size, CalibrationTable.SquelchWide.begin());
    std::copy_n(At(SquelchNarrow), SquelchNarrow.size, CalibrationTable.SquelchNarrow.begin());

    adjustmentData.set(adj::Vol1846_0, 0);
    CopyToBlock(Volume, adj::kVol1846);

    const auto squelch = SquelchLevelTable();
    std::ranges::copy(squelch, At(SquelchLevels));
    At(SquelchLevelsLower)[0] = 0;
    for (std::size_t k = 1; k < squelch.size(); ++k)
        At(SquelchLevelsLower)[k] = static_cast<std::uint8_t>(squelch[k] - kSquelchLowerStep);
    std::ranges::copy(VoxLevelTable(), At(VoxLevels));

    for (std::size_t i = 0; i < std::size(kBattWait); ++i)
        adjustmentData.set(adj::kBattTbl[i], adjustmentData.get(kBattWait[i]));
    CopyToBlock(BattTable, adj::kBattTbl);

    for (const ByteField& f : kBytes) At(f.block)[0] = static_cast<std::uint8_t>(adjustmentData.get(f.record));
    for (const ByteField& f : kDeviations) {
        if (variantB)
            At(f.block)[0] = static_cast<std::uint8_t>(adjustmentData.get(f.record));
        else
            Put16(f.block, adjustmentData.get(f.record));
    }
    Put16(MicGainFine, adjustmentData.get(adj::MicGainFine));
    Put16(MicGain, static_cast<std::uint16_t>(adjustmentData.get(adj::MicGain) * kMicGainUnit));
    Put16(Pga, static_cast<std::uint16_t>(adjustmentData.get(adj::Pga) * kPgaUnit));
    for (const PairField& f : kPairs)
        Put16(f.block, ChipPair(static_cast<std::uint8_t>(adjustmentData.get(f.record)), f.k));
    Put16(Modu_dten, adjustmentData.get(adj::Modu_dten) ? kModuDetectOn : 0);
    Put16(Pkdet_dten, adjustmentData.get(adj::Pkdet_dten) ? kPkdetDetectOn : 0);
}

void SetAdjustmentData(Block block, bool variantB) {
    using namespace calblock;
    for (std::size_t i = 0; i < std::size(adj::kFreqPoints); ++i) {
        const adj::FreqPoint& f = adj::kFreqPoints[i];
        const CalibrationPoint point =
            ReadCalibrationPoint(block.data() + Points.offset + kCalibrationPointSize * i);
        adjustmentData.set(f.Freq, point.MHz);
        adjustmentData.set(f.H, point.PowerHigh);
        adjustmentData.set(f.L, point.PowerLow);
        adjustmentData.set(f.Tune, point.Tune);
    }
    CopyFromBlock(block, SquelchWide, std::span(adj::kSqOffset, SquelchWide.size));
    CopyFromBlock(block, SquelchNarrow, std::span(adj::kSqOffsetNar, SquelchNarrow.size));
    CopyFromBlock(block, Volume, adj::kVol1846);
    adjustmentData.set(adj::Vol1846_0, 0);

    // Squelch levels 1, 5 and 9 are entries 1, 5 and 9 of the table.
    const std::uint8_t* squelch = block.data() + SquelchLevels.offset;
    adjustmentData.set(adj::SQL_L1, static_cast<std::uint8_t>(kSquelchBase - squelch[1]));
    adjustmentData.set(adj::SQL_L4, static_cast<std::uint8_t>(kSquelchBase - squelch[5]));
    adjustmentData.set(adj::SQL_L9, static_cast<std::uint8_t>(kSquelchBase - squelch[9]));
    adjustmentData.set(adj::VOX_L1, block[VoxLevels.offset + 1]);
    adjustmentData.set(adj::VOX_L9, block[VoxLevels.offset + 9]);

    for (const ByteField& f : kBytes) adjustmentData.set(f.record, Get8(block, f.block));
    CopyFromBlock(block, BattTable, adj::kBattTbl);
    for (std::size_t i = 1; i < std::size(kBattWait); ++i)
        adjustmentData.set(kBattWait[i], adjustmentData.get(adj::kBattTbl[i]));

    for (const ByteField& f : kDeviations)
        adjustmentData.set(f.record, variantB ? Get8(block, f.block) : Get16(block, f.block));
    adjustmentData.set(adj::MicGainFine, block[MicGainFine.offset + 1]);
    adjustmentData.set(adj::MicGain, block[MicGain.offset] & 0x0F);
    adjustmentData.set(adj::Pga, static_cast<std::uint8_t>(Get16(block, Pga) >> 6));
    for (const PairField& f : kPairs) adjustmentData.set(f.record, ChipPairValue(Get16(block, f.block)));
    adjustmentData.set(adj::Modu_dten, (Get16(block, Modu_dten) & kModuDetectOn) ? 1 : 0);
    adjustmentData.set(adj::Pkdet_dten, (Get16(block, Pkdet_dten) & kPkdetDetectOn) ? 1 : 0);
}

void Set1846StatucData(std::span<const std::uint8_t, kChipStatusBytes> s) {
    auto flag = [](std::uint8_t byte, int bit) { return static_cast<std::uint16_t>((byte >> bit) & 1); };
    adjustmentData.set(adj::CurBatt, s[0]);
    adjustmentData.set(adj::Rssi_db, s[1]);
    adjustmentData.set(adj::Noise_db, s[2]);
    adjustmentData.set(adj::Modu_cmp, flag(s[3], 7));
    adjustmentData.set(adj::Rssi_cmp1, flag(s[3], 5));
    adjustmentData.set(adj::Noise_cmp1, flag(s[3], 3));
    adjustmentData.set(adj::Noise_cmp2, flag(s[3], 2));
    adjustmentData.set(adj::Rssi_cmp3, flag(s[5], 7));
    adjustmentData.set(adj::Pkdet_cmp, flag(s[6], 7));
    adjustmentData.set(adj::Pkdet_Rx, s[6] & 0x7F);
    adjustmentData.set(adj::Modu_db, s[8]);
    adjustmentData.set(adj::Offset, static_cast<std::uint16_t>(s[9] * 256 + s[10]));
}

}  // namespace t604
