#pragma once
// The virtual radio (t604-cli emulate) as a child process of a test, on a
// pseudo-terminal reached through a link in a fresh temporary folder.

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace t604 {
class SerialPort;
}

namespace t604::test {

// Sends a frame and collects the reply until `length` bytes are there or
// the time is up, as the receive poll of a programming run does.
std::vector<std::uint8_t> Exchange(SerialPort& port, const std::vector<std::uint8_t>& request,
                                   std::size_t length, int timeoutMs = 3000);

class EmulatorProcess {
public:
    EmulatorProcess();   // creates the temporary folder
    ~EmulatorProcess();  // stops the emulator (killing it if need be), removes the folder
    EmulatorProcess(const EmulatorProcess&) = delete;
    EmulatorProcess& operator=(const EmulatorProcess&) = delete;

    // Runs `t604-cli emulate --link DIR/radio ARGS...` and waits for its ready
    // line; returns the link path. Throws std::runtime_error when the
    // emulator does not come up.
    std::string start(const std::vector<std::string>& args = {});
    // SIGTERM and wait (SIGKILL after 10 s); returns the exit code, or -1
    // when it did not exit normally or was not running.
    int stop();
    // Waits until the emulator has printed a line containing `text`.
    bool waitForOutput(std::string_view text, int timeoutMs = 10000);

    bool running() const { return pid_ > 0; }
    const std::string& dir() const { return dir_; }          // for image and dump files
    const std::string& linkPath() const { return linkPath_; }
    const std::string& devicePath() const { return devicePath_; }  // /dev/pts/N
    const std::string& output() const { return output_; }    // what it printed so far

private:
    // Reads what is there within the time; false on time-out or when closed.
    bool readOutput(int timeoutMs);

    std::string dir_;
    std::string linkPath_;
    std::string devicePath_;
    std::string output_;
    pid_t pid_ = -1;
    int outputFd_ = -1;
};

}  // namespace t604::test
