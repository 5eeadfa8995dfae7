#pragma once
// A small INI document kept line by line. Updating a key rewrites only that
// line, so comments, blank lines, unknown sections, the order of the keys and
// the file's line endings stay as they were. Plain C++, no toolkit.
//
// Reading follows the habits of the classic INI readers: section and key
// names compare without regard to ASCII case, blanks around names and values
// are ignored, lines starting with ';' or '#' are comments, the first of
// duplicate keys wins.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/file_io.h"

namespace t604 {

class IniFile {
public:
    // Line ending of a file created here: the settings file comes from a
    // Windows program and stays byte-identical to its files; files with
    // "\n" endings read the same and keep "\n" when updated.
    static constexpr std::string_view kNewFileLineEnding = "\r\n";

    IniFile() = default;
    static IniFile parse(std::string_view text);
    std::string text() const;

    // Reads the file; a missing file gives nothing.
    static std::optional<IniFile> load(const std::string& path);
    // Writes the whole text through a temporary file, so that a failed write
    // leaves the old file in place.
    FileResult save(const std::string& path) const;

    std::optional<std::string> readString(std::string_view section, std::string_view key) const;
    // Decimal, with an optional sign; "0x" hexadecimal is accepted too. A
    // missing key or a value that is no number gives the default.
    int readInteger(std::string_view section, std::string_view key, int defaultValue) const;
    // Stored as an integer: 0 is false, any other number true.
    bool readBool(std::string_view section, std::string_view key, bool defaultValue) const;
    // Every key = value line of a section, in file order.
    std::vector<std::pair<std::string, std::string>> sectionEntries(std::string_view section) const;

    // Replaces the value of an existing key in place; a new key goes after
    // the last key of its section, a new section at the end of the file.
    void writeString(std::string_view section, std::string_view key, std::string_view value);
    void writeInteger(std::string_view section, std::string_view key, int value);
    void writeBool(std::string_view section, std::string_view key, bool value);

private:
    struct SectionRange {
        std::size_t header;  // line of "[name]"
        std::size_t end;     // one past its last line
    };
    std::optional<SectionRange> findSection(std::string_view section) const;
    std::optional<std::size_t> findKey(const SectionRange& range, std::string_view key) const;

    std::vector<std::string> lines_;  // without their line endings
    std::string lineEnding_{kNewFileLineEnding};
    bool endsWithLineEnding_ = true;
};

}  // namespace t604
