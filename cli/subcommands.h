#pragma once
// Commands made of subcommands ("calibration read", "customer-info write"):
// the first argument picks the subcommand, which gets the rest.

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace t604::cli {

struct Subcommand {
    std::string_view name;
    int (*run)(const std::vector<std::string>& args);
};

// Runs the subcommand named by args[0]; throws UsageError naming the choices
// when there is none or it is unknown.
int RunSubcommand(const std::vector<std::string>& args, std::initializer_list<Subcommand> subcommands);

}  // namespace t604::cli
