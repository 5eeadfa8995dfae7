#include "ui/ini_file.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <span>

namespace t604 {

namespace {

std::string_view trim(std::string_view s) {
    constexpr std::string_view blanks = " \t\r";
    auto first = s.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    auto last = s.find_last_not_of(blanks);
    return s.substr(first, last - first + 1);
}

bool sameName(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

// The name of a "[name]" line, or nothing.
std::optional<std::string_view> sectionName(std::string_view line) {
    line = trim(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    auto close = line.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return trim(line.substr(1, close - 1));
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyLine> keyLine(std::string_view line) {
    auto t = trim(line);
    if (t.empty() || t.front() == ';' || t.front() == '#' || t.front() == '[') return std::nullopt;
    auto eq = t.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    auto value = trim(t.substr(eq + 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return KeyLine{trim(t.substr(0, eq)), value};
}

std::optional<int> parseInteger(std::string_view s) {
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    int base = 10;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    long long value = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value, base);
    if (s.empty() || ec != std::errc{} || end != s.data() + s.size()) return std::nullopt;
    if (negative) value = -value;
    if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return static_cast<int>(value);
}

}  // namespace

IniFile IniFile::parse(std::string_view text) {
    IniFile ini;
    ini.endsWithLineEnding_ = text.empty() || text.back() == '\n';
    auto firstBreak = text.find('\n');
    if (firstBreak != std::string_view::npos)
        ini.lineEnding_ = (firstBreak > 0 && text[firstBreak - 1] == '\r') ? "\r\n" : "\n";
    while (!text.empty()) {
        auto nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        ini.lines_.emplace_back(line);
        if (nl == std::string_view::npos) break;
        text.remove_prefix(nl + 1);
    }
    return ini;
}

std::string IniFile::text() const {
    std::string out;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        out += lines_[i];
        if (i + 1 < lines_.size() || endsWithLineEnding_) out += lineEnding_;
    }
    return out;
}

std::optional<IniFile> IniFile::load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return parse(text);
}

FileResult IniFile::save(const std::string& path) const {
    std::string t = text();
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(t.data());
    return WriteFileReplacing(path, std::span(bytes, t.size()));
}

std::optional<IniFile::SectionRange> IniFile::findSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        auto name = sectionName(lines_[i]);
        if (!name || !sameName(*name, section)) continue;
        std::size_t end = i + 1;
        while (end < lines_.size() && !sectionName(lines_[end])) ++end;
        return SectionRange{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> IniFile::findKey(const SectionRange& range, std::string_view key) const {
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        auto kv = keyLine(lines_[i]);
        if (kv && sameName(kv->key, key)) return i;
    }
    return std::nullopt;
}

std::optional<std::string> IniFile::readString(std::string_view section, std::string_view key) const {
    auto range = findSection(section);
    if (!range) return std::nullopt;
    auto line = findKey(*range, key);
    if (!line) return std::nullopt;
    return std::string(keyLine(lines_[*line])->value);
}

int IniFile::readInteger(std::string_view section, std::string_view key, int defaultValue) const {
    auto text = readString(section, key);
    if (!text) return defaultValue;
    return parseInteger(*text).value_or(defaultValue);
}

bool IniFile::readBool(std::string_view section, std::string_view key, bool defaultValue) const {
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

std::vector<std::pair<std::string, std::string>> IniFile::sectionEntries(std::string_view section) const {
    std::vector<std::pair<std::string, std::string>> entries;
    auto range = findSection(section);
    if (!range) return entries;
    for (std::size_t i = range->header + 1; i < range->end; ++i)
        if (auto kv = keyLine(lines_[i])) entries.emplace_back(kv->key, kv->value);
    return entries;
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
    std::string line = std::string(key) + "=" + std::string(value);
    auto range = findSection(section);
    if (!range) {
        lines_.push_back("[" + std::string(section) + "]");
        lines_.push_back(std::move(line));
        endsWithLineEnding_ = true;
        return;
    }
    if (auto existing = findKey(*range, key)) {
        // Keep the key as the file spells it.
        auto kv = keyLine(lines_[*existing]);
        lines_[*existing] = std::string(kv->key) + "=" + std::string(value);
        return;
    }
    std::size_t insertAt = range->header + 1;
    for (std::size_t i = range->header + 1; i < range->end; ++i)
        if (keyLine(lines_[i])) insertAt = i + 1;
    if (insertAt == lines_.size()) endsWithLineEnding_ = true;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(line));
}

void IniFile::writeInteger(std::string_view section, std::string_view key, int value) {
    writeString(section, key, std::to_string(value));
}

void IniFile::writeBool(std::string_view section, std::string_view key, bool value) {
    writeString(section, key, value ? "1" : "0");
}

}  // namespace t604
