#include "cli/output_check.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace t604::cli {

bool CanWriteOutput(std::string_view command, const std::string& path) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::path(path).has_parent_path() ? fs::path(path).parent_path() : fs::path(".");
    int reason = 0;
    std::error_code ec;
    if (fs::is_directory(path, ec))
        reason = EISDIR;
    else if (::access(folder.c_str(), W_OK | X_OK) != 0)
        reason = errno;
    if (reason == 0) return true;
    std::fprintf(stderr, "t604-cli %.*s: cannot write %s: %s\n", static_cast<int>(command.size()), command.data(),
                 path.c_str(), std::strerror(reason));
    return false;
}

}  // namespace t604::cli
