#pragma once
// The texts of a channel row as the channel grid shows them; the window and
// the command line's report share them.

#include <array>
#include <string>

#include "model/software_data.h"
#include "strings/string_table.h"

namespace t604 {

// Cells 1..8 of a channel in use: RX, TX, decode and encode tone, power,
// bandwidth, scan and busy lock, in the given language.
std::array<std::string, 8> ChannelCellTexts(const ConstChannelRecord& channel, TextMode mode);

}  // namespace t604
