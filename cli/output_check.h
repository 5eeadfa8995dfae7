#pragma once
// A run that reads from the radio into a file first makes sure the file can
// be written, so that a missing or read-only folder is reported before the
// radio is tied up, and no "SUCCESS" is printed for a result that is lost.

#include <string>
#include <string_view>

namespace t604::cli {

// False, after printing "t604-cli COMMAND: cannot write PATH: REASON" to
// standard error, when PATH is a folder or its folder is missing or not
// writable.
bool CanWriteOutput(std::string_view command, const std::string& path);

}  // namespace t604::cli
