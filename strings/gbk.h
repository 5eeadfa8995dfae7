#pragma once
// Conversion between UTF-8 and GBK, the code page of the texts kept in the
// radio (its password and customer text: a Chinese character takes two
// bytes there, an ASCII character one).

#include <optional>
#include <string>
#include <string_view>

namespace t604 {

// The GBK bytes of a UTF-8 text; nullopt when the text holds a character
// that GBK cannot encode or is not valid UTF-8.
std::optional<std::string> Utf8ToGbk(std::string_view utf8);

// The UTF-8 text of GBK bytes. Each byte that does not start a valid GBK
// character becomes U+FFFD and the conversion goes on after it.
std::string GbkToUtf8(std::string_view gbk);

}  // namespace t604
