#include "model/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

namespace t604 {

namespace {
std::string systemReason(int err) { return std::strerror(err); }

std::string folderOf(const std::string& path) {
    auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool writeAll(int fd, const std::uint8_t* p, std::size_t n) {
    while (n > 0) {
        ssize_t w = ::write(fd, p, n);
        if (w < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += w;
        n -= static_cast<std::size_t>(w);
    }
    return true;
}
}  // namespace

FileResult ReadFilePrefix(const std::string& path, std::span<std::uint8_t> dest) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return FileResult::failure(path, systemReason(errno));
    // Read into a buffer first: a read that fails halfway leaves dest as it was.
    std::vector<std::uint8_t> buffer(dest.size());
    std::size_t got = 0;
    while (got < buffer.size()) {
        ssize_t r = ::read(fd, buffer.data() + got, buffer.size() - got);
        if (r < 0) {
            if (errno == EINTR) continue;
            int err = errno;
            ::close(fd);
            return FileResult::failure(path, systemReason(err));
        }
        if (r == 0) break;
        got += static_cast<std::size_t>(r);
    }
    ::close(fd);
    std::copy_n(buffer.begin(), got, dest.begin());
    FileResult result;
    result.bytes = got;
    return result;
}

FileResult WriteFileReplacing(const std::string& path, std::span<const std::uint8_t> bytes) {
    std::string tmpl = folderOf(path) + "/.t604-save-XXXXXX";
    int fd = ::mkstemp(tmpl.data());
    if (fd < 0) return FileResult::failure(path, systemReason(errno));
    // mkstemp creates 0600; a saved file gets the usual permissions.
    mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);

    int err = 0;
    if (!writeAll(fd, bytes.data(), bytes.size()) || ::fsync(fd) != 0) err = errno;
    if (::close(fd) != 0 && err == 0) err = errno;
    if (err == 0 && ::rename(tmpl.c_str(), path.c_str()) != 0) err = errno;
    if (err != 0) {
        ::unlink(tmpl.c_str());
        return FileResult::failure(path, systemReason(err));
    }
    FileResult result;
    result.bytes = bytes.size();
    return result;
}

}  // namespace t604
