#pragma once
// Resets the program-wide state that the record conversions read and write.

#include <gtest/gtest.h>

#include "link/memory_map.h"
#include "link/radio_image.h"
#include "model/program_state.h"

namespace t604 {

class MemoryMapTest : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }

    static void Reset() {
        softwareData = SoftwareData{};
        RadioImage.fill(0);
        CurrentBandMin = kDefaultBandMin;
        CurrentBandMax = kDefaultBandMax;
        LastWriteTime = {};
        CalibrationTable = {};
    }

    // A channel in use with the given frequencies; everything else zero.
    static ChannelRecord AddChannel(int n, std::uint32_t rxHz, std::uint32_t txHz) {
        softwareData.SetChannelUsed(n, true);
        ChannelRecord c = softwareData.channel(n);
        c.setFreqRx(rxHz);
        c.setFreqTx(txHz);
        return c;
    }
};

}  // namespace t604
