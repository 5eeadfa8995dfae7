#include "model/software_data.h"

#include <algorithm>
#include <cassert>
#include <cstring>

namespace t604 {

char DtmfDigitToChar(DtmfDigit digit) {
    static constexpr char kKeys[] = "0123456789ABCD*#";
    return digit < 16 ? kKeys[digit] : '?';
}

std::string DtmfCodeToText(const DtmfCode& code) {
    std::string text;
    for (std::size_t i = 0; i < code.length(); ++i) text += DtmfDigitToChar(code.digits[i]);
    return text;
}

std::string FieldText(std::span<const std::uint8_t> bytes) {
    auto end = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
    return std::string(bytes.begin(), end);
}

std::uint32_t SoftwareData::get(const Field& f) const {
    return GetFieldValue(bytes.data(), f, ByteOrder::Little);
}

void SoftwareData::set(const Field& f, std::uint32_t value) {
    SetFieldValue(bytes.data(), f, value, ByteOrder::Little);
}

DtmfCode SoftwareData::dtmf(const Field& f) const {
    assert(f.size == 11);
    DtmfCode code;
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(f.offset), 10, code.digits.begin());
    code.count = bytes[f.offset + 10];
    return code;
}

void SoftwareData::setDtmf(const Field& f, const DtmfCode& code) {
    assert(f.size == 11);
    std::copy(code.digits.begin(), code.digits.end(),
              bytes.begin() + static_cast<std::ptrdiff_t>(f.offset));
    bytes[f.offset + 10] = code.count;
}

std::string SoftwareData::text(const Field& f) const {
    return FieldText({bytes.data() + f.offset, f.size});
}

void SoftwareData::setText(const Field& f, std::string_view text) {
    // The passwords keep a terminator; Sn and the version may fill their field.
    bool terminated = f.offset == sd::Password.offset || f.offset == sd::NewPassword.offset;
    std::size_t n = std::min(text.size(), terminated ? f.size - 1 : f.size);
    std::uint8_t* p = bytes.data() + f.offset;
    std::memset(p, 0, f.size);
    std::memcpy(p, text.data(), n);
}

ChannelRecord SoftwareData::channel(int n) {
    assert(n >= 0 && n <= kChannelCount);
    std::size_t at = sd::Channels.offset + ch::kSize * static_cast<std::size_t>(n);
    return ChannelRecord(std::span<std::uint8_t, ch::kSize>(bytes.data() + at, ch::kSize));
}

ConstChannelRecord SoftwareData::channel(int n) const {
    assert(n >= 0 && n <= kChannelCount);
    std::size_t at = sd::Channels.offset + ch::kSize * static_cast<std::size_t>(n);
    return ConstChannelRecord(std::span<const std::uint8_t, ch::kSize>(bytes.data() + at, ch::kSize));
}

AddrBookEntry SoftwareData::addrBook(int i) const {
    assert(i >= 0 && i <= kAddrBookCount);
    const std::uint8_t* p = bytes.data() + sd::AddrBook.offset + ab::kSize * static_cast<std::size_t>(i);
    AddrBookEntry e;
    std::copy_n(p + ab::IdDigits.offset, ab::IdDigits.size, e.D_AddrBook_id.begin());
    e.idLength = p[ab::IdLength.offset];
    std::copy_n(p + ab::Name.offset, ab::Name.size, e.D_AddrBook_name.begin());
    return e;
}

void SoftwareData::setAddrBook(int i, const AddrBookEntry& e) {
    assert(i >= 0 && i <= kAddrBookCount);
    std::uint8_t* p = bytes.data() + sd::AddrBook.offset + ab::kSize * static_cast<std::size_t>(i);
    std::copy(e.D_AddrBook_id.begin(), e.D_AddrBook_id.end(), p + ab::IdDigits.offset);
    p[ab::IdLength.offset] = e.idLength;
    std::copy(e.D_AddrBook_name.begin(), e.D_AddrBook_name.end(), p + ab::Name.offset);
}

namespace {
bool bit(const std::uint8_t* map, int i) { return (map[i / 8] >> (i % 8)) & 1; }
void setBit(std::uint8_t* map, int i, bool on) {
    auto mask = static_cast<std::uint8_t>(1u << (i % 8));
    map[i / 8] = static_cast<std::uint8_t>(on ? (map[i / 8] | mask) : (map[i / 8] & ~mask));
}
}  // namespace

bool SoftwareData::IsChannelUsed(int n) const {
    return n >= 0 && n <= kChannelCount && bit(bytes.data() + sd::ChannelUsed.offset, n);
}

void SoftwareData::SetChannelUsed(int n, bool used) {
    if (n <= 0 || n > kChannelCount) return;
    setBit(bytes.data() + sd::ChannelUsed.offset, n, used);
}

bool SoftwareData::IsAddrBookUsed(int i) const {
    return i >= 0 && i <= kAddrBookCount && bit(bytes.data() + sd::AddrBookUsed.offset, i);
}

void SoftwareData::SetAddrBookUsed(int i, bool used) {
    if (i < 0 || i > kAddrBookCount) return;
    setBit(bytes.data() + sd::AddrBookUsed.offset, i, used);
}

void SoftwareData::setDefaults() {
    bytes.fill(0);
    using namespace sd;
    set(SQL, 5);
    set(SquelchMode, 3);
    set(VOX_DELAY, 2000);
    set(TOT, 180);
    set(TOA, 5);
    set(SCAN, 1);
    set(Beep, 1);
    set(Saving, 1);
    set(Saving_Rate, 3);
    set(SubaudioTail, 3);
    set(Voice, 1);
    set(AlarmMode, 1);
    set(ChannelReport, 1);
    set(PowerOnBeep, 1);
    set(MasterTxPeriod, 5);
    set(SlaveTimeout, 10);
    set(SlaveAlarmPeriod, 2);
    set(Hz1750, 3);
    set(Key_1_Short, 3);
    set(Key_2_Short, 3);
    set(AlarmCode, 6000);
    setDefaultDtmf();
}

void SoftwareData::setDefaultDtmf() {
    using namespace sd;
    std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(DtmfDefaultsArea.offset),
                DtmfDefaultsArea.size, std::uint8_t{0});
    set(D_ID, 1);
    set(D_Group, 1);
    set(D_EncodeMode, 1);
    set(D_DigitSpeed, 100);
    set(D_PauseDuration, 100);
    set(D_FirstDelay, 100);
    set(D_Pretime, 500);
    set(D_Mi_Jing_Delay, 50);
    for (const Field& f : {D_SideTone, D_Control, GroupCode, AutoReset, SendANI}) set(f, 0);
}

}  // namespace t604
