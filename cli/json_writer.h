#pragma once
// A small JSON writer for the command line's --json output: objects, arrays,
// strings, unsigned numbers and null, indented by two spaces.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace t604::cli {

class JsonWriter {
public:
    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    // Inside an object: the key of the next value.
    void key(std::string_view name);
    // Record texts are bytes, not UTF-8: every byte outside printable ASCII
    // is written as \u00XX (read as Latin-1), so the output is valid JSON
    // whatever a file holds.
    void string(std::string_view value);
    void number(std::uint64_t value);
    void null();

    // The document, ending in a newline once the outermost value is closed.
    const std::string& text() const { return out_; }

private:
    void beforeValue();
    void open(char bracket);
    void close(char bracket);

    struct Level {
        bool empty = true;
    };
    std::string out_;
    std::vector<Level> levels_;
    bool afterKey_ = false;
};

}  // namespace t604::cli
