#pragma once
// What the commands that talk to the radio share: the --device and
// --password options, the progress display, and the end message with its
// exit code.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command.h"
#include "link/program_run.h"

namespace t604::cli {

// Valued options every link command accepts.
inline const std::vector<std::string_view> kLinkOptions = {"--device", "--password"};

inline constexpr std::string_view kLinkOptionsHelp =
    "  --device DEV|auto  the serial device of the programming cable (COM1 is\n"
    "                     DEV, no search), or 'auto' (default): search the free\n"
    "                     ports among /dev/ttyUSB0..8 (COM1..COM9)\n"
    "  --password TEXT    the radio's access password, for this run only\n"
    "                     (default: the record's password)\n";

struct LinkOptions {
    std::optional<std::string> device;    // nullopt: automatic search
    std::optional<std::string> password;  // GBK bytes, at most 12
};

// Throws UsageError for a password that GBK cannot code or that is too long.
LinkOptions ReadLinkOptions(const Args& args);

// Runs one operation against the radio, showing the progress on a terminal,
// and prints the end message in English as the last line of standard
// output. --password stands in for the record's Password during the run
// only. A successful run is then confirmed, so what waits for the
// confirmation (a read's conversion into the record) has run on return.
Outcome RunOnRadio(const LinkOptions& options, int operationCode, bool readFromRadio);

// 0 for SUCCESS, 3 Communication False, 4 Password Error, 5 old version.
int ExitCodeFor(Outcome outcome);

}  // namespace t604::cli
