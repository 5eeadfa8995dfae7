#include "tests/e2e/emulator_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <thread>

#include "link/serial_port.h"

extern char** environ;

namespace t604::test {

namespace {
using Clock = std::chrono::steady_clock;

int MillisLeft(Clock::time_point deadline) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}
}  // namespace

std::vector<std::uint8_t> Exchange(SerialPort& port, const std::vector<std::uint8_t>& request,
                                   std::size_t length, int timeoutMs) {
    port.write(request);
    std::vector<std::uint8_t> reply;
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (reply.size() < length && Clock::now() < deadline) {
        pollfd p{port.pollHandle(), POLLIN, 0};
        ::poll(&p, 1, 10);
        std::uint8_t buf[256];
        std::size_t n = port.read(buf);
        reply.insert(reply.end(), buf, buf + n);
    }
    return reply;
}

EmulatorProcess::EmulatorProcess() {
    std::string base = (std::filesystem::temp_directory_path() / "t604-emulator-XXXXXX").string();
    if (!::mkdtemp(base.data())) throw std::runtime_error("cannot create a temporary folder");
    dir_ = base;
}

EmulatorProcess::~EmulatorProcess() {
    stop();
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
}

std::string EmulatorProcess::start(const std::vector<std::string>& args) {
    stop();
    output_.clear();
    linkPath_ = dir_ + "/radio";
    std::vector<std::string> argv{T604_CLI_PATH, "emulate", "--link", linkPath_};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> cargv;
    for (std::string& a : argv) cargv.push_back(a.data());
    cargv.push_back(nullptr);

    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) throw std::runtime_error("cannot create a pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    int rc = ::posix_spawn(&pid_, cargv[0], &actions, nullptr, cargv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    outputFd_ = pipeFds[0];
    if (rc != 0) {
        pid_ = -1;
        throw std::runtime_error("cannot start " + argv[0]);
    }
    if (!waitForOutput("\n", 20000)) {
        std::string said = output_;
        stop();
        throw std::runtime_error("the emulator did not start: '" + said + "'");
    }
    auto device = output_.find("device=");
    auto end = output_.find(' ', device);
    if (output_.rfind("ready ", 0) != 0 || device == std::string::npos || end == std::string::npos) {
        std::string said = output_;
        stop();
        throw std::runtime_error("unexpected start line from the emulator: '" + said + "'");
    }
    devicePath_ = output_.substr(device + 7, end - device - 7);
    return linkPath_;
}

bool EmulatorProcess::readOutput(int timeoutMs) {
    if (outputFd_ < 0) return false;
    pollfd p{outputFd_, POLLIN, 0};
    if (::poll(&p, 1, timeoutMs) <= 0) return false;
    char buf[4096];
    ssize_t n = ::read(outputFd_, buf, sizeof buf);
    if (n > 0) {
        output_.append(buf, static_cast<std::size_t>(n));
    } else {
        ::close(outputFd_);  // the emulator has gone
        outputFd_ = -1;
    }
    return true;
}

bool EmulatorProcess::waitForOutput(std::string_view text, int timeoutMs) {
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (output_.find(text) == std::string::npos) {
        if (outputFd_ < 0 || Clock::now() >= deadline) return false;
        readOutput(MillisLeft(deadline));
    }
    return true;
}

int EmulatorProcess::stop() {
    int code = -1;
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        auto deadline = Clock::now() + std::chrono::seconds(10);
        int status = 0;
        pid_t done = 0;
        while ((done = ::waitpid(pid_, &status, WNOHANG)) == 0 && Clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        if (done == 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, &status, 0);
        } else if (done == pid_ && WIFEXITED(status)) {
            code = WEXITSTATUS(status);
        }
        pid_ = -1;
    }
    while (readOutput(100)) {
    }  // keep what it printed last
    if (outputFd_ >= 0) ::close(outputFd_);
    outputFd_ = -1;
    return code;
}

}  // namespace t604::test
