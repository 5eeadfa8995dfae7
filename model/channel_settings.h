#pragma once
// What the channel grid shows of a channel, as one value: frequencies, tones
// and the three switches. Used to fill channels in one step and to compare
// them.

#include <cstdint>

#include "model/software_data.h"

namespace t604 {

struct ChannelSettings {
    std::uint32_t FreqRx = 0;
    std::uint32_t FreqTx = 0;
    ToneSetting SubDe;
    ToneSetting SubEn;
    bool Power = true;      // high
    bool Bandwidth = true;  // wide
    bool SCN = true;
    friend bool operator==(const ChannelSettings&, const ChannelSettings&) = default;
};

// Marks channel n (1..99) in use and stores the settings; the slot's other
// bytes (name, squelch mode, busy lock, reserved bytes) keep what they hold.
void PutChannel(SoftwareData& record, int n, const ChannelSettings& settings);
ChannelSettings ChannelSettingsOf(const SoftwareData& record, int n);

}  // namespace t604
