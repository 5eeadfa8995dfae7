#include <algorithm>
#include <charconv>
#include <cstdint>

#include "cli/command.h"
#include "model/program_state.h"

namespace t604::cli {

Args::Args(std::vector<std::string> argv, std::vector<std::string_view> flags,
           std::vector<std::string_view> valued) {
    auto contains = [](const std::vector<std::string_view>& v, std::string_view s) {
        return std::find(v.begin(), v.end(), s) != v.end();
    };
    for (std::size_t i = 0; i < argv.size(); ++i) {
        const std::string& a = argv[i];
        if (a.size() > 1 && a[0] == '-') {
            if (contains(flags, a)) {
                options_.emplace_back(a, "");
            } else if (contains(valued, a)) {
                if (i + 1 >= argv.size()) throw UsageError{"option " + a + " needs a value"};
                options_.emplace_back(a, argv[++i]);
            } else {
                throw UsageError{"unknown option " + a};
            }
        } else {
            positional_.push_back(a);
        }
    }
}

bool Args::has(std::string_view name) const {
    return std::any_of(options_.begin(), options_.end(),
                       [&](const auto& o) { return o.first == name; });
}

std::optional<std::string> Args::value(std::string_view name) const {
    for (auto it = options_.rbegin(); it != options_.rend(); ++it)
        if (it->first == name) return it->second;
    return std::nullopt;
}

std::vector<std::string> Args::values(std::string_view name) const {
    std::vector<std::string> all;
    for (const auto& o : options_)
        if (o.first == name) all.push_back(o.second);
    return all;
}

std::string Args::required(std::string_view name) const {
    auto v = value(name);
    if (!v) throw UsageError{"missing " + std::string(name)};
    return *v;
}

void Args::expectPositional(std::size_t n, std::string_view what) const {
    if (positional_.size() < n) throw UsageError{"missing " + std::string(what)};
    if (positional_.size() > n) throw UsageError{"unexpected argument " + positional_[n]};
}

namespace {
bool parseHz(std::string_view s, std::uint32_t& out) {
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && p == s.data() + s.size();
}
}  // namespace

BandArg BandOption(const Args& args) {
    const std::optional<std::string> given = args.value("--band");
    if (!given) return {kDefaultBandMin, kDefaultBandMax};
    const std::string& text = *given;
    auto dash = text.find('-');
    BandArg band{};
    if (dash == std::string::npos || !parseHz(std::string_view(text).substr(0, dash), band.min) ||
        !parseHz(std::string_view(text).substr(dash + 1), band.max))
        throw UsageError{"--band wants MIN-MAX in hertz, for example 400000000-480000000, not '" +
                         text + "'"};
    if (band.min >= band.max) throw UsageError{"--band: the lower limit must lie below the upper"};
    return band;
}

}  // namespace t604::cli
