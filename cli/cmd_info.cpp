// t604-cli info: a configuration file as a person reads it, or as JSON.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/output_check.h"
#include "cli/record_report.h"
#include "model/config_file.h"
#include "model/program_state.h"

namespace t604::cli {

namespace {

constexpr std::string_view kUsage =
    "usage: t604-cli info FILE.Cvf [--json]\n\n"
    "Shows a configuration file: serial number, version and last programming,\n"
    "the band, the channels in use as the channel grid shows them (RX and TX\n"
    "frequency in MHz, decode and encode tone, power, bandwidth, scan, busy\n"
    "lock), every option with its value and the DTMF codes.\n"
    "The band is the file's; a file whose band fields are both zero shows the\n"
    "default band 400000000-480000000 Hz.\n\n"
    "  --json   the same as one JSON object (radio, band, channels, options, dtmf)\n";

int RunInfo(const std::vector<std::string>& argv) {
    Args args(argv, {"--json"}, {});
    args.expectPositional(1, "FILE.Cvf");
    const std::string& path = args.positional()[0];

    // The state of a fresh start: a short file then lies over the defaults,
    // as it does when the program opens it.
    CurrentBandMin = kDefaultBandMin;
    CurrentBandMax = kDefaultBandMax;
    SetDefaultData();
    if (!FileSucceeded("info", "read", LoadConfigFile(path))) return kExitFileError;

    RecordReport report = BuildRecordReport(softwareData, CurrentBandMin, CurrentBandMax, LastWriteTime);
    const std::string out = args.has("--json") ? ReportJson(report) : ReportText(report);
    std::fwrite(out.data(), 1, out.size(), stdout);
    return kExitOk;
}

const CommandRegistration kInfo{{"info", "show a configuration file (text or JSON)", kUsage, RunInfo}};

}  // namespace

}  // namespace t604::cli
