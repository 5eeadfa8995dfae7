// t604-cli calibration: the radio's calibration block read into an
// adjustment file, or an adjustment file written into the radio (alone, or
// together with the settings of a configuration file).

#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/link_options.h"
#include "cli/output_check.h"
#include "cli/subcommands.h"
#include "model/config_file.h"
#include "model/program_state.h"
#include "service/adjustment_data.h"

namespace t604::cli {

namespace {

constexpr std::string_view kUsageHead =
    "usage: t604-cli calibration read --device DEV|auto -o FILE.cvfa [--password TEXT]\n"
    "                                 [--band MIN-MAX]\n"
    "       t604-cli calibration write --device DEV|auto FILE.cvfa [--password TEXT]\n"
    "                                  [--band MIN-MAX]\n"
    "       t604-cli calibration write-all --device DEV|auto FILE.cvfa --config FILE.Cvf\n"
    "                                      [--password TEXT]\n\n"
    "read       reads the radio's calibration into an adjustment file. The record\n"
    "           starts from the defaults of the band; what the radio keeps replaces\n"
    "           them. Nothing is written unless the read succeeds.\n"
    "write      writes an adjustment file into the radio, and recomputes the\n"
    "           calibration bytes of the radio's channels from it.\n"
    "write-all  writes an adjustment file and the options of a configuration file\n"
    "           (the channels in the radio stay as they are). The radio's password\n"
    "           is checked against the configuration file's, or --password.\n\n"
    "  -o FILE.cvfa       the adjustment file to write\n"
    "  --band MIN-MAX     the radio's band in hertz (default 400000000-480000000):\n"
    "                     the defaults of a read, the squelch segments of a write\n"
    "  --config FILE.Cvf  the configuration file whose options go along\n";

const std::string kUsage = std::string(kUsageHead) + kLinkOptionsHelp;

// The band and the defaults of both records for it.
void StartFromDefaults(const Args& args) {
    const BandArg band = BandOption(args);
    CurrentBandMin = band.min;
    CurrentBandMax = band.max;
    SetDefaultAllData();
}

bool LoadAdjustment(const std::string& path) {
    return FileSucceeded("calibration", "read", LoadAdjustmentFile(path));
}

int ReadCalibration(const std::vector<std::string>& argv) {
    std::vector<std::string_view> valued = kLinkOptions;
    valued.insert(valued.end(), {"-o", "--band"});
    Args args(argv, {}, valued);
    args.expectPositional(0, "");
    const std::string output = args.required("-o");
    const LinkOptions link = ReadLinkOptions(args);
    StartFromDefaults(args);
    if (!CanWriteOutput("calibration", output)) return kExitFileError;

    return SaveAfterRead("calibration", RunOnRadio(link, kOpAdjustment, true), output, SaveAdjustmentFile);
}

int WriteCalibration(const std::vector<std::string>& argv) {
    std::vector<std::string_view> valued = kLinkOptions;
    valued.push_back("--band");
    Args args(argv, {}, valued);
    args.expectPositional(1, "the adjustment file to write");
    const LinkOptions link = ReadLinkOptions(args);
    StartFromDefaults(args);
    if (!LoadAdjustment(args.positional()[0])) return kExitFileError;
    return ExitCodeFor(RunOnRadio(link, kOpAdjustment, false));
}

int WriteAll(const std::vector<std::string>& argv) {
    std::vector<std::string_view> valued = kLinkOptions;
    valued.push_back("--config");
    Args args(argv, {}, valued);
    args.expectPositional(1, "the adjustment file to write");
    const std::string config = args.required("--config");
    const LinkOptions link = ReadLinkOptions(args);

    SetDefaultAllData();
    if (!FileSucceeded("calibration", "read", LoadConfigFile(config))) return kExitFileError;
    if (!LoadAdjustment(args.positional()[0])) return kExitFileError;
    return ExitCodeFor(RunOnRadio(link, kOpAllWrite, false));
}

int RunCalibration(const std::vector<std::string>& argv) {
    return RunSubcommand(argv, {{"read", ReadCalibration}, {"write", WriteCalibration}, {"write-all", WriteAll}});
}

const CommandRegistration kRegistration{
    {"calibration", "read or write the radio's calibration (adjustment file)", kUsage, RunCalibration}};

}  // namespace

}  // namespace t604::cli
