// t604-cli repair: the correction of the synthesiser setting that makes some
// radios lose lock at the top of the band.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/link_options.h"
#include "link/service_steps.h"
#include "model/program_state.h"

namespace t604::cli {

namespace {

constexpr std::string_view kUsageHead =
    "usage: t604-cli repair --device DEV|auto\n\n"
    "Reads the six synthesiser bytes at 0x8D95 (no password needed). Only when\n"
    "they hold the faulty setting 11 3D 37 12 01 00 is the correction\n"
    "12 01 00 12 01 00 written; any other radio is left untouched. Prints which\n"
    "of the two happened, then the end message.\n\n";

const std::string kUsage = std::string(kUsageHead) + std::string(kDeviceOptionHelp);

void PrintRepair() {
    std::puts(RepairCorrectionWritten ? "faulty synthesiser setting found: correction written"
                                      : "synthesiser setting in order: nothing written");
}

int RunRepair(const std::vector<std::string>& argv) {
    Args args(argv, {}, kDeviceOption);
    args.expectPositional(0, "");
    const LinkOptions link = ReadLinkOptions(args);
    SetDefaultAllData();
    return ExitCodeFor(RunOnRadio(link, kOpRepair, false, PrintRepair));
}

const CommandRegistration kRegistration{
    {"repair", "correct the synthesiser setting of a faulty radio", kUsage, RunRepair}};

}  // namespace

}  // namespace t604::cli
