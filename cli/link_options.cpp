#include "cli/link_options.h"

#include <unistd.h>

#include <cstdio>
#include <map>

#include "link/end_message.h"
#include "link/posix_serial_port.h"
#include "link/run_loop.h"
#include "link/text_block.h"
#include "model/program_state.h"
#include "strings/dialog_strings.h"
#include "strings/gbk.h"

namespace t604::cli {

namespace {

// "\r[#####     ] 50%" on a terminal; nothing when neither output is one.
class ProgressDisplay {
public:
    ProgressDisplay() : out_(isatty(STDOUT_FILENO) ? stdout : isatty(STDERR_FILENO) ? stderr : nullptr) {}
    void show(int percent) {
        if (!out_) return;
        const int filled = percent / 10;
        std::fprintf(out_, "\r[%.*s%*s] %3d%%", filled, "##########", 10 - filled, "", percent);
        std::fflush(out_);
        shown_ = true;
    }
    void finish(Outcome outcome) {
        if (!out_ || !shown_) return;
        if (outcome == Outcome::Success) show(100);
        std::fputc('\n', out_);
        std::fflush(out_);
    }

private:
    std::FILE* out_;
    bool shown_ = false;
};


}  // namespace

std::string RadioText(std::string_view option, const std::string& utf8) {
    std::optional<std::string> gbk = Utf8ToGbk(utf8);
    if (!gbk) throw UsageError{std::string(option) + ": the radio cannot keep these characters"};
    if (gbk->size() > kTextBlockMaxText)
        throw UsageError{std::string(option) + ": at most 12 bytes (a Chinese character takes two)"};
    return *gbk;
}

LinkOptions ReadLinkOptions(const Args& args) {
    LinkOptions options;
    const auto device = args.value("--device");
    if (!device) throw UsageError{"missing --device (the cable's serial device, or 'auto')"};
    if (device->empty()) throw UsageError{"--device wants a device path or 'auto'"};
    if (*device != "auto") options.device = *device;
    if (auto password = args.value("--password")) options.password = RadioText("--password", *password);
    return options;
}

Outcome RunOnRadio(const LinkOptions& options, int operationCode, bool readFromRadio,
                   const std::function<void()>& report) {
    std::unique_ptr<PortSystem> ports;
    PortSettings settings;
    if (options.device) {
        ports = std::make_unique<SingleDevicePortSystem>(*options.device);
        settings = {1, false};
    } else {
        ports = std::make_unique<PosixPortSystem>();
        settings = {1, true};
    }

    const std::string recordPassword = softwareData.text(sd::Password);
    if (options.password) softwareData.setText(sd::Password, *options.password);
    ProgramRun run(*ports, operationCode, readFromRadio, settings);
    ProgressDisplay progress;
    const Outcome outcome = DriveProgramRun(run, [&](int percent) { progress.show(percent); });
    softwareData.setText(sd::Password, recordPassword);
    progress.finish(outcome);

    if (outcome == Outcome::CommunicationFalse && !run.lastPortError().reason.empty())
        std::fprintf(stderr, "%s: %s\n", run.lastPortError().device.c_str(), run.lastPortError().reason.c_str());
    run.confirmOutcome();
    if (outcome == Outcome::Success && report) report();
    const std::string_view message = FetchText(ProgramDialogStrings, EndMessageRow(outcome), TextMode::English);
    std::fprintf(stdout, "%.*s\n", static_cast<int>(message.size()), message.data());
    std::fflush(stdout);
    return outcome;
}

int ExitCodeFor(Outcome outcome) {
    switch (outcome) {
        case Outcome::Success: return kExitOk;
        case Outcome::PasswordError: return kExitPasswordError;
        case Outcome::OldVersion: return kExitOldVersion;
        default: return kExitCommunicationFalse;
    }
}

}  // namespace t604::cli
