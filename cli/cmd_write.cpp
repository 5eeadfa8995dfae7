// t604-cli write: a configuration file into the radio.

#include "cli/command.h"
#include "cli/link_options.h"
#include "cli/output_check.h"
#include "model/config_file.h"
#include "model/program_state.h"

namespace t604::cli {

namespace {

constexpr std::string_view kUsageHead =
    "usage: t604-cli write --device DEV|auto FILE.Cvf [--password TEXT]\n\n"
    "Writes the channels and options of a configuration file into the radio.\n"
    "The file's band becomes the band written. The radio's password is\n"
    "checked against the file's password, or against --password.\n\n";

const std::string kUsage = std::string(kUsageHead) + std::string(kLinkOptionsHelp);

int Write(const std::vector<std::string>& argv) {
    Args args(argv, {}, kLinkOptions);
    args.expectPositional(1, "the configuration file to write");
    const LinkOptions link = ReadLinkOptions(args);

    SetDefaultAllData();
    if (!FileSucceeded("write", "read", LoadConfigFile(args.positional()[0]))) return kExitFileError;
    return ExitCodeFor(RunOnRadio(link, kOpConfig, false));
}

const CommandRegistration kRegistration{{"write", "write a configuration file into the radio", kUsage, Write}};

}  // namespace

}  // namespace t604::cli
