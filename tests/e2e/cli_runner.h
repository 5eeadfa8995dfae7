#pragma once
// t604-cli as a child process of a test: its exit code and what it printed,
// and the fixture of the command-line tests (a temporary folder and a
// virtual radio to talk to).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "emulator_process.h"
#include "tests/core/file_test_support.h"

namespace t604::test {

struct CliResult {
    int exitCode = -1;  // -1 when it could not start or did not exit normally
    std::string out, err;
    // The lines of standard output, without their line ends.
    std::vector<std::string> lines() const;
    std::string lastLine() const;  // "" when nothing was printed
};

// Runs t604-cli with the arguments as they stand (no shell, so texts with
// spaces or Chinese characters pass unchanged). Standard input is /dev/null;
// standard output and error are caught in files in `scratchDir`.
CliResult RunCli(std::vector<std::string> args, const std::string& scratchDir);

class CliTest : public ::testing::Test {
protected:
    CliResult cli(std::vector<std::string> args) const { return RunCli(std::move(args), dir_.path().string()); }
    // A command on the emulator's device (start it first).
    CliResult onRadio(std::vector<std::string> args) const {
        args.insert(args.end(), {"--device", emulator.linkPath()});
        return cli(std::move(args));
    }
    std::string file(const std::string& name) const { return dir_.file(name); }

    testing::TempDir dir_;
    EmulatorProcess emulator;
};

}  // namespace t604::test
