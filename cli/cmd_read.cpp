// t604-cli read: the radio's configuration into a configuration file.

#include "cli/command.h"
#include "cli/link_options.h"
#include "cli/output_check.h"
#include "model/config_file.h"
#include "model/program_state.h"

namespace t604::cli {

namespace {

constexpr std::string_view kUsageHead =
    "usage: t604-cli read --device DEV|auto -o FILE.Cvf [--password TEXT] [--base FILE.Cvf]\n\n"
    "Reads the radio's channels and options and saves them as a configuration\n"
    "file. The record starts from the defaults, or from --base; the radio's\n"
    "channels, options and band replace what it holds. Nothing is written\n"
    "unless the read succeeds.\n\n"
    "  -o FILE.Cvf        the configuration file to write\n"
    "  --base FILE.Cvf    start from this file instead of the defaults (its\n"
    "                     password is the one checked, unless --password)\n";

const std::string kUsage = std::string(kUsageHead) + std::string(kLinkOptionsHelp);

int Read(const std::vector<std::string>& argv) {
    std::vector<std::string_view> valued = kLinkOptions;
    valued.insert(valued.end(), {"-o", "--base"});
    Args args(argv, {}, valued);
    args.expectPositional(0, "");
    const std::string output = args.required("-o");
    const LinkOptions link = ReadLinkOptions(args);
    if (!CanWriteOutput("read", output)) return kExitFileError;

    SetDefaultAllData();
    if (auto base = args.value("--base")) {
        if (!FileSucceeded("read", "read", LoadConfigFile(*base))) return kExitFileError;
    }
    return SaveAfterRead("read", RunOnRadio(link, kOpConfig, true), output, SaveConfigFile);
}

const CommandRegistration kRegistration{{"read", "read the radio into a configuration file", kUsage, Read}};

}  // namespace

}  // namespace t604::cli
