#include "strings/string_table.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace t604 {
namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](unsigned char x, unsigned char y) {
        return std::tolower(x) == std::tolower(y);
    });
}

// Splits "zh_CN.UTF-8@euro" or "zh-Hans-CN" into its language and the
// subtags after it; the codeset and modifier are dropped.
TextMode TextModeForLocale(std::string_view name) {
    name = name.substr(0, name.find_first_of(".@"));
    const auto isSeparator = [](char c) { return c == '_' || c == '-'; };
    const auto languageEnd = std::ranges::find_if(name, isSeparator) - name.begin();
    if (!EqualsIgnoringCase(name.substr(0, languageEnd), "zh")) return TextMode::English;

    std::string_view rest = name.substr(languageEnd);
    while (!rest.empty()) {
        rest.remove_prefix(1);  // the separator
        const auto end = std::ranges::find_if(rest, isSeparator) - rest.begin();
        const std::string_view subtag = rest.substr(0, end);
        if (EqualsIgnoringCase(subtag, "CN") || EqualsIgnoringCase(subtag, "SG"))
            return TextMode::Simplified;
        rest = rest.substr(end);
    }
    return TextMode::Traditional;
}

TextMode& CurrentMode() {
    static TextMode mode = TextModeFor(-1, SystemLocaleName());
    return mode;
}

}  // namespace

TextMode TextModeFor(int languageIndex, std::string_view systemLocaleName) {
    switch (languageIndex) {
        case 0: return TextMode::English;
        case 1: return TextMode::Simplified;
        case 2: return TextMode::Traditional;
        default: return TextModeForLocale(systemLocaleName);
    }
}

std::string SystemLocaleName() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') return value;
    }
    return "C";
}

void SetTextMode(TextMode mode) { CurrentMode() = mode; }

TextMode CurrentTextMode() { return CurrentMode(); }

std::string_view FetchText(const StringTableSet& set, int row, TextMode mode) {
    std::span<const std::string_view> table = set.english;
    if (mode == TextMode::Simplified) table = set.simplified;
    if (mode == TextMode::Traditional) table = set.traditional;
    if (row < 0 || static_cast<std::size_t>(row) >= table.size()) return {};
    return table[static_cast<std::size_t>(row)];
}

std::string_view FetchText(const StringTableSet& set, int row) {
    return FetchText(set, row, CurrentTextMode());
}

}  // namespace t604
