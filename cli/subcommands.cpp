#include "cli/subcommands.h"

#include "cli/command.h"

namespace t604::cli {

int RunSubcommand(const std::vector<std::string>& args, std::initializer_list<Subcommand> subcommands) {
    const std::string chosen = args.empty() ? "" : args[0];
    for (const Subcommand& s : subcommands)
        if (s.name == chosen) return s.run(std::vector<std::string>(args.begin() + 1, args.end()));

    std::string choices;
    for (const Subcommand& s : subcommands) {
        if (!choices.empty()) choices += &s == subcommands.end() - 1 ? " or " : ", ";
        choices += s.name;
    }
    throw UsageError{"wants " + choices + (chosen.empty() ? "" : ", not '" + chosen + "'")};
}

}  // namespace t604::cli
