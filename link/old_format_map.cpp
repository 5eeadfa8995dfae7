#include "link/old_format_map.h"

#include <algorithm>
#include <cassert>
#include <utility>

#include "link/radio_image.h"
#include "model/bytes.h"
#include "model/freq_codec.h"
#include "model/program_state.h"
#include "model/tone_codec.h"

namespace t604 {

namespace {

// Record value and radio value of a side-key function.
struct KeyPair {
    std::uint8_t record, radio;
};
constexpr KeyPair kKey1Map[] = {{2, 4}, {3, 5}, {24, 2}, {25, 8}};
constexpr KeyPair kKey2Map[] = {{2, 4}, {3, 5}, {25, 8}};

std::uint8_t ToRadio(std::span<const KeyPair> map, std::uint8_t value) {
    auto it = std::ranges::find(map, value, &KeyPair::record);
    return it == map.end() ? 0 : it->radio;
}

std::uint8_t FromRadio(std::span<const KeyPair> map, std::uint8_t value) {
    auto it = std::ranges::find(map, value, &KeyPair::radio);
    return it == map.end() ? 0 : it->record;
}

// Options kept in one byte as the record has them.
constexpr SettingPair kPlainSettings[] = {
    {oldfmt::Voice, sd::Voice}, {oldfmt::TOA, sd::TOA},   {oldfmt::SQL, sd::SQL},
    {oldfmt::Saving, sd::Saving}, {oldfmt::Beep, sd::Beep},
};

constexpr std::uint8_t kDefaultSavingRate = 3;

std::uint8_t& ImageByte(const Field& f) { return RadioImage[f.offset]; }

void EncodeOldTone(const ToneSetting& tone, std::uint8_t* out) {
    OldToneWordEncode(tone, out);
    // The radio reads 0xFF 0xFF as no tone; 0x00 0x00 is not used.
    if (out[0] == 0x00 && out[1] == 0x00) out[0] = out[1] = 0xFF;
}

ToneSetting DecodeOldTone(const std::uint8_t* field) {
    std::uint8_t bytes[2] = {field[0], field[1]};
    return OldToneWordDecode(bytes);
}

void EncodeOldSlot(ConstChannelRecord channel, OldChannelSlot s) {
    std::uint8_t* p = s.data();
    std::ranges::copy(FreqToBcd(channel.FreqRx()), p + oldfmt::RxBcd.offset);
    std::ranges::copy(FreqToBcd(channel.FreqTx()), p + oldfmt::TxBcd.offset);
    EncodeOldTone(channel.SubDe(), p + oldfmt::DecodeTone.offset);
    EncodeOldTone(channel.SubEn(), p + oldfmt::EncodeTone.offset);
    std::copy_n(channel.bytes().begin() + ch::FlagsA.offset, oldfmt::ChannelFlags.size,
                p + oldfmt::ChannelFlags.offset);
}

// A slot holds a channel when the highest digits of its receive frequency
// are neither erased (0xFF) nor zero.
bool OldSlotInUse(const OldChannelSlot s) {
    std::uint8_t top = s[oldfmt::RxBcd.offset + 3];
    return top != 0x00 && top != 0xFF;
}

void DecodeOldSlot(const OldChannelSlot s, ChannelRecord channel) {
    const std::uint8_t* p = s.data();
    channel.setFreqRx(FreqFromBcd(p + oldfmt::RxBcd.offset));
    channel.setFreqTx(FreqFromBcd(p + oldfmt::TxBcd.offset));
    channel.setSubDe(DecodeOldTone(p + oldfmt::DecodeTone.offset));
    channel.setSubEn(DecodeOldTone(p + oldfmt::EncodeTone.offset));
    std::copy_n(p + oldfmt::ChannelFlags.offset, oldfmt::ChannelFlags.size,
                channel.bytes().begin() + ch::FlagsA.offset);
}

}  // namespace

std::uint8_t OldKey1ToRadio(std::uint8_t recordValue) { return ToRadio(kKey1Map, recordValue); }
std::uint8_t OldKey2ToRadio(std::uint8_t recordValue) { return ToRadio(kKey2Map, recordValue); }
std::uint8_t OldKey1FromRadio(std::uint8_t radioValue) { return FromRadio(kKey1Map, radioValue); }
std::uint8_t OldKey2FromRadio(std::uint8_t radioValue) { return FromRadio(kKey2Map, radioValue); }

OldChannelSlot RadioImageOldSlot(int n) {
    assert(n >= 1 && n <= kOldFormatChannelCount);
    return OldChannelSlot(RadioImage.data() + oldfmt::kSlotSize * static_cast<std::size_t>(n),
                          oldfmt::kSlotSize);
}

void GetDataForWrite_old() {
    std::fill_n(RadioImage.begin(), 8192, std::uint8_t{0xFF});
    std::uint16_t scanMask = 0;
    for (int n = 1; n <= kOldFormatChannelCount; ++n) {
        if (!softwareData.IsChannelUsed(n)) continue;
        ConstChannelRecord channel = std::as_const(softwareData).channel(n);
        EncodeOldSlot(channel, RadioImageOldSlot(n));
        if (channel.SCN()) scanMask = static_cast<std::uint16_t>(scanMask | 1u << (n - 1));
    }
    put_u16le(&ImageByte(oldfmt::ScanMask), scanMask);
    for (const auto& [radioField, recordField] : kPlainSettings)
        ImageByte(radioField) = static_cast<std::uint8_t>(softwareData.get(recordField));
    ImageByte(oldfmt::TOT) = static_cast<std::uint8_t>(softwareData.get(sd::TOT) / oldfmt::kTotUnit);
    ImageByte(oldfmt::Key_1_Short) =
        OldKey1ToRadio(static_cast<std::uint8_t>(softwareData.get(sd::Key_1_Short)));
    ImageByte(oldfmt::Key_2_Short) =
        OldKey2ToRadio(static_cast<std::uint8_t>(softwareData.get(sd::Key_2_Short)));
}

void SetDataToSoftware_old() {
    const std::uint16_t scanMask = get_u16le(&ImageByte(oldfmt::ScanMask));
    std::fill_n(softwareData.bytes.begin() + sd::ChannelUsed.offset, sd::ChannelUsed.size,
                std::uint8_t{0});
    for (int n = 1; n <= kOldFormatChannelCount; ++n) {
        OldChannelSlot s = RadioImageOldSlot(n);
        if (!OldSlotInUse(s)) continue;
        softwareData.SetChannelUsed(n, true);
        ChannelRecord channel = softwareData.channel(n);
        DecodeOldSlot(s, channel);
        channel.setSCN(scanMask & (1u << (n - 1)));
    }
    for (const auto& [radioField, recordField] : kPlainSettings)
        softwareData.set(recordField, ImageByte(radioField));
    softwareData.set(sd::TOT, ImageByte(oldfmt::TOT) * oldfmt::kTotUnit);
    softwareData.set(sd::Key_1_Short, OldKey1FromRadio(ImageByte(oldfmt::Key_1_Short)));
    softwareData.set(sd::Key_2_Short, OldKey2FromRadio(ImageByte(oldfmt::Key_2_Short)));
    softwareData.set(sd::Saving_Rate, kDefaultSavingRate);
    softwareData.setText(sd::Sn, "");
    LastWriteTime = {};
}

}  // namespace t604
