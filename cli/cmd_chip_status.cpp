// t604-cli chip-status: the status of the radio's transceiver chip.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/link_options.h"
#include "cli/output_check.h"
#include "model/program_state.h"
#include "service/adjustment_data.h"

namespace t604::cli {

namespace {

constexpr std::string_view kUsageHead =
    "usage: t604-cli chip-status --device DEV|auto [-o FILE.cvfa]\n\n"
    "Reads the status of the radio's transceiver chip (no handshake, no password)\n"
    "and prints each status field by name, one per line: name, then value.\n\n"
    "  -o FILE.cvfa       also save an adjustment file: the defaults of the band\n"
    "                     400-480 MHz with the status read\n";

const std::string kUsage = std::string(kUsageHead) + std::string(kDeviceOptionHelp);

// The fields the status read fills, in the order the radio sends them.
constexpr Field kStatusFields[] = {adj::CurBatt,    adj::Rssi_db,   adj::Noise_db,   adj::Modu_cmp,
                                   adj::Rssi_cmp1,  adj::Noise_cmp1, adj::Noise_cmp2, adj::Rssi_cmp3,
                                   adj::Pkdet_cmp,  adj::Pkdet_Rx,  adj::Modu_db,    adj::Offset};

void PrintStatus() {
    for (const Field& f : kStatusFields)
        std::printf("%-10.*s %u\n", static_cast<int>(f.name.size()), f.name.data(), adjustmentData.get(f));
}

int RunChipStatus(const std::vector<std::string>& argv) {
    std::vector<std::string_view> valued = kDeviceOption;
    valued.push_back("-o");
    Args args(argv, {}, valued);
    args.expectPositional(0, "");
    const LinkOptions link = ReadLinkOptions(args);
    const auto output = args.value("-o");
    if (output && !CanWriteOutput("chip-status", *output)) return kExitFileError;
    CurrentBandMin = kDefaultBandMin;
    CurrentBandMax = kDefaultBandMax;
    SetDefaultAllData();

    const Outcome outcome = RunOnRadio(link, kOpChipStatus, true, PrintStatus);
    return output ? SaveAfterRead("chip-status", outcome, *output, SaveAdjustmentFile) : ExitCodeFor(outcome);
}

const CommandRegistration kRegistration{
    {"chip-status", "read the status of the radio's transceiver chip", kUsage, RunChipStatus}};

}  // namespace

}  // namespace t604::cli
