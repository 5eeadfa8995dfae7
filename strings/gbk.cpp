// Both directions go through the C library's iconv and its "GBK" charset.

#include "strings/gbk.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace t604 {
namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to +
                                     ": " + std::strerror(errno));
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much of `in` as it can, appending to `out`; returns 0 when
    // all of `in` was converted, else the errno of the byte it stopped at
    // (EILSEQ: invalid or unconvertible, EINVAL: cut off at the end), with
    // `in` advanced to that byte.
    int Convert(std::string_view& in, std::string& out) {
        char* inPtr = const_cast<char*>(in.data());  // iconv does not write through it
        std::size_t inLeft = in.size();
        int error = 0;
        while (inLeft > 0 && error == 0) {
            char buffer[256];
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) &&
                errno != E2BIG)
                error = errno;
            out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        }
        in.remove_prefix(in.size() - inLeft);
        return error;
    }

private:
    iconv_t cd_;
};

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

}  // namespace

std::optional<std::string> Utf8ToGbk(std::string_view utf8) {
    Converter converter("GBK", "UTF-8");
    std::string gbk;
    if (converter.Convert(utf8, gbk) != 0) return std::nullopt;
    return gbk;
}

std::string GbkToUtf8(std::string_view gbk) {
    Converter converter("UTF-8", "GBK");
    std::string utf8;
    while (converter.Convert(gbk, utf8) != 0) {
        utf8 += kReplacementCharacter;
        gbk.remove_prefix(1);
    }
    return utf8;
}

}  // namespace t604
