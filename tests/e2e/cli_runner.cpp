#include "cli_runner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>


extern char** environ;

namespace t604::test {

std::vector<std::string> CliResult::lines() const {
    std::vector<std::string> all;
    std::size_t at = 0;
    while (at < out.size()) {
        const std::size_t end = out.find('\n', at);
        all.push_back(out.substr(at, end - at));
        if (end == std::string::npos) break;
        at = end + 1;
    }
    return all;
}

std::string CliResult::lastLine() const {
    const auto all = lines();
    return all.empty() ? "" : all.back();
}

CliResult RunCli(std::vector<std::string> args, const std::string& scratchDir) {
    args.insert(args.begin(), T604_CLI_PATH);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const std::string out = scratchDir + "/cli-stdout", err = scratchDir + "/cli-stderr";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = -1;
    CliResult r;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    const auto o = testing::ReadAll(out), e = testing::ReadAll(err);
    r.out.assign(o.begin(), o.end());
    r.err.assign(e.begin(), e.end());
    return r;
}

}  // namespace t604::test
