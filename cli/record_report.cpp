#include "cli/record_report.h"

#include <algorithm>
#include <cstdio>

#include "cli/json_writer.h"
#include "cli/option_meaning.h"
#include "strings/channel_cells.h"
#include "strings/string_table.h"

namespace t604::cli {

namespace {

ReportValue number(std::uint64_t n) { return {ReportValue::Number, n, {}}; }
ReportValue text(std::string s) { return {ReportValue::Text, 0, std::move(s)}; }

ReportValue dateValue(const ProgrammingDate& d) {
    if (d == ProgrammingDate{}) return {};  // never read from a radio
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04u-%02u-%02u %02u:%02u", unsigned{d.year}, unsigned{d.month},
                  unsigned{d.day}, unsigned{d.hour}, unsigned{d.minute});
    return text(buf);
}

// The grid's texts, always in English.
std::string gridText(int row) { return std::string(FetchText(MainStrings, row, TextMode::English)); }

ChannelRow channelRow(int n, const ConstChannelRecord& c) {
    char number[4];
    std::snprintf(number, sizeof number, "%02d", n);
    ChannelRow row;
    row[0] = number;
    const auto cells = ChannelCellTexts(c, TextMode::English);
    std::copy(cells.begin(), cells.end(), row.begin() + 1);
    return row;
}

bool isDtmfCode(const Field& f) { return f.size == 11; }
bool isShownElsewhere(const Field& f) {
    return f.offset == sd::SoftwareVersion.offset || f.offset == sd::BandMax.offset ||
           f.offset == sd::BandMin.offset;
}

// Printable ASCII as it stands, every other byte as \xNN.
std::string printable(std::string_view bytes) {
    std::string out;
    for (char c : bytes) {
        auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            out += c;
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            out += escaped;
        }
    }
    return out;
}

std::string valueText(const ReportValue& v) {
    switch (v.kind) {
        case ReportValue::Number: return std::to_string(v.number);
        case ReportValue::Text: return v.text.empty() ? "-" : printable(v.text);
        case ReportValue::Absent: break;
    }
    return "-";
}

// "180 s" where the meaning carries the number, "1 (on)" where it names it.
std::string shownValue(const ReportItem& item) {
    const std::string value = valueText(item.value);
    if (item.meaning.empty()) return value;
    if (item.meaning.starts_with(value + " ")) return item.meaning;
    return value + " (" + item.meaning + ")";
}

void appendPadded(std::string& out, std::string_view s, std::size_t width) {
    out += s;
    out.append(width > s.size() ? width - s.size() : 0, ' ');
}

void appendTable(std::string& out, const ReportSection& section) {
    std::array<std::size_t, std::size(kChannelColumns)> widths{};
    for (std::size_t i = 0; i < widths.size(); ++i) {
        widths[i] = gridText(kChannelColumns[i].titleRow).size();
        for (const ChannelRow& row : section.rows) widths[i] = std::max(widths[i], row[i].size());
    }
    auto appendLine = [&](auto cell) {
        std::string line = " ";
        for (std::size_t i = 0; i < widths.size(); ++i) {
            line += ' ';
            appendPadded(line, cell(i), i + 1 < widths.size() ? widths[i] + 1 : 0);
        }
        out += line + "\n";
    };
    appendLine([](std::size_t i) { return FetchText(MainStrings, kChannelColumns[i].titleRow, TextMode::English); });
    for (const ChannelRow& row : section.rows) appendLine([&row](std::size_t i) { return std::string_view(row[i]); });
}

void writeJsonValue(JsonWriter& json, const ReportValue& v) {
    switch (v.kind) {
        case ReportValue::Number: json.number(v.number); return;
        case ReportValue::Text: json.string(v.text); return;
        case ReportValue::Absent: json.null(); return;
    }
}

}  // namespace

RecordReport BuildRecordReport(const SoftwareData& record, std::uint32_t bandMin, std::uint32_t bandMax,
                               const ProgrammingDate& lastProgramming) {
    ReportSection radio("radio", "Radio");
    radio.items = {
        {"serialNumber", "Serial number", text(record.text(sd::Sn)), {}},
        {"version", "Version", text(record.text(sd::SoftwareVersion)), {}},
        {"lastProgramming", "Last programming", dateValue(lastProgramming), {}},
    };
    ReportSection band("band", "Band");
    band.items = {
        {"min", "Lower limit (Hz)", number(bandMin), {}},
        {"max", "Upper limit (Hz)", number(bandMax), {}},
    };

    ReportSection channels("channels", "Channels", true);
    for (int n = 1; n <= kChannelCount; ++n)
        if (record.IsChannelUsed(n)) channels.rows.push_back(channelRow(n, record.channel(n)));

    ReportSection options("options", "Options");
    ReportSection dtmf("dtmf", "DTMF codes");
    for (const Field& f : sd::kOptionFields) {
        if (isDtmfCode(f))
            dtmf.items.push_back({f.name, f.name, text(DtmfCodeToText(record.dtmf(f))), {}});
        else if (!isShownElsewhere(f))
            options.items.push_back({f.name, f.name, number(record.get(f)), OptionMeaning(f.name, record.get(f))});
    }

    RecordReport report;
    report.sections = {std::move(radio), std::move(band), std::move(channels), std::move(options), std::move(dtmf)};
    return report;
}

std::string ReportText(const RecordReport& report) {
    std::size_t labelWidth = 0;
    for (const ReportSection& s : report.sections)
        for (const ReportItem& item : s.items) labelWidth = std::max(labelWidth, item.label.size());

    std::string out;
    for (const ReportSection& s : report.sections) {
        out += s.title;
        if (s.isTable) {
            out += " (" + std::to_string(s.rows.size()) + " in use)\n";
            if (!s.rows.empty()) appendTable(out, s);
            continue;
        }
        out += '\n';
        for (const ReportItem& item : s.items) {
            out += "  ";
            appendPadded(out, item.label, labelWidth + 2);
            out += shownValue(item) + "\n";
        }
    }
    return out;
}

std::string ReportJson(const RecordReport& report) {
    JsonWriter json;
    json.beginObject();
    for (const ReportSection& s : report.sections) {
        json.key(s.key);
        if (s.isTable) {
            json.beginArray();
            for (const ChannelRow& row : s.rows) {
                json.beginObject();
                for (std::size_t i = 0; i < row.size(); ++i) {
                    json.key(kChannelColumns[i].key);
                    json.string(row[i]);
                }
                json.endObject();
            }
            json.endArray();
            continue;
        }
        json.beginObject();
        for (const ReportItem& item : s.items) {
            json.key(item.key);
            writeJsonValue(json, item.value);
        }
        json.endObject();
    }
    json.endObject();
    return json.text();
}

}  // namespace t604::cli
