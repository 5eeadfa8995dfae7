// Writes the sample configuration that the virtual radio of `make run` holds:
// a dozen UHF channels of the 400-480 MHz band (simplex and repeater pairs,
// CTCSS and DCS tones, high and low power, wide and narrow, some in scan),
// every option at its default. Built and run by samples/make-sample.sh.
//
//   make_sample_config OUT.Cvf

#include <cstdio>
#include <stdexcept>
#include <string>

#include "model/channel_settings.h"
#include "model/config_file.h"
#include "model/program_state.h"
#include "model/tone_codec.h"

using namespace t604;

namespace {

struct SampleChannel {
    int number;
    double rxMHz, txMHz;
    const char* decode;  // tone texts as the channel grid shows them
    const char* encode;
    bool highPower, wide, scan;
};

constexpr SampleChannel kChannels[] = {
    {1, 433.500, 433.500, "Off", "Off", true, true, true},            // simplex calling
    {2, 438.650, 431.050, "88.5", "88.5", true, true, true},          // repeater, -7.6 MHz
    {3, 439.125, 431.525, "Off", "67.0", true, false, true},          // repeater, encode only
    {4, 445.050, 440.050, "D023N", "D023N", true, false, false},      // repeater, -5 MHz, DCS
    {5, 446.00625, 446.00625, "123.0", "123.0", false, false, true},  // 6.25 kHz raster
    {6, 446.01875, 446.01875, "D754N", "D754N", false, false, false},
    {7, 446.03125, 446.03125, "Off", "Off", false, false, true},
    {8, 451.250, 456.250, "D411I", "D411I", true, true, true},        // +5 MHz, inverted DCS
    {9, 462.5625, 462.5625, "Off", "Off", false, false, true},
    {10, 467.6875, 467.6875, "100.0", "100.0", false, false, false},
    {11, 420.000, 420.000, "Off", "Off", true, true, false},
    {12, 470.500, 475.500, "131.8", "131.8", true, false, true},
};

ToneSetting Tone(const char* text) {
    ToneSetting tone;
    if (!ToneFromText(text, tone)) throw std::invalid_argument(std::string("bad tone ") + text);
    return tone;
}

std::uint32_t Hertz(double mhz) { return static_cast<std::uint32_t>(mhz * 1e6 + 0.5); }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sample_config OUT.Cvf\n");
        return 2;
    }
    SetDefaultData();
    CurrentBandMin = kDefaultBandMin;
    CurrentBandMax = kDefaultBandMax;
    for (const SampleChannel& c : kChannels)
        PutChannel(softwareData, c.number,
                   {Hertz(c.rxMHz), Hertz(c.txMHz), Tone(c.decode), Tone(c.encode), c.highPower,
                    c.wide, c.scan});
    const FileResult saved = SaveConfigFile(argv[1]);
    if (!saved) {
        std::fprintf(stderr, "make_sample_config: %s\n", saved.error.message().c_str());
        return 1;
    }
    return 0;
}
