#pragma once
// The three-language string tables and the choice of the language. Code
// refers to a text only by its row; every table of a set has the same rows.
//
// All texts are UTF-8. The Traditional tables already hold Traditional
// characters, so a text is shown exactly as stored in every language; there
// is no GBK-to-Big5 step on the way to the screen.

#include <span>
#include <string>
#include <string_view>

namespace t604 {

enum class TextMode { English = 1, Simplified = 2, Traditional = 3 };

struct StringTableSet {
    std::span<const std::string_view> english, simplified, traditional;
};

// The main window's table, also used by the dialogs without a set of their
// own (batch and band setting, serial number, passwords, repair, the
// confirmations and the about box). Rows 0 to 270.
extern const StringTableSet MainStrings;
inline constexpr int kMainStringRows = 271;

// LanguageIndex 0/1/2 gives English/Simplified/Traditional; any other value
// lets the system locale decide: Chinese of China or Singapore is Simplified,
// any other Chinese Traditional, every other language English. The locale
// name is of the form "zh_TW", "en_US", "zh_CN.UTF-8" or "zh-Hans-CN".
TextMode TextModeFor(int languageIndex, std::string_view systemLocaleName);

// The locale name the C library would use for messages: the first non-empty
// of LC_ALL, LC_MESSAGES and LANG, else "C".
std::string SystemLocaleName();

// The current text mode. Until the first SetTextMode it follows the system
// locale (SystemLocaleName); the GUI sets it from its own idea of the
// system language and from the stored LanguageIndex.
void SetTextMode(TextMode mode);
TextMode CurrentTextMode();

// The row's UTF-8 text in the given (or current) text mode; a mode outside
// the enum reads the English table. A row outside the set gives "".
std::string_view FetchText(const StringTableSet& set, int row, TextMode mode);
std::string_view FetchText(const StringTableSet& set, int row);

}  // namespace t604
