#include "model/tone_codec.h"

#include <algorithm>

#include "model/bytes.h"

namespace t604 {

namespace {

// The 50 standard CTCSS tones in tenths of a hertz.
constexpr std::uint16_t kCtcssCodes[50] = {
    670,  693,  719,  744,  770,  797,  825,  854,  885,  915,  948,  974,  1000,
    1035, 1072, 1109, 1148, 1188, 1230, 1273, 1318, 1365, 1413, 1462, 1514, 1567,
    1598, 1622, 1655, 1679, 1713, 1738, 1773, 1799, 1835, 1862, 1899, 1928, 1966,
    1995, 2035, 2065, 2107, 2181, 2257, 2291, 2336, 2418, 2503, 2541,
};

// The 105 standard DCS codes; C++ octal literals, so 023 is the code D023.
constexpr std::uint16_t kDcsOctal[105] = {
    023, 025, 026, 031, 032, 036, 043, 047, 051, 053, 054, 065, 071, 072, 073,
    074, 0114, 0115, 0116, 0122, 0125, 0131, 0132, 0134, 0143, 0145, 0152, 0155, 0156,
    0162, 0165, 0172, 0174, 0205, 0212, 0223, 0225, 0226, 0243, 0244, 0245, 0246, 0251,
    0252, 0255, 0261, 0263, 0265, 0266, 0271, 0274, 0306, 0311, 0315, 0325, 0331, 0332,
    0343, 0346, 0351, 0356, 0364, 0365, 0371, 0411, 0412, 0413, 0423, 0431, 0432, 0445,
    0446, 0452, 0454, 0455, 0462, 0464, 0465, 0466, 0503, 0506, 0516, 0523, 0526, 0532,
    0546, 0565, 0606, 0612, 0624, 0627, 0631, 0632, 0645, 0654, 0662, 0664, 0703, 0712,
    0723, 0731, 0732, 0734, 0743, 0754,
};

constexpr std::uint16_t kDcsBase = 0x2800;
constexpr std::uint16_t kCodeOff = 0xFFFF;

// Texts of the tables, built once at compile time: "67.0" / "254.1", "D023N".
using ToneText = std::array<char, 6>;

constexpr ToneText ctcssText(std::uint16_t tenths) {
    ToneText t{};
    std::size_t n = 0;
    std::uint16_t hz = tenths / 10;
    if (hz >= 100) t[n++] = static_cast<char>('0' + hz / 100);
    t[n++] = static_cast<char>('0' + hz / 10 % 10);
    t[n++] = static_cast<char>('0' + hz % 10);
    t[n++] = '.';
    t[n++] = static_cast<char>('0' + tenths % 10);
    return t;
}

constexpr ToneText dcsText(std::uint16_t octal, char polarity) {
    return {'D', static_cast<char>('0' + (octal >> 6 & 7)), static_cast<char>('0' + (octal >> 3 & 7)),
            static_cast<char>('0' + (octal & 7)), polarity, '\0'};
}

constexpr auto kCtcssTexts = [] {
    std::array<ToneText, 50> texts{};
    for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = ctcssText(kCtcssCodes[i]);
    return texts;
}();

constexpr auto kDcsTexts = [] {
    std::array<ToneText, 210> texts{};
    for (std::size_t i = 0; i < 105; ++i) {
        texts[i] = dcsText(kDcsOctal[i], 'N');
        texts[105 + i] = dcsText(kDcsOctal[i], 'I');
    }
    return texts;
}();

constexpr std::string_view view(const ToneText& t) {
    return {t.data(), static_cast<std::size_t>(std::find(t.begin(), t.end(), '\0') - t.begin())};
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isOctalDigit(char c) { return c >= '0' && c <= '7'; }
bool isDigitOrPoint(char c) { return isDigit(c) || c == '.'; }

std::string dcsToText(std::uint16_t code, char polarity) {
    return std::string(view(dcsText(code & 0x1FF, polarity)));
}

// "D023N" / "D023I"; anything else is left to the CTCSS reading.
bool dcsFromText(std::string_view text, ToneSetting& tone) {
    if (text[0] != 'D' || !isOctalDigit(text[1]) || !isOctalDigit(text[2]) || !isOctalDigit(text[3]))
        return false;
    tone.Type = text[4] == 'N' ? kToneDcsNormal : kToneDcsInverted;
    tone.Code = static_cast<std::uint16_t>(kDcsBase + ((text[1] - '0') << 6) +
                                           ((text[2] - '0') << 3) + (text[3] - '0'));
    return true;
}

// The shapes a CTCSS text may take: two or three digits, optionally followed
// by a point and one tenths digit ("67", "67.", "67.0", "100", "100.0"). The
// leading digit 3, 4 or 5 would give a tone between 30 and 59.9 Hz, or one of
// 300 Hz and more, neither of which the radio has.
bool ctcssShapeValid(std::string_view t) {
    const std::size_t len = t.size();
    if (len < 2 || len > 5) return false;
    if (!isDigit(t[0]) || t[0] == '3' || t[0] == '4' || t[0] == '5' || !isDigit(t[1])) return false;
    if (len == 2) return true;
    if (len == 3) return isDigitOrPoint(t[2]);
    if (!isDigitOrPoint(t[2]) || !isDigitOrPoint(t[3]) || (t[2] == '.') == (t[3] == '.')) return false;
    // Tenths are the unit of the code: a second digit after the point
    // ("12.34") cannot be stored and is refused instead of being misread.
    if (len == 5) return isDigit(t[4]) && t[3] == '.';
    return true;
}

bool ctcssFromText(std::string_view text, ToneSetting& tone) {
    if (!ctcssShapeValid(text)) return false;
    auto point = text.find('.');
    std::uint32_t value = 0;
    for (char c : text.substr(0, point)) value = value * 10 + static_cast<std::uint32_t>(c - '0');
    std::string_view tenths = point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
    if (tenths.empty())
        value *= 10;
    else
        value = value * 10 + static_cast<std::uint32_t>(tenths[0] - '0');
    if (value < 300 || value > 2600) return false;
    tone.Type = kToneCtcss;
    tone.Code = static_cast<std::uint16_t>(value);
    return true;
}

}  // namespace

constexpr std::array<ToneEntry, 51> CtcssTable = [] {
    std::array<ToneEntry, 51> table{};
    table[0] = {"Off", 0};
    for (std::size_t i = 0; i < 50; ++i) table[i + 1] = {view(kCtcssTexts[i]), kCtcssCodes[i]};
    return table;
}();

constexpr std::array<ToneEntry, 210> DcsTable = [] {
    std::array<ToneEntry, 210> table{};
    for (std::size_t i = 0; i < 210; ++i)
        table[i] = {view(kDcsTexts[i]), static_cast<std::uint16_t>(kDcsBase + kDcsOctal[i % 105])};
    return table;
}();

std::string ToneToText(std::uint16_t code, std::uint8_t type) {
    if (code == 0 || code == kCodeOff) return "Off";
    switch (type) {
        case kToneCtcss:
            return std::to_string(code / 10) + "." + std::to_string(code % 10);
        case kToneDcsNormal:
            return dcsToText(code, 'N');
        case kToneDcsInverted:
            return dcsToText(code, 'I');  // bit 15 lies beyond the three digits
    }
    // No editor stores another type; whatever a file or radio holds there is
    // not a tone the radio sends, so it reads as off.
    return "Off";
}

bool ToneFromText(std::string_view text, ToneSetting& tone) {
    if (text == "Off" || text.empty()) {
        tone = {kCodeOff, kToneOff};
        return true;
    }
    ToneSetting parsed = tone;
    bool accepted = text.size() >= 5 && (text[4] == 'N' || text[4] == 'I')
                        ? dcsFromText(text, parsed)
                        : ctcssFromText(text, parsed);
    if (accepted) tone = parsed;
    return accepted;
}

bool IsStandardTone(std::uint16_t code, std::uint8_t type) {
    if (type == kToneOff || code == 0 || code == kCodeOff) return true;
    auto hasCode = [code](const auto& table) {
        return std::any_of(table.begin(), table.end(), [code](const ToneEntry& e) { return e.code == code; });
    };
    if (type == kToneCtcss) return hasCode(std::span(CtcssTable).subspan(1));
    return hasCode(DcsTable);
}

std::uint32_t DcsGolayWord(std::uint16_t code) {
    constexpr std::uint32_t kGenerator = 0xC75;  // x^11 + x^10 + x^6 + x^5 + x^4 + x^2 + 1
    const std::uint32_t data = (code & 0x1FFu) | 0x800u;
    // Systematic encoding: the remainder of data * x^11 divided by the generator.
    std::uint32_t remainder = data << 11;
    for (int bit = 22; bit >= 11; --bit)
        if (remainder & (1u << bit)) remainder ^= kGenerator << (bit - 11);
    return data | (remainder & 0x7FFu) << 12;
}

namespace {
// The lowest `width` bits of v in reverse order.
std::uint32_t reverseBits(std::uint32_t v, int width) {
    std::uint32_t r = 0;
    for (int i = 0; i < width; ++i)
        if (v & (1u << i)) r |= 1u << (width - 1 - i);
    return r;
}
}  // namespace

DcsWords DcsCodeWord(std::uint16_t code, std::uint8_t type) {
    const std::uint32_t word = DcsGolayWord(code);
    auto a = static_cast<std::uint16_t>(reverseBits(word & 0x7F, 7));
    auto b = static_cast<std::uint16_t>(reverseBits(word >> 7, 16));
    if (type == kToneDcsInverted) {
        a ^= 0x7F;
        b ^= 0xFFFF;
    }
    return {a, b};
}

std::uint16_t DcsCodeFromWord(std::uint8_t type, const std::uint8_t field[4]) {
    std::uint8_t low = field[1], high = field[2];
    if (type == kToneDcsInverted) {
        low = static_cast<std::uint8_t>(~low);
        high = static_cast<std::uint8_t>(~high);
    }
    std::uint32_t bits = reverseBits(low & 0x7F, 7) | (high & 0x80u) | (high & 0x40u) << 2;
    return static_cast<std::uint16_t>(kDcsBase + bits);
}

void OldToneWordEncode(const ToneSetting& tone, std::uint8_t out[2]) {
    put_u16le(out, tone.Code);
    if (tone.Type == kToneDcsNormal || tone.Type == kToneDcsInverted) {
        out[1] |= 0x28;
        out[1] = static_cast<std::uint8_t>(tone.Type == kToneDcsInverted ? (out[1] | 0x80) : (out[1] & 0x7F));
    }
}

ToneSetting OldToneWordDecode(std::uint8_t bytes[2]) {
    if (bytes[1] == 0x00 || bytes[1] == 0xFF) return {0, kToneOff};
    std::uint8_t type = kToneCtcss;
    if ((bytes[1] & 0x28) == 0x28) {
        type = (bytes[1] & 0x80) ? kToneDcsInverted : kToneDcsNormal;
        bytes[1] &= 0x7F;
    }
    return {get_u16le(bytes), type};
}

}  // namespace t604
