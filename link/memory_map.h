#pragma once
// The memory of variant A and B radios and the conversion between it and the
// configuration record. Image offset o holds radio address 0x4000 + o; every
// multi-byte value on the radio is big-endian.

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>

#include "link/radio_image.h"
#include "model/field.h"
#include "model/program_state.h"
#include "model/software_data.h"

namespace t604 {

inline constexpr std::size_t kBlockSize = 16;

// A range of radio addresses moved in 16-byte blocks.
struct RadioArea {
    std::uint16_t first;
    std::uint16_t size;

    constexpr std::uint16_t end() const { return static_cast<std::uint16_t>(first + size); }
    constexpr std::size_t blocks() const { return size / kBlockSize; }
};

// Areas of variant A and B radios.
inline constexpr RadioArea kSettingsArea{0x4000, 0x180};     // bitmap and settings, 24 blocks
inline constexpr RadioArea kPasswordBlock{0x41D0, 16};
inline constexpr RadioArea kCustomerBlock{0x41E0, 16};
inline constexpr RadioArea kCalibrationArea{0x41F0, 0x90};   // 9 blocks
inline constexpr RadioArea kChannelArea{0x8080, 0x770};      // 119 blocks
inline constexpr RadioArea kRepairBytes{0x8D95, 6};

constexpr std::size_t ImageOffset(std::uint16_t address) { return address - kImageBase; }

static_assert(kSettingsArea.size % kBlockSize == 0 && kCalibrationArea.size % kBlockSize == 0 &&
              kChannelArea.size % kBlockSize == 0);
static_assert(ImageOffset(kRepairBytes.end()) <= kRadioImageSize);

// An option of the record and where a radio keeps it.
struct SettingPair {
    Field radio;
    Field record;
};

// The settings area. Offsets are image offsets; fields not named here are
// zero on write and ignored on read.
namespace radio {
inline constexpr Field ChannelBitmap{"ChannelUsed", ImageOffset(0x4000), 32};
inline constexpr Field LastWriteTime{"LastWriteTime", ImageOffset(0x4150), 6};
inline constexpr Field TOT{"TOT", ImageOffset(0x4156), 2};
inline constexpr Field TOA{"TOA", ImageOffset(0x4158), 1};
inline constexpr Field Beep{"Beep", ImageOffset(0x4159), 1};
inline constexpr Field Saving{"Saving", ImageOffset(0x415A), 1};
inline constexpr Field Saving_Rate{"Saving_Rate", ImageOffset(0x415B), 2};  // value x 200
inline constexpr Field SQL{"SQL", ImageOffset(0x415D), 1};
inline constexpr Field Voice{"Voice", ImageOffset(0x415E), 1};
inline constexpr Field VOX{"VOX", ImageOffset(0x4162), 1};
inline constexpr Field VOX_DELAY{"VOX_DELAY", ImageOffset(0x4163), 2};
inline constexpr Field FixedTen{"0x000A", ImageOffset(0x4165), 2};  // always 10 on write
inline constexpr Field Key_1_Short{"Key_1_Short", ImageOffset(0x4167), 1};
inline constexpr Field Key_2_Short{"Key_2_Short", ImageOffset(0x4168), 1};
inline constexpr Field BandLower{"BandLower", ImageOffset(0x4169), 4};
inline constexpr Field BandUpper{"BandUpper", ImageOffset(0x416D), 4};
inline constexpr Field AlarmCode{"AlarmCode", ImageOffset(0x4171), 2};
inline constexpr Field Alarm{"Alarm", ImageOffset(0x4173), 1};
inline constexpr Field kSettingsFields[] = {
    ChannelBitmap, LastWriteTime, TOT, TOA, Beep, Saving, Saving_Rate, SQL, Voice, VOX,
    VOX_DELAY, FixedTen, Key_1_Short, Key_2_Short, BandLower, BandUpper, AlarmCode, Alarm,
};

inline constexpr Field PasswordBlock{"PasswordBlock", ImageOffset(kPasswordBlock.first), 16};
// Calibration block as read by the main write: five points of MHz (16-bit),
// PowerHigh, PowerLow, Tune, then the squelch offsets per segment.
inline constexpr Field CalibrationPoints{"CalibrationPoints", ImageOffset(0x41F0), 25};
inline constexpr Field SquelchWide{"SquelchWide", ImageOffset(0x424F), 12};
inline constexpr Field SquelchNarrow{"SquelchNarrow", ImageOffset(0x425B), 12};
}  // namespace radio
static_assert(FieldsAscendAndFit(radio::kSettingsFields, ImageOffset(kSettingsArea.end())));

// A 19-byte channel slot; channel n (1..99) at 0x8080 + 19 (n - 1).
namespace slot {
inline constexpr std::size_t kSize = 19;
inline constexpr Field RxCount{"RxCount", 0, 3};
inline constexpr Field TxCount{"TxCount", 3, 3};
inline constexpr Field DecodeTone{"DecodeTone", 6, 4};  // word A, word B
inline constexpr Field EncodeTone{"EncodeTone", 10, 4};
inline constexpr Field ToneTypesAndSpur{"ToneTypesAndSpur", 14, 1};
inline constexpr Field Flags{"Flags", 15, 1};
inline constexpr Field PowerCal{"PowerCal", 16, 1};
inline constexpr Field TuneCal{"TuneCal", 17, 1};
inline constexpr Field SquelchCal{"SquelchCal", 18, 1};
inline constexpr Field kFields[] = {RxCount,          TxCount, DecodeTone, EncodeTone,
                                    ToneTypesAndSpur, Flags,   PowerCal,   TuneCal,
                                    SquelchCal};

// Byte 15.
inline constexpr std::uint8_t kScan = 0x02;
inline constexpr int kBusShift = 2;  // two bits
inline constexpr std::uint8_t kWide = 0x10;
inline constexpr std::uint8_t kHighPower = 0x20;
}  // namespace slot
static_assert(FieldsAscendAndFit(slot::kFields, slot::kSize));
static_assert(ImageOffset(kChannelArea.first) + kChannelCount * slot::kSize <=
              ImageOffset(kChannelArea.end()));

using ChannelSlot = std::span<std::uint8_t, slot::kSize>;
using ConstChannelSlot = std::span<const std::uint8_t, slot::kSize>;
// The slot of channel n (1..99) inside RadioImage.
ChannelSlot RadioImageSlot(int n);

// Frequency counts: units of 125 Hz on variant B radios, 62.5 Hz on variant A.
std::uint32_t FrequencyCount(std::uint32_t hz, bool variantB);
std::uint32_t FrequencyFromCount(std::uint32_t count, bool variantB);
std::uint32_t SlotFreqRx(ConstChannelSlot s, bool variantB);
std::uint32_t SlotFreqTx(ConstChannelSlot s, bool variantB);

// The 4-byte tone field of a slot (word A, word B) and back; the type comes
// from byte 14.
std::array<std::uint8_t, 4> EncodeSlotTone(ToneSetting tone, bool variantB);
ToneSetting DecodeSlotTone(std::uint8_t type, const std::uint8_t field[4]);

// 0, 1 or 2: how the radio treats a frequency at a multiple of 11.375 MHz.
std::uint8_t SpurClass(std::uint32_t hz, bool variantB);

// The calibration points and squelch offsets that channel slots are built
// with. Program-wide; loaded before every conversion that builds slots.
struct CalibrationPoint {
    std::uint16_t MHz = 0;
    std::uint8_t PowerHigh = 0, PowerLow = 0, Tune = 0;
};
// A point as the calibration block keeps it: MHz (16-bit), PowerHigh,
// PowerLow, Tune.
inline constexpr std::size_t kCalibrationPointSize = 5;
CalibrationPoint ReadCalibrationPoint(const std::uint8_t* p);
void WriteCalibrationPoint(std::uint8_t* p, const CalibrationPoint& point);
struct CalibrationTableData {
    std::array<CalibrationPoint, 5> points{};
    std::array<std::uint8_t, 12> SquelchWide{};
    std::array<std::uint8_t, 12> SquelchNarrow{};
};
inline CalibrationTableData CalibrationTable;

enum class CalibrationColumn { PowerHigh, PowerLow, Tune };
// The column's value at the frequency, on the line between the calibration
// points around it.
std::uint8_t InterpolateCalibration(std::uint32_t hz, CalibrationColumn column);
// The squelch offset of the frequency's segment above CurrentBandMin.
std::uint8_t SquelchSegment(std::uint32_t hz, bool wide);

// Slot bytes 16-18 for the given frequencies, power and bandwidth.
void FillSlotCalibration(ChannelSlot s, std::uint32_t rxHz, std::uint32_t txHz, bool highPower,
                         bool wide);
// Bytes 16-18 of a slot read from a radio, recomputed from the slot's own
// frequencies, power and bandwidth; nothing else of the slot changes.
void RecomputeSlotCalibration(ChannelSlot s, bool variantB);

// A channel of the record into its slot (all 19 bytes) and back (only the
// fields the slot carries change).
void EncodeChannelSlot(ConstChannelRecord channel, bool variantB, ChannelSlot s);
void DecodeChannelSlot(ConstChannelSlot s, bool variantB, ChannelRecord channel);

// Band limits read from a radio: inside 136-174, 200-260 or 300-520 MHz.
bool IsAllowedBandLimit(std::uint32_t hz);
// Sets CurrentBandMin/Max, or the default band when either limit is not allowed
// or the lower limit lies above the upper one.
void ApplyBandLimitsFromRadio(std::uint32_t lower, std::uint32_t upper);

// The PC clock's local time as a programming date.
ProgrammingDate LocalProgrammingDate(std::chrono::system_clock::time_point when);

// CalibrationTable from the calibration block read into image 496-639.
void AnalyseTmpAdjustmentData();
// softwareData, the current band and the write time into image 0-8191 and the
// slots of the channels in use; the new password's block at image 464.
void GetDataForWrite(bool variantB, const ProgrammingDate& writeTime);
void GetDataForWrite(bool variantB);  // stamped with the PC clock
// The image read from a radio into softwareData, LastWriteTime and the band.
void SetDataToSoftware(bool variantB);

}  // namespace t604
