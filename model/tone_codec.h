#pragma once
// CTCSS/DCS tone texts, the standard tone tables and the radio's tone forms.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/software_data.h"

namespace t604 {

struct ToneEntry {
    std::string_view text;
    std::uint16_t code;
};

// "Off" (code 0) and the 50 standard CTCSS tones, in drop-down order.
extern const std::array<ToneEntry, 51> CtcssTable;
// The 105 DCS codes as "D023N".."D754N", then the same as "D023I".."D754I";
// the code is 0x2800 plus the octal value, the polarity is the tone's Type.
extern const std::array<ToneEntry, 210> DcsTable;

// "Off", "67.0", "D023N", "D023I".
std::string ToneToText(std::uint16_t code, std::uint8_t type);
inline std::string ToneToText(ToneSetting t) { return ToneToText(t.Code, t.Type); }
// Parses a typed or listed text into tone; false leaves tone unchanged.
bool ToneFromText(std::string_view text, ToneSetting& tone);
bool IsStandardTone(std::uint16_t code, std::uint8_t type);

// The two words the radio keeps for a DCS tone (types 2 and 3).
struct DcsWords {
    std::uint16_t A;
    std::uint16_t B;
};
// The 23-bit Golay (23,12) code word of a DCS code: data bits 0-11 (the
// octal value and bit 11 set), parity bits 12-22.
std::uint32_t DcsGolayWord(std::uint16_t code);
DcsWords DcsCodeWord(std::uint16_t code, std::uint8_t type);
// The code from the radio's 4-byte tone field (A high, A low, B high, B low).
std::uint16_t DcsCodeFromWord(std::uint8_t type, const std::uint8_t field[4]);

// Tone fields of the older radio format.
void OldToneWordEncode(const ToneSetting& tone, std::uint8_t out[2]);
// Decodes; clears bit 7 of bytes[1] for DCS tones as the radio format does.
ToneSetting OldToneWordDecode(std::uint8_t bytes[2]);

}  // namespace t604
