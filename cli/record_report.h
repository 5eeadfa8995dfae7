#pragma once
// The configuration as a person reads it, built in one walk over the record:
// the radio's identity, the band, the channels as the channel grid shows
// them, every option and DTMF code. Text and JSON are two renderings of it.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/program_state.h"
#include "model/software_data.h"

namespace t604::cli {

struct ReportValue {
    enum Kind { Number, Text, Absent } kind = Absent;
    std::uint64_t number = 0;
    std::string text;  // record bytes as they stand, not necessarily printable
};

struct ReportItem {
    std::string_view key;    // JSON key
    std::string_view label;  // text label
    ReportValue value;
    std::string meaning;  // for a person, beside the value in the text; "" when none
};

struct ChannelColumn {
    std::string_view key;
    int titleRow;  // of MainStrings
};
// The columns of the channel grid, in its order and with its titles.
inline constexpr ChannelColumn kChannelColumns[] = {
    {"number", 15},   {"rx", 16},        {"tx", 17},   {"decode", 18},   {"encode", 19},
    {"power", 20},    {"bandwidth", 21}, {"scan", 22}, {"busyLock", 23},
};
using ChannelRow = std::array<std::string, std::size(kChannelColumns)>;

// A section holds named items, or (the channels) rows of the grid.
struct ReportSection {
    ReportSection(std::string_view key, std::string_view title, bool isTable = false)
        : key(key), title(title), isTable(isTable) {}

    std::string_view key, title;
    bool isTable;
    std::vector<ReportItem> items;
    std::vector<ChannelRow> rows;
};

struct RecordReport {
    std::vector<ReportSection> sections;
};

RecordReport BuildRecordReport(const SoftwareData& record, std::uint32_t bandMin, std::uint32_t bandMax,
                               const ProgrammingDate& lastProgramming);

std::string ReportText(const RecordReport& report);
std::string ReportJson(const RecordReport& report);

}  // namespace t604::cli
