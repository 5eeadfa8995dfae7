// Times a full main read and a full main write against the paced virtual
// radio (t604-cli emulate --pace) and compares each with the time the bytes
// need on the wire at 9600 baud plus the 500 ms start sleep. Also reports the
// CPU time the process used during each transfer. Prints figures only.
//
// usage: transfer_bench [PATH/TO/t604-cli]   (default: t604-cli beside this program)

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "link/posix_serial_port.h"
#include "link/program_run.h"
#include "link/run_loop.h"
#include "model/program_state.h"

namespace {

using namespace t604;
namespace fs = std::filesystem;

constexpr double kSecondsPerByte = 10.0 / 9600.0;  // start bit, 8 data bits, stop bit
constexpr double kStartSleepSeconds = 0.5;

// The emulator as a child process on its own pseudo-terminal.
class Emulator {
public:
    Emulator(const std::string& cli, const std::string& link) {
        int out[2];
        if (::pipe(out) != 0) throw std::runtime_error("pipe failed");
        pid_ = ::fork();
        if (pid_ < 0) throw std::runtime_error("fork failed");
        if (pid_ == 0) {
            ::dup2(out[1], STDOUT_FILENO);
            ::close(out[0]);
            ::close(out[1]);
            ::execl(cli.c_str(), cli.c_str(), "emulate", "--pace", "--variant", "a", "--link", link.c_str(),
                    static_cast<char*>(nullptr));
            std::perror("exec t604-cli");
            ::_exit(127);
        }
        ::close(out[1]);
        std::string line;
        char c;
        while (::read(out[0], &c, 1) == 1 && c != '\n') line += c;
        output_ = out[0];  // kept open: the emulator reports every session on it
        if (line.rfind("ready", 0) != 0) throw std::runtime_error("the emulator did not start: " + line);
    }
    ~Emulator() {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
        ::close(output_);
    }

private:
    pid_t pid_ = -1;
    int output_ = -1;
};

// COM1 is the emulator's link; every byte in and out is counted.
class CountingPort : public SerialPort {
public:
    CountingPort(std::unique_ptr<SerialPort> port, std::size_t& bytes) : port_(std::move(port)), bytes_(bytes) {}
    void purge(unsigned mask) override { port_->purge(mask); }
    std::size_t bytesWaiting() override { return port_->bytesWaiting(); }
    std::size_t read(std::span<std::uint8_t> dest) override {
        const std::size_t n = port_->read(dest);
        bytes_ += n;
        return n;
    }
    void write(std::span<const std::uint8_t> bytes) override {
        bytes_ += bytes.size();
        port_->write(bytes);
    }
    int pollHandle() const override { return port_->pollHandle(); }

private:
    std::unique_ptr<SerialPort> port_;
    std::size_t& bytes_;
};

class BenchPorts : public SingleDevicePortSystem {
public:
    using SingleDevicePortSystem::SingleDevicePortSystem;
    OpenResult open(int n) override {
        OpenResult r = SingleDevicePortSystem::open(n);
        if (r.port) r.port = std::make_unique<CountingPort>(std::move(r.port), bytes);
        return r;
    }
    std::size_t bytes = 0;
};

double CpuSeconds() {
    rusage u{};
    ::getrusage(RUSAGE_SELF, &u);
    auto s = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return s(u.ru_utime) + s(u.ru_stime);
}

void Transfer(const char* name, const std::string& link, bool read) {
    BenchPorts ports(link);
    ProgramRun run(ports, kOpConfig, read, PortSettings{1, false});
    const double cpuBefore = CpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    const Outcome outcome = DriveProgramRun(run);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double cpu = CpuSeconds() - cpuBefore;
    run.confirmOutcome();

    // The port scan opens COM1 once without exchanging anything.
    const double ideal = static_cast<double>(ports.bytes) * kSecondsPerByte + kStartSleepSeconds;
    std::printf("%-6s %s  bytes %5zu  time %.3f s  wire+sleep %.3f s  ratio %.3f  CPU %.2f%% of one core\n",
                name, outcome == Outcome::Success ? "ok    " : "FAILED", ports.bytes, seconds, ideal,
                seconds / ideal, 100.0 * cpu / seconds);
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const fs::path self = fs::canonical("/proc/self/exe");
        const std::string cli = argc > 1 ? argv[1] : (self.parent_path() / "t604-cli").string();
        const fs::path dir = fs::temp_directory_path() / ("t604-bench-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        const std::string link = (dir / "radio").string();
        {
            Emulator emulator(cli, link);
            SetDefaultAllData();
            for (int n = 1; n <= 99; ++n) {  // a full channel area on the wire either way
                softwareData.channel(n).setFreqRx(400'000'000 + 25'000u * n);
                softwareData.channel(n).setFreqTx(400'000'000 + 25'000u * n);
                softwareData.SetChannelUsed(n, true);
            }
            Transfer("write", link, false);
            Transfer("read", link, true);
        }
        fs::remove_all(dir);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "transfer_bench: %s\n", e.what());
        return 1;
    }
    return 0;
}
