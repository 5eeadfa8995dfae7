#include "service/adjustment_data.h"

#include <cassert>

#include "model/program_state.h"

namespace t604 {

std::uint16_t AdjustmentData::get(const Field& f) const {
    assert(f.size == 1 || f.size == 2);
    return static_cast<std::uint16_t>(GetFieldValue(bytes.data(), f, ByteOrder::Little));
}

void AdjustmentData::set(const Field& f, std::uint16_t value) {
    assert(f.size == 1 || f.size == 2);
    SetFieldValue(bytes.data(), f, value, ByteOrder::Little);
}

std::int8_t AdjustmentData::get_i8(const Field& f) const {
    assert(f.size == 1);
    return static_cast<std::int8_t>(bytes[f.offset]);
}

void AdjustmentData::set_i8(const Field& f, std::int8_t value) {
    assert(f.size == 1);
    bytes[f.offset] = static_cast<std::uint8_t>(value);
}

void AdjustmentData::setDefaults(std::uint32_t bandMin, std::uint32_t bandMax) {
    using namespace adj;
    bytes.fill(0);

    // Points 0..2 sit at the band's lower end, its middle and its upper end
    // (rounded up, so that the point covers the top of the band).
    const std::uint32_t mhz = 1'000'000;
    set(Freq_0, static_cast<std::uint16_t>(bandMin / mhz));
    set(Freq_1, static_cast<std::uint16_t>((bandMin + (bandMax - bandMin) / 2) / mhz));
    set(Freq_2, static_cast<std::uint16_t>(bandMax / mhz + (bandMax % mhz != 0 ? 1 : 0)));
    for (int i = 0; i < 3; ++i) set(kFreqPoints[i].H, 63);

    set(PinPian_W, 50);
    set(PinPian_W_Spe_1, 65);
    set(PinPian_W_Spe_2, 53);
    set(DtmfFuDu_W, 127);
    set(FuDu1750_W, 127);
    set(CtcPinPian_W, 14);
    set(DcsPinPian_W, 13);
    set(PinPian_N, 50);
    set(PinPian_N_Spe_1, 65);
    set(PinPian_N_Spe_2, 53);
    set(DtmfFuDu_N, 127);
    set(FuDu1750_N, 127);
    set(CtcPinPian_N, 14);
    set(DcsPinPian_N, 13);
    set(SQL_L1, 126);
    set(SQL_L4, 112);
    set(SQL_L9, 107);
    set(VOX_L1, 200);
    set(VOX_L9, 40);
    set(Batt_L0_Wait, 214);
    set(Batt_L0_Tx, 214);
    set(MicGainFine, 20);
    set(MicGain, 9);
    set(Pga, 20);
    set(Noise_th, 58);
    set(Modu_th, 110);
    set(Pkdet_th, 63);
    set(Pkdet_th_nar, 63);
    set(Rssi3_th, 25);
    set(Noise2_th, 32);
    set(Pkdet_dten, 1);
    set(Noise_th_nar, 58);
    set(BattLowPowerOff, 1);
    set(Xtal1846, 1);
    set(LcdContrast, 40);
}

void ResetAdjustmentData() { adjustmentData.setDefaults(CurrentBandMin, CurrentBandMax); }

FileResult SaveAdjustmentFile(const std::string& path) {
    return WriteFileReplacing(path, adjustmentData.bytes);
}

FileResult LoadAdjustmentFile(const std::string& path) {
    return ReadFilePrefix(path, adjustmentData.bytes);
}

namespace {
// The row after `previous`: 5 MHz steps up to 170 MHz, 10 MHz above, kept
// out of the gaps between the chip's ranges (below 130, 171..199, 261..319,
// above 520).
std::uint32_t nextSqOffsetRow(std::uint32_t previous) {
    std::uint32_t next = previous + (previous <= 170 ? 5 : 10);
    if (next < 130) return 130;
    if (next > 170 && next < 200) return 200;
    if (next > 260 && next < 320) return 320;
    if (next > 520) return 520;
    return next;
}
}  // namespace

std::vector<std::uint16_t> SqOffsetRows(std::uint32_t bandMin, std::uint32_t bandMax) {
    // Bands from 200 MHz up are labelled in 10 MHz steps, lower ones in 5 MHz.
    const std::uint32_t step = bandMin >= 200'000'000 ? 10 : 5;
    const std::uint32_t first = bandMin / (step * 1'000'000) * step;
    const std::uint32_t last = bandMax / (step * 1'000'000) * step;

    std::vector<std::uint16_t> rows{static_cast<std::uint16_t>(first)};
    std::uint32_t row = first;
    while (rows.size() < 13) {
        row = nextSqOffsetRow(row);
        if (row > last) break;
        rows.push_back(static_cast<std::uint16_t>(row));
    }
    return rows;
}

}  // namespace t604
