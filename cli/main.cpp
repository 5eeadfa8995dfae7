// t604-cli: the scripting face of the T-604 programming software.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/command.h"

namespace t604::cli {

namespace {
std::vector<Command>& registry() {
    static std::vector<Command> commands;
    return commands;
}

void printOverview(std::FILE* out) {
    std::fprintf(out,
                 "usage: t604-cli COMMAND [OPTIONS]\n\n"
                 "Programming software for the T-604 handheld radio.\n\ncommands:\n");
    for (const Command& c : Commands())
        std::fprintf(out, "  %-14.*s %.*s\n", static_cast<int>(c.name.size()), c.name.data(),
                     static_cast<int>(c.summary.size()), c.summary.data());
    std::fprintf(out, "\n't604-cli COMMAND --help' describes a command.\n");
}
}  // namespace

CommandRegistration::CommandRegistration(Command command) { registry().push_back(std::move(command)); }

const std::vector<Command>& Commands() { return registry(); }

}  // namespace t604::cli

int main(int argc, char** argv) {
    using namespace t604::cli;
    if (argc < 2) {
        std::fprintf(stderr, "t604-cli: missing command (see t604-cli --help)\n");
        return kExitUsage;
    }
    std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        printOverview(stdout);
        return kExitOk;
    }
    for (const Command& c : Commands()) {
        if (c.name != name) continue;
        std::vector<std::string> args(argv + 2, argv + argc);
        for (const std::string& a : args) {
            if (a == "--help" || a == "-h") {
                std::fwrite(c.usage.data(), 1, c.usage.size(), stdout);
                return kExitOk;
            }
        }
        try {
            return c.run(args);
        } catch (const UsageError& e) {
            std::fprintf(stderr, "t604-cli %s: %s\n", name.c_str(), e.message.c_str());
            return kExitUsage;
        }
    }
    std::fprintf(stderr, "t604-cli: unknown command '%s' (see t604-cli --help)\n", name.c_str());
    return kExitUsage;
}
