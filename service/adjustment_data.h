#pragma once
// The calibration record (159 bytes, packed, little-endian) and its file
// (*.cvfa): the file is exactly the record's bytes, no header.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/field.h"
#include "model/file_io.h"

namespace t604 {

inline constexpr std::size_t kAdjustmentDataSize = 159;

// Record layout: every field in record order, no gaps.
namespace adj {
// Five calibration frequency points of 7 bytes each: frequency in whole MHz,
// power values high/medium/low, receiver tuning, signal-strength value.
inline constexpr Field Freq_0{"Freq_0", 0, 2};
inline constexpr Field Freq_0_H{"Freq_0_H", 2, 1};
inline constexpr Field Freq_0_M{"Freq_0_M", 3, 1};
inline constexpr Field Freq_0_L{"Freq_0_L", 4, 1};
inline constexpr Field Freq_0_Tune{"Freq_0_Tune", 5, 1};
inline constexpr Field Freq_0_RSSI{"Freq_0_RSSI", 6, 1};
inline constexpr Field Freq_1{"Freq_1", 7, 2};
inline constexpr Field Freq_1_H{"Freq_1_H", 9, 1};
inline constexpr Field Freq_1_M{"Freq_1_M", 10, 1};
inline constexpr Field Freq_1_L{"Freq_1_L", 11, 1};
inline constexpr Field Freq_1_Tune{"Freq_1_Tune", 12, 1};
inline constexpr Field Freq_1_RSSI{"Freq_1_RSSI", 13, 1};
inline constexpr Field Freq_2{"Freq_2", 14, 2};
inline constexpr Field Freq_2_H{"Freq_2_H", 16, 1};
inline constexpr Field Freq_2_M{"Freq_2_M", 17, 1};
inline constexpr Field Freq_2_L{"Freq_2_L", 18, 1};
inline constexpr Field Freq_2_Tune{"Freq_2_Tune", 19, 1};
inline constexpr Field Freq_2_RSSI{"Freq_2_RSSI", 20, 1};
inline constexpr Field Freq_3{"Freq_3", 21, 2};
inline constexpr Field Freq_3_H{"Freq_3_H", 23, 1};
inline constexpr Field Freq_3_M{"Freq_3_M", 24, 1};
inline constexpr Field Freq_3_L{"Freq_3_L", 25, 1};
inline constexpr Field Freq_3_Tune{"Freq_3_Tune", 26, 1};
inline constexpr Field Freq_3_RSSI{"Freq_3_RSSI", 27, 1};
inline constexpr Field Freq_4{"Freq_4", 28, 2};
inline constexpr Field Freq_4_H{"Freq_4_H", 30, 1};
inline constexpr Field Freq_4_M{"Freq_4_M", 31, 1};
inline constexpr Field Freq_4_L{"Freq_4_L", 32, 1};
inline constexpr Field Freq_4_Tune{"Freq_4_Tune", 33, 1};
inline constexpr Field Freq_4_RSSI{"Freq_4_RSSI", 34, 1};

// Deviation and tone amplitudes, wide then narrow band.
inline constexpr Field PinPian_W{"PinPian_W", 35, 2};
inline constexpr Field PinPian_W_Spe_1{"PinPian_W_Spe_1", 37, 2};
inline constexpr Field PinPian_W_Spe_2{"PinPian_W_Spe_2", 39, 2};
inline constexpr Field DtmfFuDu_W{"DtmfFuDu_W", 41, 1};
inline constexpr Field FuDu1750_W{"FuDu1750_W", 42, 1};
inline constexpr Field CtcPinPian_W{"CtcPinPian_W", 43, 1};
inline constexpr Field DcsPinPian_W{"DcsPinPian_W", 44, 1};
inline constexpr Field PinPian_N{"PinPian_N", 45, 2};
inline constexpr Field PinPian_N_Spe_1{"PinPian_N_Spe_1", 47, 2};
inline constexpr Field PinPian_N_Spe_2{"PinPian_N_Spe_2", 49, 2};
inline constexpr Field DtmfFuDu_N{"DtmfFuDu_N", 51, 1};
inline constexpr Field FuDu1750_N{"FuDu1750_N", 52, 1};
inline constexpr Field CtcPinPian_N{"CtcPinPian_N", 53, 1};
inline constexpr Field DcsPinPian_N{"DcsPinPian_N", 54, 1};

// Squelch, VOX and battery thresholds.
inline constexpr Field SQL_L1{"SQL_L1", 55, 1};
inline constexpr Field SQL_L4{"SQL_L4", 56, 1};  // squelch level 5
inline constexpr Field SQL_L9{"SQL_L9", 57, 1};
inline constexpr Field VOX_L1{"VOX_L1", 58, 1};
inline constexpr Field VOX_L9{"VOX_L9", 59, 1};
inline constexpr Field Batt_L0_Wait{"Batt_L0_Wait", 60, 1};
inline constexpr Field Batt_L1_Wait{"Batt_L1_Wait", 61, 1};
inline constexpr Field Batt_L2_Wait{"Batt_L2_Wait", 62, 1};
inline constexpr Field Batt_L3_Wait{"Batt_L3_Wait", 63, 1};
inline constexpr Field Batt_L0_Tx{"Batt_L0_Tx", 64, 1};
inline constexpr Field Batt_L1_Tx{"Batt_L1_Tx", 65, 1};
inline constexpr Field Batt_L2_Tx{"Batt_L2_Tx", 66, 1};
inline constexpr Field Batt_High{"Batt_High", 67, 1};

// Settings of the transceiver chip.
inline constexpr Field Xtal_PP{"Xtal_PP", 68, 1};
inline constexpr Field MicGainFine{"MicGainFine", 69, 1};
inline constexpr Field MicGain{"MicGain", 70, 1};
inline constexpr Field Pga{"Pga", 71, 1};
inline constexpr Field Noise_th{"Noise_th", 72, 1};
inline constexpr Field Modu_th{"Modu_th", 73, 1};
inline constexpr Field Pkdet_th{"Pkdet_th", 74, 1};
inline constexpr Field Pkdet_th_nar{"Pkdet_th_nar", 75, 1};
inline constexpr Field Rssi3_th{"Rssi3_th", 76, 1};
inline constexpr Field Noise2_th{"Noise2_th", 77, 1};
inline constexpr Field Modu_dten{"Modu_dten", 78, 1};
inline constexpr Field Pkdet_dten{"Pkdet_dten", 79, 1};
inline constexpr Field Noise_th_nar{"Noise_th_nar", 80, 1};

// Read-only status of the chip, filled by the chip-status read only.
inline constexpr Field CurBatt{"CurBatt", 81, 1};
inline constexpr Field Rssi_db{"Rssi_db", 82, 1};
inline constexpr Field Rssi_cmp1{"Rssi_cmp1", 83, 1};
inline constexpr Field Noise_db{"Noise_db", 84, 1};
inline constexpr Field Noise_cmp1{"Noise_cmp1", 85, 1};
inline constexpr Field Modu_cmp{"Modu_cmp", 86, 1};
inline constexpr Field Pkdet_cmp{"Pkdet_cmp", 87, 1};
inline constexpr Field Rssi_cmp3{"Rssi_cmp3", 88, 1};
inline constexpr Field Noise_cmp2{"Noise_cmp2", 89, 1};
inline constexpr Field Modu_db{"Modu_db", 90, 1};
inline constexpr Field Pkdet_rssi{"Pkdet_rssi", 91, 1};
inline constexpr Field Offset{"Offset", 92, 2};
inline constexpr Field Pkdet_Rx{"Pkdet_Rx", 94, 1};

// Battery gauge table, 10 % to 100 %.
inline constexpr Field Batt_Tbl_L0{"Batt_Tbl_L0", 95, 1};
inline constexpr Field Batt_Tbl_L1{"Batt_Tbl_L1", 96, 1};
inline constexpr Field Batt_Tbl_L2{"Batt_Tbl_L2", 97, 1};
inline constexpr Field Batt_Tbl_L3{"Batt_Tbl_L3", 98, 1};
inline constexpr Field Batt_Tbl_L4{"Batt_Tbl_L4", 99, 1};
inline constexpr Field Batt_Tbl_L5{"Batt_Tbl_L5", 100, 1};
inline constexpr Field Batt_Tbl_L6{"Batt_Tbl_L6", 101, 1};
inline constexpr Field Batt_Tbl_L7{"Batt_Tbl_L7", 102, 1};
inline constexpr Field Batt_Tbl_L8{"Batt_Tbl_L8", 103, 1};
inline constexpr Field Batt_Tbl_L9{"Batt_Tbl_L9", 104, 1};

// Squelch offsets per squelch-offset row, signed bytes; rows 0..11 reach the
// radio, row 12 stays in the program and the file.
inline constexpr Field SQ_offset_0{"SQ_offset_0", 105, 1};
inline constexpr Field SQ_offset_1{"SQ_offset_1", 106, 1};
inline constexpr Field SQ_offset_2{"SQ_offset_2", 107, 1};
inline constexpr Field SQ_offset_3{"SQ_offset_3", 108, 1};
inline constexpr Field SQ_offset_4{"SQ_offset_4", 109, 1};
inline constexpr Field SQ_offset_5{"SQ_offset_5", 110, 1};
inline constexpr Field SQ_offset_6{"SQ_offset_6", 111, 1};
inline constexpr Field SQ_offset_7{"SQ_offset_7", 112, 1};
inline constexpr Field SQ_offset_8{"SQ_offset_8", 113, 1};
inline constexpr Field SQ_offset_9{"SQ_offset_9", 114, 1};
inline constexpr Field SQ_offset_10{"SQ_offset_10", 115, 1};
inline constexpr Field SQ_offset_11{"SQ_offset_11", 116, 1};
inline constexpr Field SQ_offset_12{"SQ_offset_12", 117, 1};
inline constexpr Field Reserved_118{"Reserved_118", 118, 7};
inline constexpr Field SQ_offset_nar_0{"SQ_offset_nar_0", 125, 1};
inline constexpr Field SQ_offset_nar_1{"SQ_offset_nar_1", 126, 1};
inline constexpr Field SQ_offset_nar_2{"SQ_offset_nar_2", 127, 1};
inline constexpr Field SQ_offset_nar_3{"SQ_offset_nar_3", 128, 1};
inline constexpr Field SQ_offset_nar_4{"SQ_offset_nar_4", 129, 1};
inline constexpr Field SQ_offset_nar_5{"SQ_offset_nar_5", 130, 1};
inline constexpr Field SQ_offset_nar_6{"SQ_offset_nar_6", 131, 1};
inline constexpr Field SQ_offset_nar_7{"SQ_offset_nar_7", 132, 1};
inline constexpr Field SQ_offset_nar_8{"SQ_offset_nar_8", 133, 1};
inline constexpr Field SQ_offset_nar_9{"SQ_offset_nar_9", 134, 1};
inline constexpr Field SQ_offset_nar_10{"SQ_offset_nar_10", 135, 1};
inline constexpr Field SQ_offset_nar_11{"SQ_offset_nar_11", 136, 1};
inline constexpr Field SQ_offset_nar_12{"SQ_offset_nar_12", 137, 1};
inline constexpr Field Reserved_138{"Reserved_138", 138, 7};

inline constexpr Field Batt_PowerOn{"Batt_PowerOn", 145, 1};
inline constexpr Field BattLowPowerOff{"BattLowPowerOff", 146, 1};
inline constexpr Field Xtal1846{"Xtal1846", 147, 1};  // 0 "26MHz", 1 "13MHz"

// Chip volume per volume level; level 0 is always written as 0.
inline constexpr Field Vol1846_0{"Vol1846_0", 148, 1};
inline constexpr Field Vol1846_1{"Vol1846_1", 149, 1};
inline constexpr Field Vol1846_2{"Vol1846_2", 150, 1};
inline constexpr Field Vol1846_3{"Vol1846_3", 151, 1};
inline constexpr Field Vol1846_4{"Vol1846_4", 152, 1};
inline constexpr Field Vol1846_5{"Vol1846_5", 153, 1};
inline constexpr Field Vol1846_6{"Vol1846_6", 154, 1};
inline constexpr Field Vol1846_7{"Vol1846_7", 155, 1};
inline constexpr Field Vol1846_8{"Vol1846_8", 156, 1};
inline constexpr Field Vol1846_9{"Vol1846_9", 157, 1};
inline constexpr Field LcdContrast{"LcdContrast", 158, 1};

// The fields of one calibration point, by point number 0..4.
struct FreqPoint {
    Field Freq, H, M, L, Tune, RSSI;
};
inline constexpr FreqPoint kFreqPoints[5] = {
    {Freq_0, Freq_0_H, Freq_0_M, Freq_0_L, Freq_0_Tune, Freq_0_RSSI},
    {Freq_1, Freq_1_H, Freq_1_M, Freq_1_L, Freq_1_Tune, Freq_1_RSSI},
    {Freq_2, Freq_2_H, Freq_2_M, Freq_2_L, Freq_2_Tune, Freq_2_RSSI},
    {Freq_3, Freq_3_H, Freq_3_M, Freq_3_L, Freq_3_Tune, Freq_3_RSSI},
    {Freq_4, Freq_4_H, Freq_4_M, Freq_4_L, Freq_4_Tune, Freq_4_RSSI},
};
inline constexpr Field kBattTbl[10] = {Batt_Tbl_L0, Batt_Tbl_L1, Batt_Tbl_L2, Batt_Tbl_L3,
                                       Batt_Tbl_L4, Batt_Tbl_L5, Batt_Tbl_L6, Batt_Tbl_L7,
                                       Batt_Tbl_L8, Batt_Tbl_L9};
inline constexpr Field kSqOffset[13] = {SQ_offset_0, SQ_offset_1, SQ_offset_2,  SQ_offset_3, SQ_offset_4,
                                        SQ_offset_5, SQ_offset_6, SQ_offset_7,  SQ_offset_8, SQ_offset_9,
                                        SQ_offset_10, SQ_offset_11, SQ_offset_12};
inline constexpr Field kSqOffsetNar[13] = {
    SQ_offset_nar_0, SQ_offset_nar_1, SQ_offset_nar_2,  SQ_offset_nar_3,  SQ_offset_nar_4,
    SQ_offset_nar_5, SQ_offset_nar_6, SQ_offset_nar_7,  SQ_offset_nar_8,  SQ_offset_nar_9,
    SQ_offset_nar_10, SQ_offset_nar_11, SQ_offset_nar_12};
inline constexpr Field kVol1846[10] = {Vol1846_0, Vol1846_1, Vol1846_2, Vol1846_3, Vol1846_4,
                                       Vol1846_5, Vol1846_6, Vol1846_7, Vol1846_8, Vol1846_9};

// Every field in record order, the reserved bytes included.
inline constexpr Field kFields[] = {
    Freq_0, Freq_0_H, Freq_0_M, Freq_0_L, Freq_0_Tune, Freq_0_RSSI,
    Freq_1, Freq_1_H, Freq_1_M, Freq_1_L, Freq_1_Tune, Freq_1_RSSI,
    Freq_2, Freq_2_H, Freq_2_M, Freq_2_L, Freq_2_Tune, Freq_2_RSSI,
    Freq_3, Freq_3_H, Freq_3_M, Freq_3_L, Freq_3_Tune, Freq_3_RSSI,
    Freq_4, Freq_4_H, Freq_4_M, Freq_4_L, Freq_4_Tune, Freq_4_RSSI,
    PinPian_W, PinPian_W_Spe_1, PinPian_W_Spe_2, DtmfFuDu_W, FuDu1750_W, CtcPinPian_W,
    DcsPinPian_W, PinPian_N, PinPian_N_Spe_1, PinPian_N_Spe_2, DtmfFuDu_N, FuDu1750_N,
    CtcPinPian_N, DcsPinPian_N, SQL_L1, SQL_L4, SQL_L9, VOX_L1, VOX_L9, Batt_L0_Wait,
    Batt_L1_Wait, Batt_L2_Wait, Batt_L3_Wait, Batt_L0_Tx, Batt_L1_Tx, Batt_L2_Tx, Batt_High,
    Xtal_PP, MicGainFine, MicGain, Pga, Noise_th, Modu_th, Pkdet_th, Pkdet_th_nar, Rssi3_th,
    Noise2_th, Modu_dten, Pkdet_dten, Noise_th_nar, CurBatt, Rssi_db, Rssi_cmp1, Noise_db,
    Noise_cmp1, Modu_cmp, Pkdet_cmp, Rssi_cmp3, Noise_cmp2, Modu_db, Pkdet_rssi, Offset,
    Pkdet_Rx, Batt_Tbl_L0, Batt_Tbl_L1, Batt_Tbl_L2, Batt_Tbl_L3, Batt_Tbl_L4, Batt_Tbl_L5,
    Batt_Tbl_L6, Batt_Tbl_L7, Batt_Tbl_L8, Batt_Tbl_L9, SQ_offset_0, SQ_offset_1, SQ_offset_2,
    SQ_offset_3, SQ_offset_4, SQ_offset_5, SQ_offset_6, SQ_offset_7, SQ_offset_8, SQ_offset_9,
    SQ_offset_10, SQ_offset_11, SQ_offset_12, Reserved_118, SQ_offset_nar_0, SQ_offset_nar_1,
    SQ_offset_nar_2, SQ_offset_nar_3, SQ_offset_nar_4, SQ_offset_nar_5, SQ_offset_nar_6,
    SQ_offset_nar_7, SQ_offset_nar_8, SQ_offset_nar_9, SQ_offset_nar_10, SQ_offset_nar_11,
    SQ_offset_nar_12, Reserved_138, Batt_PowerOn, BattLowPowerOff, Xtal1846, Vol1846_0,
    Vol1846_1, Vol1846_2, Vol1846_3, Vol1846_4, Vol1846_5, Vol1846_6, Vol1846_7, Vol1846_8,
    Vol1846_9, LcdContrast,
};

// True when each field starts where the previous one ends and the last ends
// at the record's end: the record is packed.
template <std::size_t N>
constexpr bool FieldsArePacked(const Field (&fields)[N], std::size_t recordSize) {
    std::size_t at = 0;
    for (const Field& f : fields) {
        if (f.offset != at) return false;
        at = f.end();
    }
    return at == recordSize;
}
}  // namespace adj

static_assert(FieldsAscendAndFit(adj::kFields, kAdjustmentDataSize));
static_assert(adj::FieldsArePacked(adj::kFields, kAdjustmentDataSize));

class AdjustmentData {
public:
    std::array<std::uint8_t, kAdjustmentDataSize> bytes{};

    // Unsigned value of a 1- or 2-byte field.
    std::uint16_t get(const Field& f) const;
    void set(const Field& f, std::uint16_t value);
    // Signed byte fields: the squelch offsets.
    std::int8_t get_i8(const Field& f) const;
    void set_i8(const Field& f, std::int8_t value);

    // Zeroes every byte, then stores the defaults; the frequency points come
    // from the band (Hz).
    void setDefaults(std::uint32_t bandMin, std::uint32_t bandMax);

    friend bool operator==(const AdjustmentData&, const AdjustmentData&) = default;
};

inline AdjustmentData adjustmentData;

// adjustmentData.setDefaults for CurrentBandMin..CurrentBandMax.
void ResetAdjustmentData();

// Writes the 159 bytes through a temporary file, so that a failed save
// leaves an existing file as it was.
FileResult SaveAdjustmentFile(const std::string& path);
// Reads up to 159 bytes over adjustmentData; a shorter file replaces only
// its leading bytes, a longer one contributes its first 159.
FileResult LoadAdjustmentFile(const std::string& path);

// The frequencies (MHz) that label the squelch-offset rows: 1 to 13 rows
// derived from the band (Hz).
std::vector<std::uint16_t> SqOffsetRows(std::uint32_t bandMin, std::uint32_t bandMax);

}  // namespace t604
