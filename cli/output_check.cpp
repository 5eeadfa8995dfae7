#include "cli/output_check.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "cli/command.h"
#include "cli/link_options.h"

namespace t604::cli {

bool FileSucceeded(std::string_view command, std::string_view verb, const FileResult& result) {
    if (result) return true;
    std::fprintf(stderr, "t604-cli %.*s: cannot %.*s %s\n", static_cast<int>(command.size()), command.data(),
                 static_cast<int>(verb.size()), verb.data(), result.error.message().c_str());
    return false;
}

bool CanWriteOutput(std::string_view command, const std::string& path) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::path(path).has_parent_path() ? fs::path(path).parent_path() : fs::path(".");
    int reason = 0;
    std::error_code ec;
    if (fs::is_directory(path, ec))
        reason = EISDIR;
    else if (::access(folder.c_str(), W_OK | X_OK) != 0)
        reason = errno;
    return reason == 0 || FileSucceeded(command, "write", FileResult::failure(path, std::strerror(reason)));
}

int SaveAfterRead(std::string_view command, Outcome outcome, const std::string& path,
                  FileResult (*save)(const std::string& path)) {
    if (outcome != Outcome::Success) return ExitCodeFor(outcome);
    return FileSucceeded(command, "save", save(path)) ? kExitOk : kExitFileError;
}

}  // namespace t604::cli
