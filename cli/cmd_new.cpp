// t604-cli new: a configuration file holding the defaults for a band.

#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/output_check.h"
#include "model/config_file.h"
#include "model/program_state.h"

namespace t604::cli {

namespace {

constexpr std::string_view kUsage =
    "usage: t604-cli new -o FILE.Cvf [--band MIN-MAX]\n\n"
    "Writes a new configuration file: no channels, every option at its default,\n"
    "the band stored in the file. An existing file is replaced only once the new\n"
    "one has been written completely.\n\n"
    "  -o FILE          the configuration file to write\n"
    "  --band MIN-MAX   the frequency band in hertz (default 400000000-480000000)\n";

int RunNew(const std::vector<std::string>& argv) {
    Args args(argv, {}, {"-o", "--band"});
    args.expectPositional(0, "");
    const std::string path = args.required("-o");
    const BandArg band = BandOption(args);

    CurrentBandMin = band.min;
    CurrentBandMax = band.max;
    SetDefaultData();
    return FileSucceeded("new", "write", SaveConfigFile(path)) ? kExitOk : kExitFileError;
}

const CommandRegistration kNew{{"new", "write a configuration file with the defaults", kUsage, RunNew}};

}  // namespace

}  // namespace t604::cli
