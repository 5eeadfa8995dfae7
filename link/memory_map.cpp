#include "link/memory_map.h"

#include <algorithm>
#include <cassert>
#include <ctime>
#include <utility>

#include "link/text_block.h"
#include "model/bytes.h"
#include "model/tone_codec.h"

namespace t604 {

namespace {

std::uint8_t* ImageAt(const Field& f) { return RadioImage.data() + f.offset; }

std::uint32_t GetImage(const Field& f) { return GetFieldValue(RadioImage.data(), f, ByteOrder::Big); }
void PutImage(const Field& f, std::uint32_t value) { SetFieldValue(RadioImage.data(), f, value, ByteOrder::Big); }

// Options the radio keeps as the record does (only the byte order differs).
constexpr SettingPair kPlainSettings[] = {
    {radio::TOT, sd::TOT},
    {radio::TOA, sd::TOA},
    {radio::Beep, sd::Beep},
    {radio::Saving, sd::Saving},
    {radio::SQL, sd::SQL},
    {radio::Voice, sd::Voice},
    {radio::VOX, sd::VOX},
    {radio::VOX_DELAY, sd::VOX_DELAY},
    {radio::Key_1_Short, sd::Key_1_Short},
    {radio::Key_2_Short, sd::Key_2_Short},
    {radio::AlarmCode, sd::AlarmCode},
    {radio::Alarm, sd::Alarm},
};
constexpr std::uint32_t kSavingRateUnit = 200;

// The frequencies (Hz) of the spur classes 1 and 2.
struct SpurTable {
    std::span<const std::uint32_t> class1, class2;
};
constexpr std::uint32_t kSpurB1[] = {136'500'000, 420'875'000, 432'250'000,
                                     443'625'000, 455'000'000, 466'375'000};
constexpr std::uint32_t kSpurB2[] = {409'500'000};
constexpr std::uint32_t kSpurA1[] = {136'500'000, 147'875'000, 159'250'000, 409'500'000,
                                     420'875'000, 432'250'000, 443'625'000, 466'375'000,
                                     477'750'000, 489'125'000, 500'500'000};
constexpr std::uint32_t kSpurA2[] = {170'625'000, 455'000'000, 511'875'000};

std::uint8_t ColumnValue(const CalibrationPoint& p, CalibrationColumn column) {
    switch (column) {
        case CalibrationColumn::PowerHigh: return p.PowerHigh;
        case CalibrationColumn::PowerLow: return p.PowerLow;
        case CalibrationColumn::Tune: return p.Tune;
    }
    return 0;
}

void WriteSettings(const ProgrammingDate& writeTime) {
    std::uint8_t* date = ImageAt(radio::LastWriteTime);
    put_u16be(date, writeTime.year);
    date[2] = writeTime.month;
    date[3] = writeTime.day;
    date[4] = writeTime.hour;
    date[5] = writeTime.minute;
    for (const auto& [radioField, recordField] : kPlainSettings)
        PutImage(radioField, softwareData.get(recordField));
    PutImage(radio::Saving_Rate, softwareData.get(sd::Saving_Rate) * kSavingRateUnit);
    PutImage(radio::FixedTen, 0x000A);
    PutImage(radio::BandLower, CurrentBandMin);
    PutImage(radio::BandUpper, CurrentBandMax);
}

void ReadSettings() {
    const std::uint8_t* date = ImageAt(radio::LastWriteTime);
    LastWriteTime = {get_u16be(date), date[2], date[3], date[4], date[5]};
    for (const auto& [radioField, recordField] : kPlainSettings)
        softwareData.set(recordField, GetImage(radioField));
    softwareData.set(sd::Saving_Rate, GetImage(radio::Saving_Rate) / kSavingRateUnit);
}

}  // namespace

ChannelSlot RadioImageSlot(int n) {
    assert(n >= 1 && n <= kChannelCount);
    std::size_t at = ImageOffset(kChannelArea.first) + slot::kSize * static_cast<std::size_t>(n - 1);
    return ChannelSlot(RadioImage.data() + at, slot::kSize);
}

std::uint32_t FrequencyCount(std::uint32_t hz, bool variantB) {
    std::uint64_t count = variantB ? hz / 125u : std::uint64_t{hz} * 2 / 125;
    return static_cast<std::uint32_t>(count & 0xFFFFFF);
}

std::uint32_t FrequencyFromCount(std::uint32_t count, bool variantB) {
    return variantB ? count * 125u : count * 125u / 2;
}

std::uint32_t SlotFreqRx(ConstChannelSlot s, bool variantB) {
    return FrequencyFromCount(get_u24be(s.data() + slot::RxCount.offset), variantB);
}

std::uint32_t SlotFreqTx(ConstChannelSlot s, bool variantB) {
    return FrequencyFromCount(get_u24be(s.data() + slot::TxCount.offset), variantB);
}

std::array<std::uint8_t, 4> EncodeSlotTone(ToneSetting tone, bool variantB) {
    std::uint16_t a = 0, b = 0;
    switch (tone.Type) {
        case kToneCtcss:
            a = tone.Code;
            b = static_cast<std::uint16_t>(variantB ? std::uint32_t{tone.Code} * 65536 / 10000
                                                    : std::uint32_t{tone.Code} * 10);
            break;
        case kToneDcsNormal:
        case kToneDcsInverted: {
            DcsWords words = DcsCodeWord(tone.Code, tone.Type);
            a = words.A;
            b = words.B;
            break;
        }
        default: break;  // off
    }
    std::array<std::uint8_t, 4> field{};
    put_u16be(field.data(), a);
    put_u16be(field.data() + 2, b);
    return field;
}

ToneSetting DecodeSlotTone(std::uint8_t type, const std::uint8_t field[4]) {
    switch (type) {
        case kToneCtcss: return {get_u16be(field), type};
        case kToneDcsNormal:
        case kToneDcsInverted: return {DcsCodeFromWord(type, field), type};
    }
    return {0, kToneOff};
}

std::uint8_t SpurClass(std::uint32_t hz, bool variantB) {
    SpurTable table = variantB ? SpurTable{kSpurB1, kSpurB2} : SpurTable{kSpurA1, kSpurA2};
    if (std::ranges::find(table.class1, hz) != table.class1.end()) return 1;
    if (std::ranges::find(table.class2, hz) != table.class2.end()) return 2;
    return 0;
}

std::uint8_t InterpolateCalibration(std::uint32_t hz, CalibrationColumn column) {
    const auto& points = CalibrationTable.points;
    const int m = static_cast<int>(hz / 1'000'000);
    std::size_t i = 0;
    while (i < points.size() && points[i].MHz < m) ++i;
    const bool beyondLast = i == points.size();
    if (beyondLast) i = points.size() - 1;
    if (i == 0) return ColumnValue(points[0], column);

    const int f0 = points[i - 1].MHz, f1 = points[i].MHz;
    const int p = ColumnValue(points[i - 1], column), q = ColumnValue(points[i], column);
    if (f1 == f0) return static_cast<std::uint8_t>(q);
    if (!beyondLast) {
        // f0 < m <= f1: the line between the two points, truncated toward the
        // lower value.
        if (p <= q) return static_cast<std::uint8_t>(p + (q - p) * static_cast<std::uint8_t>(m - f0) / (f1 - f0));
        return static_cast<std::uint8_t>(q + (p - q) * static_cast<std::uint8_t>(f1 - m) / (f1 - f0));
    }
    // Above the last point the line of the last two points goes on, limited to
    // a byte rather than wrapping round.
    const long long value = p + static_cast<long long>(q - p) * (m - f0) / (f1 - f0);
    return static_cast<std::uint8_t>(std::clamp<long long>(value, 0, 255));
}

std::uint8_t SquelchSegment(std::uint32_t hz, bool wide) {
    auto width = [](std::uint64_t c) -> std::uint64_t {
        return c < 200'000'000 ? 5'000'000 : 10'000'000;
    };
    const std::uint64_t lower = CurrentBandMin;
    std::uint64_t boundary = lower / width(lower) * width(lower) + width(lower);
    std::size_t i = 0;
    while (boundary <= hz && i < 12) {
        boundary += width(boundary);
        ++i;
    }
    if (i == 12) i = 11;
    return wide ? CalibrationTable.SquelchWide[i] : CalibrationTable.SquelchNarrow[i];
}

void FillSlotCalibration(ChannelSlot s, std::uint32_t rxHz, std::uint32_t txHz, bool highPower,
                         bool wide) {
    s[slot::PowerCal.offset] = InterpolateCalibration(
        txHz, highPower ? CalibrationColumn::PowerHigh : CalibrationColumn::PowerLow);
    s[slot::TuneCal.offset] = InterpolateCalibration(rxHz, CalibrationColumn::Tune);
    s[slot::SquelchCal.offset] = SquelchSegment(rxHz, wide);
}

void RecomputeSlotCalibration(ChannelSlot s, bool variantB) {
    const std::uint8_t flags = s[slot::Flags.offset];
    FillSlotCalibration(s, SlotFreqRx(s, variantB), SlotFreqTx(s, variantB),
                        flags & slot::kHighPower, flags & slot::kWide);
}

void EncodeChannelSlot(ConstChannelRecord channel, bool variantB, ChannelSlot s) {
    std::uint8_t* p = s.data();
    const ToneSetting de = channel.SubDe(), en = channel.SubEn();
    put_u24be(p + slot::RxCount.offset, FrequencyCount(channel.FreqRx(), variantB));
    put_u24be(p + slot::TxCount.offset, FrequencyCount(channel.FreqTx(), variantB));
    std::ranges::copy(EncodeSlotTone(de, variantB), p + slot::DecodeTone.offset);
    std::ranges::copy(EncodeSlotTone(en, variantB), p + slot::EncodeTone.offset);
    p[slot::ToneTypesAndSpur.offset] =
        static_cast<std::uint8_t>((de.Type & 0x03) | (en.Type & 0x03) << 2 |
                                  SpurClass(channel.FreqRx(), variantB) << 4 |
                                  SpurClass(channel.FreqTx(), variantB) << 6);
    p[slot::Flags.offset] = static_cast<std::uint8_t>(
        (channel.SCN() ? slot::kScan : 0) | channel.BUS() << slot::kBusShift |
        (channel.Bandwidth() ? slot::kWide : 0) | (channel.Power() ? slot::kHighPower : 0));
    FillSlotCalibration(s, channel.FreqRx(), channel.FreqTx(), channel.Power(),
                        channel.Bandwidth());
}

void DecodeChannelSlot(ConstChannelSlot s, bool variantB, ChannelRecord channel) {
    const std::uint8_t* p = s.data();
    const std::uint8_t types = p[slot::ToneTypesAndSpur.offset];
    const std::uint8_t flags = p[slot::Flags.offset];
    channel.setFreqRx(SlotFreqRx(s, variantB));
    channel.setFreqTx(SlotFreqTx(s, variantB));
    channel.setSubDe(DecodeSlotTone(types & 0x03, p + slot::DecodeTone.offset));
    channel.setSubEn(DecodeSlotTone((types >> 2) & 0x03, p + slot::EncodeTone.offset));
    channel.setBandwidth(flags & slot::kWide);
    channel.setPower(flags & slot::kHighPower);
    channel.setSCN(flags & slot::kScan);
    channel.setBUS((flags >> slot::kBusShift) & 0x03);
}

bool IsAllowedBandLimit(std::uint32_t hz) {
    return (hz >= 136'000'000 && hz <= 174'000'000) || (hz >= 200'000'000 && hz <= 260'000'000) ||
           (hz >= 300'000'000 && hz <= 520'000'000);
}

void ApplyBandLimitsFromRadio(std::uint32_t lower, std::uint32_t upper) {
    if (IsAllowedBandLimit(lower) && IsAllowedBandLimit(upper) && lower <= upper) {
        CurrentBandMin = lower;
        CurrentBandMax = upper;
    } else {
        CurrentBandMin = kDefaultBandMin;
        CurrentBandMax = kDefaultBandMax;
    }
}

ProgrammingDate LocalProgrammingDate(std::chrono::system_clock::time_point when) {
    std::time_t t = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    localtime_r(&t, &local);
    return {static_cast<std::uint16_t>(local.tm_year + 1900),
            static_cast<std::uint8_t>(local.tm_mon + 1), static_cast<std::uint8_t>(local.tm_mday),
            static_cast<std::uint8_t>(local.tm_hour), static_cast<std::uint8_t>(local.tm_min)};
}

CalibrationPoint ReadCalibrationPoint(const std::uint8_t* p) { return {get_u16be(p), p[2], p[3], p[4]}; }

void WriteCalibrationPoint(std::uint8_t* p, const CalibrationPoint& point) {
    put_u16be(p, point.MHz);
    p[2] = point.PowerHigh;
    p[3] = point.PowerLow;
    p[4] = point.Tune;
}

void AnalyseTmpAdjustmentData() {
    const std::uint8_t* p = ImageAt(radio::CalibrationPoints);
    for (auto& point : CalibrationTable.points) {
        point = ReadCalibrationPoint(p);
        p += kCalibrationPointSize;
    }
    std::copy_n(ImageAt(radio::SquelchWide), radio::SquelchWide.size,
                CalibrationTable.SquelchWide.begin());
    std::copy_n(ImageAt(radio::SquelchNarrow), radio::SquelchNarrow.size,
                CalibrationTable.SquelchNarrow.begin());
}

void GetDataForWrite(bool variantB, const ProgrammingDate& writeTime) {
    // Slots of channels not in use keep what the image held.
    std::fill_n(RadioImage.begin(), 8192, std::uint8_t{0});
    std::copy_n(softwareData.bytes.begin() + sd::ChannelUsed.offset, sd::ChannelUsed.size,
                ImageAt(radio::ChannelBitmap));
    for (int n = 1; n <= kChannelCount; ++n)
        if (softwareData.IsChannelUsed(n))
            EncodeChannelSlot(std::as_const(softwareData).channel(n), variantB, RadioImageSlot(n));
    WriteSettings(writeTime);
    std::ranges::copy(EncodeTextBlock(softwareData.text(sd::NewPassword)),
                      ImageAt(radio::PasswordBlock));
}

void GetDataForWrite(bool variantB) {
    GetDataForWrite(variantB, LocalProgrammingDate(std::chrono::system_clock::now()));
}

void SetDataToSoftware(bool variantB) {
    std::copy_n(ImageAt(radio::ChannelBitmap), sd::ChannelUsed.size,
                softwareData.bytes.begin() + sd::ChannelUsed.offset);
    for (int n = 1; n <= kChannelCount; ++n)
        if (softwareData.IsChannelUsed(n))
            DecodeChannelSlot(RadioImageSlot(n), variantB, softwareData.channel(n));
    ReadSettings();
    ApplyBandLimitsFromRadio(GetImage(radio::BandLower), GetImage(radio::BandUpper));
}

}  // namespace t604
