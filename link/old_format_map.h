#pragma once
// The memory of old-format radios (image offset o holds radio address o) and
// the conversion between it and the configuration record: 16 channels with
// packed-decimal frequencies, a few options and a scan mask.

#include <cstddef>
#include <cstdint>
#include <span>

#include "link/memory_map.h"
#include "model/field.h"

namespace t604 {

inline constexpr RadioArea kOldFormatArea{0x0010, 0x1F0};  // 31 blocks
inline constexpr int kOldFormatChannelCount = 16;

namespace oldfmt {
// Channel n (1..16) at 16 n.
inline constexpr std::size_t kSlotSize = 16;
inline constexpr Field RxBcd{"RxBcd", 0, 4};
inline constexpr Field TxBcd{"TxBcd", 4, 4};
inline constexpr Field DecodeTone{"DecodeTone", 8, 2};
inline constexpr Field EncodeTone{"EncodeTone", 10, 2};
inline constexpr Field ChannelFlags{"ChannelFlags", 12, 4};  // record bytes 57..60 unchanged
inline constexpr Field kSlotFields[] = {RxBcd, TxBcd, DecodeTone, EncodeTone, ChannelFlags};

inline constexpr Field Key_1_Short{"Key_1_Short", 0x011D, 1};
inline constexpr Field Key_2_Short{"Key_2_Short", 0x011E, 1};
inline constexpr Field Voice{"Voice", 0x012F, 1};
inline constexpr Field TOT{"TOT", 0x0130, 1};  // seconds / 15
inline constexpr Field TOA{"TOA", 0x0131, 1};
inline constexpr Field SQL{"SQL", 0x0134, 1};
inline constexpr Field Saving{"Saving", 0x0135, 1};
inline constexpr Field Beep{"Beep", 0x0136, 1};
inline constexpr Field ScanMask{"ScanMask", 0x017E, 2};  // little-endian, bit n-1 = channel n
inline constexpr Field kSettingsFields[] = {Key_1_Short, Key_2_Short, Voice, TOT, TOA,
                                            SQL,         Saving,      Beep,  ScanMask};
inline constexpr std::uint32_t kTotUnit = 15;
}  // namespace oldfmt
static_assert(FieldsAscendAndFit(oldfmt::kSlotFields, oldfmt::kSlotSize));
static_assert(ch::FlagsA.offset + oldfmt::ChannelFlags.size <= ch::Name.offset);
static_assert(oldfmt::kSlotSize * (kOldFormatChannelCount + 1) <= oldfmt::Key_1_Short.offset);
static_assert(FieldsAscendAndFit(oldfmt::kSettingsFields, kOldFormatArea.end()));

// The side-key functions: the record's values and the old radio's.
std::uint8_t OldKey1ToRadio(std::uint8_t recordValue);
std::uint8_t OldKey2ToRadio(std::uint8_t recordValue);
std::uint8_t OldKey1FromRadio(std::uint8_t radioValue);
std::uint8_t OldKey2FromRadio(std::uint8_t radioValue);

using OldChannelSlot = std::span<std::uint8_t, oldfmt::kSlotSize>;
OldChannelSlot RadioImageOldSlot(int n);  // channel n, 1..16

// Image 0-8191 filled with 0xFF, then channels 1..16 in use, the options and
// the scan mask from softwareData.
void GetDataForWrite_old();
// The image read from an old-format radio into softwareData.
void SetDataToSoftware_old();

}  // namespace t604
