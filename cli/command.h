#pragma once
// t604-cli commands. Each command lives in its own file and registers itself
// with a static CommandRegistration.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace t604::cli {

// Exit codes shared by every command.
enum ExitCode : int {
    kExitOk = 0,
    kExitFileError = 1,
    kExitUsage = 2,
    kExitCommunicationFalse = 3,
    kExitPasswordError = 4,
    kExitOldVersion = 5,
};

// A usage error: main prints "t604-cli CMD: MESSAGE" and exits 2.
struct UsageError {
    std::string message;
};

// Options after the command name: "--name value", "--flag", "-o value" and
// positional arguments.
class Args {
public:
    Args(std::vector<std::string> argv, std::vector<std::string_view> flags,
         std::vector<std::string_view> valued);

    bool has(std::string_view name) const;
    std::optional<std::string> value(std::string_view name) const;
    // Every value of a repeatable option, in the order given.
    std::vector<std::string> values(std::string_view name) const;
    std::string required(std::string_view name) const;  // throws UsageError
    const std::vector<std::string>& positional() const { return positional_; }
    // Exactly n positional arguments, else a UsageError naming what is wanted.
    void expectPositional(std::size_t n, std::string_view what) const;

private:
    std::vector<std::pair<std::string, std::string>> options_;
    std::vector<std::string> positional_;
};

// "--band MIN-MAX" in hertz.
struct BandArg {
    std::uint32_t min, max;
};
// The band of --band, or the default band 400000000-480000000 without it;
// throws UsageError.
BandArg BandOption(const Args& args);

struct Command {
    std::string_view name;
    std::string_view summary;
    std::string_view usage;  // full help text
    std::function<int(const std::vector<std::string>& args)> run;
};

class CommandRegistration {
public:
    explicit CommandRegistration(Command command);
};

const std::vector<Command>& Commands();

}  // namespace t604::cli
