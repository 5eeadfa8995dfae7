#include "strings/channel_cells.h"

#include "model/freq_codec.h"
#include "model/tone_codec.h"

namespace t604 {

std::array<std::string, 8> ChannelCellTexts(const ConstChannelRecord& c, TextMode mode) {
    const auto row = [mode](int r) { return std::string(FetchText(MainStrings, r, mode)); };
    return {FreqToText(c.FreqRx()),
            FreqToText(c.FreqTx()),
            ToneToText(c.SubDe()),
            ToneToText(c.SubEn()),
            row(c.Power() ? 26 : 27),
            row(c.Bandwidth() ? 28 : 29),
            row(c.SCN() ? 30 : 31),
            row(c.BUS() != 0 ? 33 : 32)};  // either busy-lock bit means carrier lock-out
}

}  // namespace t604
