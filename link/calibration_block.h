#pragma once
// The calibration block of the radio (0x41F0-0x427F, 144 bytes) and its
// conversion to and from the calibration record. Multi-byte values in the
// block are big-endian; several hold registers of the transceiver chip.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "link/memory_map.h"
#include "model/field.h"

namespace t604 {

inline constexpr std::size_t kCalibrationBlockSize = 144;
static_assert(kCalibrationBlockSize == kCalibrationArea.size);

// The block in the form sent to the radio, kept between runs: bytes that a
// preparation does not fill keep their earlier content.
inline std::array<std::uint8_t, kCalibrationBlockSize> CalibrationBlock{};

// Block layout, offsets inside the block.
namespace calblock {
// Five points of 5 bytes: MHz (16-bit), high power, low power, tune.
inline constexpr Field Points{"Points", 0, 5 * kCalibrationPointSize};
inline constexpr Field SquelchLevels{"SquelchLevelTable", 25, 10};
inline constexpr Field SquelchLevelsLower{"SquelchLevelTable-2", 35, 10};
inline constexpr Field VoxLevels{"VoxLevelTable", 45, 10};
inline constexpr Field Batt_L0_Wait{"Batt_L0_Wait", 55, 1};
inline constexpr Field BattTable{"Batt_Tbl_L0..L9", 56, 10};
inline constexpr Field Batt_L0_Tx{"Batt_L0_Tx", 66, 1};
// Variant A: 16-bit values; variant B: one byte at the first offset each.
inline constexpr Field PinPian_W{"PinPian_W", 68, 2};
inline constexpr Field PinPian_W_Spe_1{"PinPian_W_Spe_1", 70, 2};
inline constexpr Field PinPian_W_Spe_2{"PinPian_W_Spe_2", 72, 2};
inline constexpr Field CtcPinPian_W{"CtcPinPian_W", 74, 1};
inline constexpr Field DcsPinPian_W{"DcsPinPian_W", 75, 1};
inline constexpr Field Xtal_PP{"Xtal_PP", 76, 1};
inline constexpr Field MicGainFine{"MicGainFine", 77, 2};
inline constexpr Field MicGain{"MicGain", 79, 2};  // value x 256
inline constexpr Field Noise_th{"Noise_th", 81, 2};
inline constexpr Field Pkdet_th{"Pkdet_th", 85, 2};
inline constexpr Field Rssi3_th{"Rssi3_th", 87, 2};
inline constexpr Field Noise2_th{"Noise2_th", 89, 2};
inline constexpr Field Modu_dten{"Modu_dten", 91, 2};
inline constexpr Field Pkdet_dten{"Pkdet_dten", 93, 2};
inline constexpr Field SquelchWide{"SQ_offset_0..11", 95, 12};
inline constexpr Field SquelchNarrow{"SQ_offset_nar_0..11", 107, 12};
inline constexpr Field Noise_th_nar{"Noise_th_nar", 119, 2};
inline constexpr Field Pga{"Pga", 121, 2};  // value x 64
inline constexpr Field Xtal1846{"Xtal1846", 123, 1};
inline constexpr Field Volume{"Vol1846_0..9", 124, 10};
inline constexpr Field LcdContrast{"LcdContrast", 134, 1};
inline constexpr Field Pkdet_th_nar{"Pkdet_th_nar", 135, 2};
inline constexpr Field kFields[] = {
    Points,       SquelchLevels, SquelchLevelsLower, VoxLevels,   Batt_L0_Wait, BattTable,
    Batt_L0_Tx,   PinPian_W,     PinPian_W_Spe_1,    PinPian_W_Spe_2, CtcPinPian_W,
    DcsPinPian_W, Xtal_PP,       MicGainFine,        MicGain,     Noise_th,     Pkdet_th,
    Rssi3_th,     Noise2_th,     Modu_dten,          Pkdet_dten,  SquelchWide,  SquelchNarrow,
    Noise_th_nar, Pga,           Xtal1846,           Volume,      LcdContrast,  Pkdet_th_nar,
};

inline constexpr std::uint16_t kModuDetectOn = 0x0400;
inline constexpr std::uint16_t kPkdetDetectOn = 0x0020;
inline constexpr std::uint16_t kMicGainUnit = 256;
inline constexpr std::uint16_t kPgaUnit = 64;
}  // namespace calblock
static_assert(FieldsAscendAndFit(calblock::kFields, kCalibrationBlockSize));
// The main write reads the points and squelch offsets at the same places.
static_assert(radio::CalibrationPoints.offset == ImageOffset(kCalibrationArea.first) + calblock::Points.offset);
static_assert(radio::SquelchWide.offset == ImageOffset(kCalibrationArea.first) + calblock::SquelchWide.offset);
static_assert(radio::SquelchNarrow.offset ==
              ImageOffset(kCalibrationArea.first) + calblock::SquelchNarrow.offset);

// A chip register holding x in its upper field and x - k in its lower one:
// (x * 128) | ((x - k) mod 256). The read-back sees only 7 bits of x.
std::uint16_t ChipPair(std::uint8_t x, std::uint8_t k);
std::uint8_t ChipPairValue(std::uint16_t value);

// The thresholds of the ten squelch levels, from the calibration record's
// levels 1, 5 and 9, straight lines between them.
std::array<std::uint8_t, 10> SquelchLevelTable();
// The ten VOX thresholds: 0, then even steps from VOX_L1 towards VOX_L9.
std::array<std::uint8_t, 10> VoxLevelTable();

// Prepares a calibration write from adjustmentData: CalibrationBlock and
// CalibrationTable. Also keeps the record's invariants: Vol1846_0 := 0 and
// Batt_Tbl_L0..L3 := Batt_L0_Wait..Batt_L3_Wait.
void GetAdjustmentData(bool variantB);
// The block read from a radio into adjustmentData; fields the block does not
// carry keep their values.
void SetAdjustmentData(std::span<const std::uint8_t, kCalibrationBlockSize> block, bool variantB);

inline constexpr std::size_t kChipStatusBytes = 11;
// The chip status bytes S0..S10 into the status fields of adjustmentData.
void Set1846StatucData(std::span<const std::uint8_t, kChipStatusBytes> status);

}  // namespace t604
