// t604-cli customer-info: the short customer text kept in the radio.

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/link_options.h"
#include "cli/subcommands.h"
#include "link/radio_image.h"
#include "link/text_block.h"
#include "model/program_state.h"
#include "strings/gbk.h"

namespace t604::cli {

namespace {

constexpr std::string_view kUsageHead =
    "usage: t604-cli customer-info read --device DEV|auto\n"
    "       t604-cli customer-info write --device DEV|auto TEXT\n\n"
    "read   prints the customer text kept in the radio (UTF-8), then the end\n"
    "       message.\n"
    "write  writes TEXT as the radio's customer text: at most 12 bytes in the\n"
    "       radio's code page GBK, where a Chinese character takes two.\n"
    "Neither needs the radio's password, and neither changes it.\n\n";

const std::string kUsage = std::string(kUsageHead) + std::string(kDeviceOptionHelp);

// CustomerInfoBuffer: the customer block read at 16-31, the text to write
// at 64-127.
constexpr std::size_t kReadBlockOffset = 16;
constexpr std::size_t kWriteTextOffset = 64;

void PrintCustomerText() {
    const auto text = DecodeTextBlock(CustomerInfoBuffer.data() + kReadBlockOffset);
    if (!text) {
        std::fprintf(stderr, "t604-cli customer-info: the radio's customer block holds no valid text\n");
        return;
    }
    std::printf("%s\n", GbkToUtf8(*text).c_str());
}

int ReadCustomerInfo(const std::vector<std::string>& argv) {
    Args args(argv, {}, kDeviceOption);
    args.expectPositional(0, "");
    const LinkOptions link = ReadLinkOptions(args);
    SetDefaultAllData();
    return ExitCodeFor(RunOnRadio(link, kOpCustomerRead, true, PrintCustomerText));
}

int WriteCustomerInfo(const std::vector<std::string>& argv) {
    Args args(argv, {}, kDeviceOption);
    args.expectPositional(1, "the customer text");
    const LinkOptions link = ReadLinkOptions(args);
    const std::string text = RadioText("the customer text", args.positional()[0]);

    SetDefaultAllData();
    std::fill(CustomerInfoBuffer.begin() + kWriteTextOffset, CustomerInfoBuffer.end(), std::uint8_t{0});
    std::copy(text.begin(), text.end(), CustomerInfoBuffer.begin() + kWriteTextOffset);
    return ExitCodeFor(RunOnRadio(link, kOpCustomerWrite, false));
}

int RunCustomerInfo(const std::vector<std::string>& argv) {
    return RunSubcommand(argv, {{"read", ReadCustomerInfo}, {"write", WriteCustomerInfo}});
}

const CommandRegistration kRegistration{
    {"customer-info", "read or write the customer text kept in the radio", kUsage, RunCustomerInfo}};

}  // namespace

}  // namespace t604::cli
