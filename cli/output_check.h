#pragma once
// The file side of a command: what it reports when a file cannot be read or
// written. A run that reads from the radio into a file first makes sure the
// file can be written, so that a missing or read-only folder is reported
// before the radio is tied up, and no "SUCCESS" is printed for a result that
// is lost.

#include <string>
#include <string_view>

#include "link/program_run.h"
#include "model/file_io.h"

namespace t604::cli {

// False, after printing "t604-cli COMMAND: cannot VERB PATH: REASON" to
// standard error, when the file operation failed.
bool FileSucceeded(std::string_view command, std::string_view verb, const FileResult& result);

// False, after printing "t604-cli COMMAND: cannot write PATH: REASON" to
// standard error, when PATH is a folder or its folder is missing or not
// writable.
bool CanWriteOutput(std::string_view command, const std::string& path);

// The exit code of a read from the radio into PATH: the run's when it did not
// succeed, else that of saving the result with `save` (1 after "cannot save").
int SaveAfterRead(std::string_view command, Outcome outcome, const std::string& path,
                  FileResult (*save)(const std::string& path));

}  // namespace t604::cli
