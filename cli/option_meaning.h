#pragma once
// What an option's raw value means to a person ("180" is "180 s", "0" of
// APO is "off"), for the text of t604-cli info. The JSON keeps raw numbers.

#include <cstdint>
#include <string>
#include <string_view>

namespace t604::cli {

// The meaning of `value` for the option field `name`, or "" where there is
// no obvious one (a plain count, or a value outside the option's range).
std::string OptionMeaning(std::string_view name, std::uint64_t value);

}  // namespace t604::cli
