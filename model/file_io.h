#pragma once
// Whole-file reads and safe writes for the record files.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace t604 {

// The outcome of a file operation: empty on success, else the file and the
// system's reason.
struct FileError {
    std::string path;
    std::string reason;
    std::string message() const { return path + ": " + reason; }
};

struct FileResult {
    bool ok = true;
    FileError error;
    std::size_t bytes = 0;  // bytes read or written

    explicit operator bool() const { return ok; }
    static FileResult failure(const std::string& path, const std::string& reason) {
        return {false, {path, reason}, 0};
    }
};

// Reads at most dest.size() bytes from the start of the file into dest; the
// bytes past the file's end keep their contents.
FileResult ReadFilePrefix(const std::string& path, std::span<std::uint8_t> dest);

// Writes the bytes to a temporary file in the same folder and renames it over
// the target, so that a failed save never destroys the file that was there.
FileResult WriteFileReplacing(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace t604
