#pragma once
// The configuration record: 8930 bytes, little-endian, frequencies in hertz.
// Its bytes are also the configuration file (*.Cvf).

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

#include "model/bytes.h"
#include "model/field.h"

namespace t604 {

inline constexpr std::size_t kSoftwareDataSize = 8930;
inline constexpr int kChannelCount = 99;     // channels 1..99; slot 0 is never used
inline constexpr int kAddrBookCount = 16;    // entries 1..16; slot 0 is never used

// Tone squelch setting: Code then Type, 3 bytes.
enum ToneType : std::uint8_t {
    kToneOff = 0,
    kToneCtcss = 1,          // Code in tenths of a hertz
    kToneDcsNormal = 2,      // Code 0x2800 plus the octal value of the digits
    kToneDcsInverted = 3,
};

struct ToneSetting {
    std::uint16_t Code = 0;
    std::uint8_t Type = kToneOff;
    friend bool operator==(const ToneSetting&, const ToneSetting&) = default;
};

// DTMF key values: 0-9, A-D = 10-13, "*" = 14, "#" = 15.
using DtmfDigit = std::uint8_t;

// A DTMF code: ten digit bytes and a count. The count byte comes from files
// and radios unchecked; length() is what may safely be read.
struct DtmfCode {
    std::array<DtmfDigit, 10> digits{};
    std::uint8_t count = 0;

    std::size_t length() const { return count < digits.size() ? count : digits.size(); }
    friend bool operator==(const DtmfCode&, const DtmfCode&) = default;
};

// Text of a DTMF code ("0".."9", "A".."D", "*", "#"), at most 10 keys.
std::string DtmfCodeToText(const DtmfCode& code);
char DtmfDigitToChar(DtmfDigit digit);

// Record layout. Reserved gaps are part of the record and of the file.
namespace sd {
inline constexpr Field Sn{"Sn", 74, 8};
inline constexpr Field Password{"Password", 83, 13};
inline constexpr Field NewPassword{"NewPassword", 96, 13};
inline constexpr Field DtmfDefaultsArea{"DtmfDefaultsArea", 109, 18};  // zeroed by the DTMF defaults
inline constexpr Field AddrBookUsed{"AddrBookUsed", 122, 3};
inline constexpr Field AddrBook{"AddrBook", 821, 17 * 19};
inline constexpr Field Channels{"Channels", 1364, 100 * 72};
inline constexpr Field OptionBlock{"OptionBlock", 8718, 180};
inline constexpr Field ChannelUsed{"ChannelUsed", 8898, 32};

// Option block.
inline constexpr Field Voice{"Voice", 8718, 1};
inline constexpr Field SQL{"SQL", 8727, 1};
inline constexpr Field SquelchMode{"SquelchMode", 8728, 1};
inline constexpr Field SubaudioTail{"SubaudioTail", 8736, 1};
inline constexpr Field VoxCtrl{"VoxCtrl", 8742, 1};
inline constexpr Field VOX{"VOX", 8743, 1};
inline constexpr Field VOX_DELAY{"VOX_DELAY", 8744, 2};
inline constexpr Field TOT{"TOT", 8746, 2};
inline constexpr Field TOA{"TOA", 8749, 1};
inline constexpr Field SCAN{"SCAN", 8753, 1};
inline constexpr Field PriScan{"PriScan", 8754, 2};
inline constexpr Field Beep{"Beep", 8759, 1};
inline constexpr Field Saving{"Saving", 8761, 1};
inline constexpr Field Saving_Rate{"Saving_Rate", 8762, 1};
inline constexpr Field APO{"APO", 8763, 2};
inline constexpr Field ChannelReport{"ChannelReport", 8766, 1};
inline constexpr Field Hz1750_Ctrl{"Hz1750_Ctrl", 8771, 1};
inline constexpr Field Hz1750{"Hz1750", 8772, 1};
inline constexpr Field D_ID{"D_ID", 8776, 2};
inline constexpr Field D_Group{"D_Group", 8778, 1};
inline constexpr Field D_EncodeMode{"D_EncodeMode", 8779, 1};
inline constexpr Field D_SideTone{"D_SideTone", 8780, 1};
inline constexpr Field D_Control{"D_Control", 8781, 1};
inline constexpr Field D_DigitSpeed{"D_DigitSpeed", 8782, 1};
inline constexpr Field D_PauseDuration{"D_PauseDuration", 8783, 1};
inline constexpr Field D_FirstDelay{"D_FirstDelay", 8784, 2};
inline constexpr Field D_Pretime{"D_Pretime", 8786, 2};
inline constexpr Field D_Mi_Jing_Delay{"D_Mi_Jing_Delay", 8788, 2};
inline constexpr Field GroupCode{"GroupCode", 8790, 1};
inline constexpr Field AutoReset{"AutoReset", 8791, 1};
inline constexpr Field SendANI{"SendANI", 8792, 1};
inline constexpr Field Dizzy{"Dizzy", 8794, 11};
inline constexpr Field Stun{"Stun", 8805, 11};
inline constexpr Field Activation{"Activation", 8816, 11};
inline constexpr Field Limited{"Limited", 8827, 1};
inline constexpr Field DizzyState{"DizzyState", 8828, 1};
inline constexpr Field PTT_ID{"PTT_ID", 8829, 11};
inline constexpr Field ANI{"ANI", 8840, 11};
inline constexpr Field Whisper{"Whisper", 8856, 1};
inline constexpr Field AlarmMode{"AlarmMode", 8865, 1};
inline constexpr Field RefuseAlarm{"RefuseAlarm", 8866, 1};
inline constexpr Field AutoConnect{"AutoConnect", 8867, 1};
inline constexpr Field AutoConnect_Pos{"AutoConnect_Pos", 8868, 1};
inline constexpr Field MasterTxPeriod{"MasterTxPeriod", 8869, 1};
inline constexpr Field SlaveTimeout{"SlaveTimeout", 8870, 1};
inline constexpr Field SlaveAlarmPeriod{"SlaveAlarmPeriod", 8871, 1};
inline constexpr Field PowerOnBeep{"PowerOnBeep", 8872, 1};
inline constexpr Field Key_1_Short{"Key_1_Short", 8873, 1};
inline constexpr Field Key_1_Long{"Key_1_Long", 8874, 1};
inline constexpr Field Key_2_Short{"Key_2_Short", 8875, 1};
inline constexpr Field Key_2_Long{"Key_2_Long", 8876, 1};
inline constexpr Field AlarmCode{"AlarmCode", 8877, 2};
inline constexpr Field Alarm{"Alarm", 8879, 1};
inline constexpr Field SoftwareVersion{"SoftwareVersion", 8880, 9};
inline constexpr Field WriteWithNewPD{"WriteWithNewPD", 8889, 1};
inline constexpr Field BandMax{"BandMax", 8890, 4};
inline constexpr Field BandMin{"BandMin", 8894, 4};

// Every option of the option block in record order. DTMF codes and the
// version text are listed too; their width tells them apart.
inline constexpr Field kOptionFields[] = {
    Voice, SQL, SquelchMode, SubaudioTail, VoxCtrl, VOX, VOX_DELAY, TOT, TOA, SCAN, PriScan,
    Beep, Saving, Saving_Rate, APO, ChannelReport, Hz1750_Ctrl, Hz1750, D_ID, D_Group,
    D_EncodeMode, D_SideTone, D_Control, D_DigitSpeed, D_PauseDuration, D_FirstDelay,
    D_Pretime, D_Mi_Jing_Delay, GroupCode, AutoReset, SendANI, Dizzy, Stun, Activation,
    Limited, DizzyState, PTT_ID, ANI, Whisper, AlarmMode, RefuseAlarm, AutoConnect,
    AutoConnect_Pos, MasterTxPeriod, SlaveTimeout, SlaveAlarmPeriod, PowerOnBeep,
    Key_1_Short, Key_1_Long, Key_2_Short, Key_2_Long, AlarmCode, Alarm, SoftwareVersion,
    WriteWithNewPD, BandMax, BandMin,
};

// Top-level areas in record order.
inline constexpr Field kAreas[] = {Sn, Password, NewPassword, DtmfDefaultsArea, AddrBook,
                                   Channels, OptionBlock, ChannelUsed};
}  // namespace sd

static_assert(FieldsAscendAndFit(sd::kOptionFields, sd::OptionBlock.end()));
static_assert(sd::kOptionFields[0].offset == sd::OptionBlock.offset);
static_assert(FieldsAscendAndFit(sd::kAreas, kSoftwareDataSize));
static_assert(sd::ChannelUsed.end() == kSoftwareDataSize);
static_assert(sd::AddrBookUsed.offset >= sd::DtmfDefaultsArea.offset &&
              sd::AddrBookUsed.end() <= sd::DtmfDefaultsArea.end());

// A 72-byte channel slot.
namespace ch {
inline constexpr std::size_t kSize = 72;
inline constexpr Field FreqRx{"FreqRx", 0, 4};
inline constexpr Field FreqTx{"FreqTx", 14, 4};
inline constexpr Field SubDe{"SubDe", 28, 3};
inline constexpr Field SubEn{"SubEn", 41, 3};
inline constexpr Field FlagsA{"FlagsA", 57, 1};  // bits 0-2 SquelchMode, bits 3-4 BUS
inline constexpr Field FlagsB{"FlagsB", 58, 1};  // bit 3 Dtmf, 4 Bandwidth, 5 Power, 7 SCN
inline constexpr Field Name{"Name", 61, 6};
inline constexpr Field kFields[] = {FreqRx, FreqTx, SubDe, SubEn, FlagsA, FlagsB, Name};
}  // namespace ch
static_assert(FieldsAscendAndFit(ch::kFields, ch::kSize));
static_assert(sd::Channels.size == 100 * ch::kSize);

// A 19-byte address-book entry.
namespace ab {
inline constexpr std::size_t kSize = 19;
inline constexpr Field IdDigits{"D_AddrBook_id", 0, 11};
inline constexpr Field IdLength{"D_AddrBook_id length", 11, 1};
inline constexpr Field Name{"D_AddrBook_name", 12, 6};
inline constexpr Field kFields[] = {IdDigits, IdLength, Name};
}  // namespace ab
static_assert(FieldsAscendAndFit(ab::kFields, ab::kSize));

// Text of a zero-padded ASCII field: up to its first zero byte, or all of it
// when it has no terminator.
std::string FieldText(std::span<const std::uint8_t> bytes);

// A view of one channel slot; writable when Byte is not const.
template <class Byte>
class BasicChannelRecord {
public:
    explicit BasicChannelRecord(std::span<Byte, ch::kSize> slot) : p_(slot.data()) {}

    std::uint32_t FreqRx() const { return get_u32le(p_ + ch::FreqRx.offset); }
    std::uint32_t FreqTx() const { return get_u32le(p_ + ch::FreqTx.offset); }
    ToneSetting SubDe() const { return tone(ch::SubDe); }
    ToneSetting SubEn() const { return tone(ch::SubEn); }
    std::uint8_t FlagsA() const { return p_[ch::FlagsA.offset]; }
    std::uint8_t FlagsB() const { return p_[ch::FlagsB.offset]; }
    std::uint8_t SquelchMode() const { return FlagsA() & 0x07; }
    std::uint8_t BUS() const { return (FlagsA() >> 3) & 0x03; }
    bool Dtmf() const { return FlagsB() & 0x08; }
    bool Bandwidth() const { return FlagsB() & 0x10; }  // true: wide
    bool Power() const { return FlagsB() & 0x20; }      // true: high
    bool SCN() const { return FlagsB() & 0x80; }
    std::string Name() const { return FieldText({p_ + ch::Name.offset, ch::Name.size}); }
    std::span<Byte, ch::kSize> bytes() const { return std::span<Byte, ch::kSize>(p_, ch::kSize); }

    void setFreqRx(std::uint32_t hz) const requires(!std::is_const_v<Byte>) { put_u32le(p_ + ch::FreqRx.offset, hz); }
    void setFreqTx(std::uint32_t hz) const requires(!std::is_const_v<Byte>) { put_u32le(p_ + ch::FreqTx.offset, hz); }
    void setSubDe(ToneSetting t) const requires(!std::is_const_v<Byte>) { setTone(ch::SubDe, t); }
    void setSubEn(ToneSetting t) const requires(!std::is_const_v<Byte>) { setTone(ch::SubEn, t); }
    void setFlagsA(std::uint8_t v) const requires(!std::is_const_v<Byte>) { p_[ch::FlagsA.offset] = v; }
    void setFlagsB(std::uint8_t v) const requires(!std::is_const_v<Byte>) { p_[ch::FlagsB.offset] = v; }
    void setSquelchMode(std::uint8_t mode) const requires(!std::is_const_v<Byte>) {
        setFlagsA(static_cast<std::uint8_t>((FlagsA() & ~0x07) | (mode & 0x07)));
    }
    void setBUS(std::uint8_t bus) const requires(!std::is_const_v<Byte>) {
        setFlagsA(static_cast<std::uint8_t>((FlagsA() & ~0x18) | ((bus & 0x03) << 3)));
    }
    void setDtmf(bool on) const requires(!std::is_const_v<Byte>) { setFlagB(0x08, on); }
    void setBandwidth(bool wide) const requires(!std::is_const_v<Byte>) { setFlagB(0x10, wide); }
    void setPower(bool high) const requires(!std::is_const_v<Byte>) { setFlagB(0x20, high); }
    void setSCN(bool on) const requires(!std::is_const_v<Byte>) { setFlagB(0x80, on); }

private:
    ToneSetting tone(const Field& f) const {
        return {get_u16le(p_ + f.offset), p_[f.offset + 2]};
    }
    void setTone(const Field& f, ToneSetting t) const {
        put_u16le(p_ + f.offset, t.Code);
        p_[f.offset + 2] = t.Type;
    }
    void setFlagB(std::uint8_t mask, bool on) const {
        setFlagsB(static_cast<std::uint8_t>(on ? (FlagsB() | mask) : (FlagsB() & ~mask)));
    }

    Byte* p_;
};
using ChannelRecord = BasicChannelRecord<std::uint8_t>;
using ConstChannelRecord = BasicChannelRecord<const std::uint8_t>;

struct AddrBookEntry {
    std::array<DtmfDigit, 11> D_AddrBook_id{};
    std::uint8_t idLength = 0;
    std::array<std::uint8_t, 6> D_AddrBook_name{};
};

class SoftwareData {
public:
    std::array<std::uint8_t, kSoftwareDataSize> bytes{};

    // Unsigned value of a 1-, 2- or 4-byte field.
    std::uint32_t get(const Field& f) const;
    void set(const Field& f, std::uint32_t value);

    DtmfCode dtmf(const Field& f) const;
    void setDtmf(const Field& f, const DtmfCode& code);

    // Zero-padded text fields (Sn, Password, NewPassword, SoftwareVersion).
    std::string text(const Field& f) const;
    // Stores at most size - 1 bytes for terminated fields, size bytes for Sn.
    void setText(const Field& f, std::string_view text);

    ChannelRecord channel(int n);            // slot n, 0..99
    ConstChannelRecord channel(int n) const;

    AddrBookEntry addrBook(int i) const;     // slot i, 0..16
    void setAddrBook(int i, const AddrBookEntry& entry);

    bool IsChannelUsed(int n) const;
    void SetChannelUsed(int n, bool used);
    bool IsAddrBookUsed(int i) const;
    void SetAddrBookUsed(int i, bool used);

    // Steps 2 to 4 of SetDefaultData: zero everything, then the defaults.
    void setDefaults();
    void setDefaultDtmf();

    friend bool operator==(const SoftwareData&, const SoftwareData&) = default;
};

}  // namespace t604
