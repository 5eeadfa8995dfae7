#include "link/program_run.h"

#include <algorithm>

#include "link/link_frames.h"
#include "link/memory_map.h"
#include "link/port_selection.h"

namespace t604 {

using namespace frames;

ProgramRun::ProgramRun(PortSystem& ports, int operationCode, bool readFromRadio,
                       PortSettings settings, std::function<StepFunction(int, bool, bool)> stepLookup)
    : OperationCode(operationCode),
      ReadFromRadio(readFromRadio),
      ports_(ports),
      stepLookup_(std::move(stepLookup)),
      settings_(settings) {}

ProgramRun::~ProgramRun() = default;

// --- Start ------------------------------------------------------------------

void ProgramRun::start(Millis now) {
    if (outcome_ != Outcome::NotStarted) return;
    outcome_ = Outcome::Running;
    now_ = now;
    ScanComPorts(ports_);
    if (settings_.AutoSeachPort) {
        SearchIndex = 0;
        if (FoundPorts.count == 0) {
            lastPortError_ = {"COM1..COM9", "no free serial port was found"};
            Timer_TimeOutTrigger();
            return;
        }
        if (!ComInit_AutoSeach()) return;
    } else if (!ComInit(settings_.Port)) {
        return;
    }

    for (auto& t : timers_) t.enabled = false;
    sleep(kStartSleep);
    port_->purge(kPurgeAll);

    RxCount = 0;
    StepIndex = 0;
    BlockOffset = 0;
    ProgressBytes = 0;
    LinkState = 0;

    arm(TimerId::TimeOut, kWatchdogInterval);
    arm(TimerId::Rx, kRxFirstInterval);
    arm(TimerId::Tx, kTxInterval);

    SearchSendCount = 0;
    progress_ = 0;
    VariantB = false;
    sendStep();
}

bool ProgramRun::openPort(int portNumber) {
    OpenResult result = ports_.open(portNumber);
    if (!result.port) {
        lastPortError_ = result.error;
        return false;
    }
    port_ = std::move(result.port);
    lastPortError_ = {};
    port_->purge(kPurgeAll);
    return true;
}

bool ProgramRun::ComInit(int portNumber) {
    if (openPort(portNumber)) return true;
    Timer_TimeOutTrigger();
    return false;
}

bool ProgramRun::ComInit_AutoSeach() {
    port_.reset();
    for (; SearchIndex < FoundPorts.count; ++SearchIndex) {
        if (openPort(FoundPorts.ports[SearchIndex])) {
            sleep(kPortChangeSleep);
            return true;
        }
    }
    Timer_TimeOutTrigger();
    return false;
}

// --- Timers -------------------------------------------------------------------

void ProgramRun::arm(TimerId id, Millis interval) {
    LinkTimer& t = timerRef(id);
    t.interval = interval;
    t.enabled = true;
    t.due = now_ + interval;
}

void ProgramRun::sleep(Millis ms) {
    ports_.sleep(ms);
    now_ = std::max(now_ + ms, clock_ ? clock_() : now_ + ms);
}

std::optional<Millis> ProgramRun::nextDue() const {
    std::optional<Millis> earliest;
    for (const LinkTimer& t : timers_)
        if (t.enabled && (!earliest || t.due < *earliest)) earliest = t.due;
    return earliest;
}

std::optional<TimerId> ProgramRun::dueTimer(Millis now) const {
    std::optional<TimerId> chosen;
    for (TimerId id : {TimerId::Rx, TimerId::TimeOut, TimerId::Tx}) {
        const LinkTimer& t = timer(id);
        if (t.enabled && t.due <= now && (!chosen || t.due < timer(*chosen).due)) chosen = id;
    }
    return chosen;
}

int ProgramRun::pollHandle() const { return port_ ? port_->pollHandle() : -1; }

void ProgramRun::onTimer(TimerId id, Millis now) {
    if (!running() || !timer(id).enabled) return;
    now_ = std::max(now_, now);
    timerRef(id).due = now_ + timer(id).interval;  // a periodic timer fires again
    switch (id) {
        case TimerId::Tx: sendStep(); break;
        case TimerId::Rx: receivePoll(); break;
        case TimerId::TimeOut: Timer_TimeOutTrigger(); break;
    }
}

// --- Send step ------------------------------------------------------------------

void ProgramRun::sendStep() {
    disable(TimerId::Tx);
    disable(TimerId::Rx);
    switch (LinkState) {
        case 0:
            // Once the chip status has arrived, this send only finishes the
            // run: the search must not move on to another port.
            if (settings_.AutoSeachPort && !(OperationCode == kOpChipStatus && StepIndex == 2)) {
                if (SearchSendCount < 2) {
                    ++SearchSendCount;
                } else {
                    SearchSendCount = 0;
                    ++SearchIndex;
                    arm(TimerId::TimeOut, kWatchdogInterval);
                    if (SearchIndex >= FoundPorts.count) {
                        Timer_TimeOutTrigger();
                        return;
                    }
                    if (!ComInit_AutoSeach()) return;
                }
            }
            Agr_WriteReq_1();
            break;
        case 1: Send(std::span(&kIdentRequest, 1)); break;
        case 2: Send(std::span(&kAck, 1)); break;
        case 3: Agr_WriteReq_4(); break;
        case 4: callStepFunction(OperationCode, ReadFromRadio); break;
        case 5: Send(std::span(&kAck, 1)); break;
    }
    if (!running()) return;  // the step function has ended the run
    advanceProgress();
    RxCount = 0;
    arm(TimerId::Tx, kTxInterval);
    arm(TimerId::Rx, kRxFirstInterval);
}

void ProgramRun::Agr_WriteReq_1() {
    port_->purge(kPurgeOutput | kPurgeInput);
    if (OperationCode == kOpChipStatus)
        callStepFunction(kOpChipStatus, true);  // a status read, whatever the direction set
    else
        Send(kHandshake);
}

// The identity area: the password block, then the customer block.
void ProgramRun::Agr_WriteReq_4() {
    ReadData(static_cast<std::uint16_t>(kPasswordBlock.first + BlockOffset), kBlockSize);
}

void ProgramRun::callStepFunction(int operationCode, bool readFromRadio) {
    if (StepFunction step = stepLookup_ ? stepLookup_(operationCode, readFromRadio, OldRadio) : nullptr)
        step(*this);
}

void ProgramRun::advanceProgress() {
    if (ProgressStep == 0) return;
    while (ProgressStep < ProgressBytes) {
        ProgressBytes -= ProgressStep;
        setProgress(progress_ + 10);
    }
}

// --- Primitives for the step functions --------------------------------------------

void ProgramRun::Send(std::span<const std::uint8_t> frame) {
    if (running() && port_) port_->write(frame);
}

void ProgramRun::ReadData(std::uint16_t address, std::uint8_t length) {
    const std::uint8_t frame[] = {kReadCommand, static_cast<std::uint8_t>(address >> 8),
                                  static_cast<std::uint8_t>(address), length};
    ExpectedReplyLength = static_cast<std::uint8_t>(length + kReplyHeaderSize);
    Send(frame);
}

void ProgramRun::WriteData(std::uint16_t address, std::uint8_t length, const std::uint8_t* data) {
    std::uint8_t frame[4 + 255];
    frame[0] = kWriteCommand;
    frame[1] = static_cast<std::uint8_t>(address >> 8);
    frame[2] = static_cast<std::uint8_t>(address);
    frame[3] = length;
    std::copy_n(data, length, frame + 4);
    ExpectedReplyLength = 1;
    Send(std::span(frame, 4u + length));
}

void ProgramRun::setProgress(int value) { progress_ = std::clamp(value, 0, 100); }

// --- Ends of a run ------------------------------------------------------------------

void ProgramRun::Agr_Close() {
    progress_ = 0;
    for (auto& t : timers_) t.enabled = false;
    port_.reset();
}

void ProgramRun::endWith(Outcome outcome, std::function<void()> afterConfirm) {
    Agr_Close();
    outcome_ = outcome;
    afterConfirm_ = std::move(afterConfirm);
}

void ProgramRun::WriteEnding(std::function<void()> afterConfirm) {
    if (!running()) return;
    Send(std::span(&kEndByte, 1));
    endWith(Outcome::Success, std::move(afterConfirm));
}

void ProgramRun::EndWithoutEndByte(std::function<void()> afterConfirm) {
    if (!running()) return;
    endWith(Outcome::Success, std::move(afterConfirm));
}

void ProgramRun::Agr_PasswordError() { endWith(Outcome::PasswordError); }

void ProgramRun::Timer_TimeOutTrigger() { endWith(Outcome::CommunicationFalse); }

void ProgramRun::close() {
    if (outcome_ == Outcome::NotStarted || running()) endWith(Outcome::Closed);
}

void ProgramRun::confirmOutcome() {
    auto pending = std::move(afterConfirm_);
    afterConfirm_ = {};
    if (pending) pending();
}

}  // namespace t604
