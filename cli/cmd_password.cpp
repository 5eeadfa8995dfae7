// t604-cli password: a new password written into the radio.

#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/link_options.h"
#include "model/program_state.h"

namespace t604::cli {

namespace {

constexpr std::string_view kUsageHead =
    "usage: t604-cli password --device DEV|auto [--password OLD] --new NEW\n\n"
    "Writes a new password into the radio, after checking its present one\n"
    "against --password (default: none). An empty NEW removes the password.\n\n"
    "  --new NEW          the new password, at most 12 bytes (a Chinese\n"
    "                     character takes two)\n";

const std::string kUsage = std::string(kUsageHead) + kLinkOptionsHelp;

int RunPassword(const std::vector<std::string>& argv) {
    std::vector<std::string_view> valued = kLinkOptions;
    valued.push_back("--new");
    Args args(argv, {}, valued);
    args.expectPositional(0, "");
    const LinkOptions link = ReadLinkOptions(args);
    const std::string newPassword = RadioText("--new", args.required("--new"));

    SetDefaultAllData();
    softwareData.setText(sd::NewPassword, newPassword);
    return ExitCodeFor(RunOnRadio(link, kOpPasswordWrite, false));
}

const CommandRegistration kRegistration{
    {"password", "write a new password into the radio", kUsage, RunPassword}};

}  // namespace

}  // namespace t604::cli
