#include "cli/json_writer.h"

#include <cassert>
#include <cstdio>

namespace t604::cli {

namespace {
std::string JsonQuote(std::string_view bytes) {
    std::string out = "\"";
    for (char c : bytes) {
        auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (byte < 0x20 || byte >= 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}
}  // namespace

void JsonWriter::beforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (levels_.empty()) return;
    if (!levels_.back().empty) out_ += ',';
    levels_.back().empty = false;
    out_ += '\n';
    out_.append(2 * levels_.size(), ' ');
}

void JsonWriter::open(char bracket) {
    beforeValue();
    out_ += bracket;
    levels_.push_back({});
}

void JsonWriter::close(char bracket) {
    assert(!levels_.empty() && !afterKey_);
    bool wasEmpty = levels_.back().empty;
    levels_.pop_back();
    if (!wasEmpty) {
        out_ += '\n';
        out_.append(2 * levels_.size(), ' ');
    }
    out_ += bracket;
    if (levels_.empty()) out_ += '\n';
}

void JsonWriter::beginObject() { open('{'); }
void JsonWriter::endObject() { close('}'); }
void JsonWriter::beginArray() { open('['); }
void JsonWriter::endArray() { close(']'); }

void JsonWriter::key(std::string_view name) {
    beforeValue();
    out_ += JsonQuote(name);
    out_ += ": ";
    afterKey_ = true;
}

void JsonWriter::string(std::string_view value) {
    beforeValue();
    out_ += JsonQuote(value);
}

void JsonWriter::number(std::uint64_t value) {
    beforeValue();
    out_ += std::to_string(value);
}

void JsonWriter::null() {
    beforeValue();
    out_ += "null";
}

}  // namespace t604::cli
