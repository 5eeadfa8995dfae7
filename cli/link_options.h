#pragma once
// What the commands that talk to the radio share: the --device and
// --password options, the progress display, and the end message with its
// exit code.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command.h"
#include "link/program_run.h"

namespace t604::cli {

// Valued options every link command accepts.
inline const std::vector<std::string_view> kLinkOptions = {"--device", "--password"};
// The operations that skip the password check take only the device.
inline const std::vector<std::string_view> kDeviceOption = {"--device"};

inline constexpr std::string_view kDeviceOptionHelp =
    "  --device DEV|auto  the serial device of the programming cable (COM1 is\n"
    "                     DEV, no search), or 'auto': search the free ports\n"
    "                     among /dev/ttyUSB0..8 (COM1..COM9)\n";
inline constexpr std::string_view kPasswordOptionHelp =
    "  --password TEXT    the radio's access password, for this run only\n"
    "                     (default: the record's password)\n";
inline const std::string kLinkOptionsHelp = std::string(kDeviceOptionHelp) + std::string(kPasswordOptionHelp);

struct LinkOptions {
    std::optional<std::string> device;    // nullopt: automatic search
    std::optional<std::string> password;  // GBK bytes, at most 12
};

// A text the radio keeps (password, customer text): GBK bytes, at most 12.
// Throws UsageError naming the option when GBK cannot code it or it is too
// long.
std::string RadioText(std::string_view option, const std::string& utf8);

// Throws UsageError when --device is missing or empty, and for a password
// that GBK cannot code or that is too long.
LinkOptions ReadLinkOptions(const Args& args);

// Runs one operation against the radio, showing the progress on a terminal,
// and prints the end message in English as the last line of standard
// output. --password stands in for the record's Password during the run
// only. A successful run is then confirmed, so what waits for the
// confirmation (a read's conversion into the record) has run on return.
// `report` runs once a successful run is confirmed and before the end
// message, so that what a command prints about the result stays above it.
Outcome RunOnRadio(const LinkOptions& options, int operationCode, bool readFromRadio,
                   const std::function<void()>& report = {});

// 0 for SUCCESS, 3 Communication False, 4 Password Error, 5 old version.
int ExitCodeFor(Outcome outcome);

}  // namespace t604::cli
