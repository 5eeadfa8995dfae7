// t604-cli emulate: a virtual radio on a pseudo-terminal, for trying the
// programming software and for the end-to-end tests without hardware.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <deque>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/link_options.h"
#include "link/memory_map.h"
#include "link/service_steps.h"
#include "link/text_block.h"
#include "link/virtual_radio.h"

namespace t604::cli {

namespace {

using Clock = std::chrono::steady_clock;
// One byte on the wire at 9600 baud: start bit, 8 data bits, stop bit.
constexpr Clock::duration kByteTime = std::chrono::nanoseconds(10'000'000'000LL / 9600);
// The radio forgets a half-received request after this much silence.
constexpr auto kInterByteTimeout = std::chrono::milliseconds(100);

constexpr std::string_view kUsage =
    "usage: t604-cli emulate [--variant a|b|old] [--link PATH] [--image FILE] [--dump FILE]\n"
    "                        [--password TEXT] [--pace] [--fault SPEC]... [--faulty-synth]\n"
    "                        [--chip-status HEX22]\n\n"
    "Runs a virtual T-604 radio on a pseudo-terminal until SIGINT or SIGTERM.\n"
    "Prints one line when ready:\n"
    "  ready variant=A device=/dev/pts/N link=PATH\n"
    "and 'session N ended' (and 'saved FILE' with --dump) at every end byte.\n\n"
    "  --variant a|b|old   handshake reply 0x53 (a, default), 0x59 (b) or an\n"
    "                      old-format radio (0x06, ident P32073)\n"
    "  --link PATH         symbolic link to the pseudo-terminal (removed at exit)\n"
    "  --image FILE        initial 64 KiB memory (a shorter file fills the start)\n"
    "  --dump FILE         save the memory (64 KiB) after each session, atomically\n"
    "  --password TEXT     radio password, at most 12 bytes in GBK, coded into 0x41D0\n"
    "  --pace              bytes take their 9600-baud wire time in both directions\n"
    "  --faulty-synth      put 11 3D 37 12 01 00 at 0x8D95 (the repairable fault)\n"
    "  --chip-status HEX   the 11 chip status bytes as 22 hex digits\n"
    "  --fault SPEC        inject a fault (repeatable); requests count from 1 over\n"
    "                      the emulator's lifetime, every complete frame counts\n"
    "                      (handshake, ident, read, write, ack, end, chip status):\n"
    "      drop:N          the reply to request N is lost once (the request acts)\n"
    "      extra:N         the reply to request N carries one surplus byte\n"
    "      silent:N        after N requests the radio answers nothing more\n"
    "      handshake:HH    every handshake is answered with the hex byte HH\n";

volatile sig_atomic_t gStopRequested = 0;
void RequestStop(int) { gStopRequested = 1; }

struct SystemError : std::runtime_error {
    SystemError(const std::string& what, int err)
        : std::runtime_error(what + ": " + std::strerror(err)) {}
};

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

void MakeRaw(int fd, const std::string& what) {
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) throw SystemError("cannot read the settings of " + what, errno);
    cfmakeraw(&tio);
    cfsetispeed(&tio, B9600);
    cfsetospeed(&tio, B9600);
    if (::tcsetattr(fd, TCSANOW, &tio) != 0) throw SystemError("cannot set " + what + " raw", errno);
}

// The radio's end of the cable. The emulator keeps the slave side open too,
// so that the master does not read EIO while no program holds the port; it
// takes no lock, so a client's exclusive open still succeeds.
class PseudoTerminal {
public:
    PseudoTerminal() : master_(::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC)) {
        if (master_.get() < 0) throw SystemError("cannot open a pseudo-terminal", errno);
        if (::grantpt(master_.get()) != 0 || ::unlockpt(master_.get()) != 0)
            throw SystemError("cannot unlock the pseudo-terminal", errno);
        char name[128];
        if (::ptsname_r(master_.get(), name, sizeof name) != 0)
            throw SystemError("cannot name the pseudo-terminal", errno);
        slavePath_ = name;
        slave_ = std::make_unique<FileDescriptor>(
            ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
        if (slave_->get() < 0) throw SystemError("cannot open " + slavePath_, errno);
        MakeRaw(slave_->get(), slavePath_);
        MakeRaw(master_.get(), "the pseudo-terminal master");
        if (::fcntl(master_.get(), F_SETFL, ::fcntl(master_.get(), F_GETFL) | O_NONBLOCK) != 0)
            throw SystemError("cannot make the pseudo-terminal non-blocking", errno);
    }
    int master() const { return master_.get(); }
    const std::string& slavePath() const { return slavePath_; }

private:
    FileDescriptor master_;
    std::unique_ptr<FileDescriptor> slave_;
    std::string slavePath_;
};

// The --link symlink, removed again at exit if it still points to us.
class DeviceLink {
public:
    DeviceLink(std::string path, const std::string& target) : path_(std::move(path)), target_(target) {
        struct stat st{};
        if (::lstat(path_.c_str(), &st) == 0) {
            if (!S_ISLNK(st.st_mode)) throw std::runtime_error(path_ + " exists and is not a link");
            ::unlink(path_.c_str());  // a link left behind by an emulator that was killed
        }
        if (::symlink(target.c_str(), path_.c_str()) != 0)
            throw SystemError("cannot create the link " + path_, errno);
    }
    ~DeviceLink() {
        char buf[256];
        ssize_t n = ::readlink(path_.c_str(), buf, sizeof buf);
        if (n >= 0 && std::string(buf, static_cast<std::size_t>(n)) == target_) ::unlink(path_.c_str());
    }
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

private:
    std::string path_;
    std::string target_;
};

RadioVariant ParseVariant(const std::string& text) {
    if (text == "a") return RadioVariant::A;
    if (text == "b") return RadioVariant::B;
    if (text == "old") return RadioVariant::Old;
    throw UsageError{"--variant wants a, b or old, not '" + text + "'"};
}

const char* VariantName(RadioVariant v) {
    switch (v) {
        case RadioVariant::A: return "A";
        case RadioVariant::B: return "B";
        case RadioVariant::Old: return "old";
    }
    return "?";
}

std::array<std::uint8_t, kChipStatusSize> ParseChipStatus(const std::string& hex) {
    std::array<std::uint8_t, kChipStatusSize> status{};
    auto nibble = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    bool ok = hex.size() == 2 * kChipStatusSize;
    for (std::size_t i = 0; ok && i < kChipStatusSize; ++i) {
        int hi = nibble(hex[2 * i]), lo = nibble(hex[2 * i + 1]);
        ok = hi >= 0 && lo >= 0;
        status[i] = static_cast<std::uint8_t>(hi * 16 + lo);
    }
    if (!ok) throw UsageError{"--chip-status wants 22 hex digits (11 bytes), not '" + hex + "'"};
    return status;
}

// Returns false (and says why on stderr) when the file cannot be read.
bool LoadImage(const std::string& path, std::span<std::uint8_t> memory) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "t604-cli emulate: cannot open %s: %s\n", path.c_str(), std::strerror(errno));
        return false;
    }
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad() || bytes.size() > memory.size()) {
        std::fprintf(stderr, "t604-cli emulate: %s is %s\n", path.c_str(),
                     in.bad() ? "unreadable" : "larger than the radio's 64 KiB");
        return false;
    }
    std::memcpy(memory.data(), bytes.data(), bytes.size());
    return true;
}

// Written beside the target and renamed over it, so that a reader never
// sees half a dump.
void SaveImageAtomically(const std::string& path, std::span<const std::uint8_t> memory) {
    std::string temp = path + ".XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) throw SystemError("cannot create " + temp, errno);
    mode_t mask = ::umask(0);  // mkstemp makes 0600; a dump is an ordinary file
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    std::size_t done = 0;
    while (done < memory.size()) {
        ssize_t n = ::write(fd, memory.data() + done, memory.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    int err = done == memory.size() ? 0 : errno;
    if (err == 0 && ::fsync(fd) != 0) err = errno;
    if (::close(fd) != 0 && err == 0) err = errno;
    if (err == 0 && ::rename(temp.c_str(), path.c_str()) != 0) err = errno;
    if (err != 0) {
        ::unlink(temp.c_str());
        throw SystemError("cannot save " + path, err);
    }
}

struct EmulateOptions {
    bool pace = false;
    std::optional<std::string> dump;
};

// Feeds the radio and carries its replies back; with pacing every byte takes
// its wire time, in both directions.
class RadioServer {
public:
    RadioServer(VirtualRadio& radio, int master, EmulateOptions options)
        : radio_(radio), master_(master), options_(std::move(options)) {}

    void run() {
        while (!gStopRequested) {
            Clock::time_point now = Clock::now();
            takeInput(now);
            sendOutput(now);
            if (radio_.receiving() && now - lastInput_ >= kInterByteTimeout) radio_.lineIdle();
            waitForWork(Clock::now());
        }
    }

private:
    void takeInput(Clock::time_point now) {
        if (options_.pace) {
            // One byte when its wire time is over; the rest stays in the
            // kernel's queue, as it would still be on the wire.
            if (!inputArrival_ || now < *inputArrival_) return;
            std::uint8_t byte;
            if (::read(master_, &byte, 1) == 1) {
                feed(std::span(&byte, 1), now);
                inputArrival_ = *inputArrival_ + kByteTime;
                if (!inputWaiting()) inputArrival_.reset();
            } else {
                inputArrival_.reset();
            }
            return;
        }
        std::uint8_t buf[4096];
        ssize_t n = ::read(master_, buf, sizeof buf);
        if (n > 0) feed(std::span(buf, static_cast<std::size_t>(n)), now);
    }

    bool inputWaiting() const {
        pollfd p{master_, POLLIN, 0};
        return ::poll(&p, 1, 0) > 0 && (p.revents & POLLIN);
    }

    void feed(std::span<const std::uint8_t> bytes, Clock::time_point now) {
        lastInput_ = now;
        int endedBefore = radio_.sessionsEnded();
        std::vector<std::uint8_t> reply = radio_.receive(bytes);
        if (output_.empty() && outputFreeAt_ < now) outputFreeAt_ = now;
        output_.insert(output_.end(), reply.begin(), reply.end());
        if (radio_.sessionsEnded() != endedBefore) sessionEnded();
    }

    void sessionEnded() {
        std::printf("session %d ended\n", radio_.sessionsEnded());
        if (options_.dump) {
            try {
                SaveImageAtomically(*options_.dump, radio_.memory());
                std::printf("saved %s\n", options_.dump->c_str());
            } catch (const std::exception& e) {
                std::fprintf(stderr, "t604-cli emulate: %s\n", e.what());
            }
        }
        std::fflush(stdout);
    }

    void sendOutput(Clock::time_point now) {
        while (!output_.empty()) {
            std::size_t count = output_.size();
            if (options_.pace) {
                if (now < outputFreeAt_ + kByteTime) return;
                count = 1;
            }
            std::vector<std::uint8_t> chunk(output_.begin(), output_.begin() + static_cast<long>(count));
            ssize_t n = ::write(master_, chunk.data(), chunk.size());
            outputBlocked_ = n <= 0;  // the client's queue is full: wait until it is writable
            if (outputBlocked_) return;
            output_.erase(output_.begin(), output_.begin() + n);
            outputFreeAt_ += kByteTime * n;
        }
    }

    void waitForWork(Clock::time_point now) {
        std::optional<Clock::time_point> due;
        auto consider = [&](Clock::time_point t) { due = due ? std::min(*due, t) : t; };
        if (inputArrival_) consider(*inputArrival_);
        if (!output_.empty() && options_.pace && !outputBlocked_) consider(outputFreeAt_ + kByteTime);
        if (radio_.receiving()) consider(lastInput_ + kInterByteTimeout);

        pollfd p{master_, 0, 0};
        if (!inputArrival_) p.events |= POLLIN;
        if (!output_.empty() && (outputBlocked_ || !options_.pace)) p.events |= POLLOUT;

        timespec timeout{};
        timespec* timeoutPtr = nullptr;
        if (due) {
            auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(*due - now);
            if (left.count() < 0) left = std::chrono::nanoseconds(0);
            timeout.tv_sec = static_cast<time_t>(left.count() / 1'000'000'000);
            timeout.tv_nsec = static_cast<long>(left.count() % 1'000'000'000);
            timeoutPtr = &timeout;
        }
        sigset_t unblocked;
        sigemptyset(&unblocked);
        // SIGINT and SIGTERM are blocked except while waiting here, so that
        // a stop request can never slip in between the check and the wait.
        int ready = ::ppoll(&p, 1, timeoutPtr, &unblocked);
        if (ready > 0 && (p.revents & POLLIN) && options_.pace && !inputArrival_)
            inputArrival_ = Clock::now() + kByteTime;
        if (ready > 0 && (p.revents & (POLLHUP | POLLERR)) && !(p.revents & POLLIN))
            ::usleep(10'000);  // nothing to do until the line comes back
    }

    VirtualRadio& radio_;
    int master_;
    EmulateOptions options_;
    std::deque<std::uint8_t> output_;
    Clock::time_point outputFreeAt_{};
    bool outputBlocked_ = false;
    std::optional<Clock::time_point> inputArrival_;
    Clock::time_point lastInput_{};
};

void BlockStopSignals() {
    struct sigaction action{};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGINT);
    sigaddset(&stop, SIGTERM);
    ::sigprocmask(SIG_BLOCK, &stop, nullptr);
}

int RunEmulate(const std::vector<std::string>& argv) {
    Args args(argv, {"--pace", "--faulty-synth"},
              {"--variant", "--link", "--image", "--dump", "--password", "--fault", "--chip-status"});
    args.expectPositional(0, "");

    VirtualRadio radio(ParseVariant(args.value("--variant").value_or("a")));
    for (const std::string& spec : args.values("--fault")) {
        try {
            radio.addFault(ParseRadioFault(spec));
        } catch (const std::invalid_argument& e) {
            throw UsageError{std::string("--fault: ") + e.what()};
        }
    }
    if (auto hex = args.value("--chip-status")) radio.setChipStatus(ParseChipStatus(*hex));
    if (auto image = args.value("--image"); image && !LoadImage(*image, radio.memory()))
        return kExitFileError;
    if (auto password = args.value("--password")) {
        // Coded as the programming software sends it: GBK.
        auto block = EncodeTextBlock(RadioText("--password", *password));
        std::copy(block.begin(), block.end(), radio.memory().begin() + kPasswordBlock.first);
    }
    if (args.has("--faulty-synth"))
        std::ranges::copy(kSynthFaultPattern, radio.memory().begin() + kRepairBytes.first);

    BlockStopSignals();
    try {
        PseudoTerminal pty;
        std::optional<DeviceLink> link;
        std::string linkPath = args.value("--link").value_or("");
        if (!linkPath.empty()) link.emplace(linkPath, pty.slavePath());
        std::printf("ready variant=%s device=%s link=%s\n", VariantName(radio.variant()),
                    pty.slavePath().c_str(), linkPath.empty() ? "-" : linkPath.c_str());
        std::fflush(stdout);
        RadioServer(radio, pty.master(), EmulateOptions{args.has("--pace"), args.value("--dump")}).run();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "t604-cli emulate: %s\n", e.what());
        return kExitFileError;
    }
    return kExitOk;
}

const CommandRegistration kEmulate{{"emulate", "run a virtual radio on a pseudo-terminal", kUsage, RunEmulate}};

}  // namespace

}  // namespace t604::cli
