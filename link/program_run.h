#pragma once
// One programming run: the state machine behind the programming dialog.
// It has no clock and no I/O of its own: it keeps its three timers as data,
// talks to the port through the port layer, and is driven by its caller
// (QTimers in the dialog, a poll() loop in the command line, a fake clock in
// the tests), which calls onTimer() for each timer that falls due.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>

#include "link/serial_port.h"

namespace t604 {

enum class TimerId { Tx, Rx, TimeOut };

struct LinkTimer {
    Millis interval = 0;
    bool enabled = false;
    Millis due = 0;  // when enabled: the time it fires next
};

// How a run ended. Running until then.
enum class Outcome {
    NotStarted,
    Running,
    Success,              // "SUCCESS"
    CommunicationFalse,   // "Communication False"
    PasswordError,        // "Password Error"
    OldVersion,           // "Device is old version"
    Closed,               // the user closed the dialog: no message
};

// Operation codes, set by the caller together with the direction.
enum OperationCode : int {
    kOpConfig = 0,
    kOpAdjustment = 1,
    kOpSerialNumber = 4,
    kOpPasswordWrite = 5,
    kOpChipStatus = 7,
    kOpCustomerRead = 8,
    kOpCustomerWrite = 11,
    kOpAllWrite = 14,
    kOpRepair = 15,
};

class ProgramRun;
// A step function (Read, Write, AdjustmentWrite, ...): called by the send
// step every time state 4 needs a request; keeps its place in StepIndex and
// BlockOffset (see ProgramRun).
using StepFunction = void (*)(ProgramRun&);

// The step function of an operation, or null when state 4 sends nothing.
StepFunction StepFunctionFor(int operationCode, bool readFromRadio, bool oldRadio);

struct PortSettings {
    int Port = 1;               // COMn used when the automatic search is off
    bool AutoSeachPort = true;
};

class ProgramRun {
public:
    // step: the step-function lookup; tests may script their own.
    ProgramRun(PortSystem& ports, int operationCode, bool readFromRadio, PortSettings settings,
               std::function<StepFunction(int, bool, bool)> stepLookup = StepFunctionFor);
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    // The driver's clock, read after each blocking sleep, so that the time
    // the port work around it took is counted too (without one, a sleep
    // advances the run's time by exactly its length).
    void useClock(std::function<Millis()> clock) { clock_ = std::move(clock); }
    // The Start button (ProgramStartClick).
    void start(Millis now);
    // A due timer: Tx runs the send step, Rx the receive poll, TimeOut the
    // watchdog. The receive poll may also be run early, as soon as the port
    // reports waiting bytes; what it accepts stays the same.
    void onTimer(TimerId id, Millis now);
    // The dialog window closed (FormClose): Agr_Close, silently.
    void close();
    // The user confirmed the end message: runs what waits for it (the
    // conversion of a successful read into the record).
    void confirmOutcome();

    Outcome outcome() const { return outcome_; }
    bool running() const { return outcome_ == Outcome::Running; }
    int progress() const { return progress_; }
    const LinkTimer& timer(TimerId id) const { return timers_[static_cast<int>(id)]; }
    // The earliest due time of the enabled timers, if any.
    std::optional<Millis> nextDue() const;
    // The timer a driver should fire next at `now`: the enabled one due
    // earliest, ties in the order Rx, TimeOut, Tx (a reply that has arrived
    // is judged before the watchdog gives up, and the watchdog ends the run
    // before another re-send goes out).
    std::optional<TimerId> dueTimer(Millis now) const;
    // The open port's pollable descriptor, or -1.
    int pollHandle() const;
    // Why the last attempt to open a port failed (empty once one opened).
    const PortError& lastPortError() const { return lastPortError_; }

    // --- For the step functions -------------------------------------------
    bool StepReads = false;
    int StepIndex = 0;
    int BlockOffset = 0;
    std::uint16_t ProgressStep = 0;
    std::uint8_t ExpectedReplyLength = 0;
    bool OldRadio = false;
    bool VariantB = false;

    void ReadData(std::uint16_t address, std::uint8_t length);
    void WriteData(std::uint16_t address, std::uint8_t length, const std::uint8_t* data);
    // Sends one frame with one write (the chip status request has no
    // primitive of its own); the caller sets ExpectedReplyLength.
    void Send(std::span<const std::uint8_t> frame);
    void setProgress(int value);
    // Sends the end byte, closes, reports "SUCCESS"; afterConfirm runs once the
    // user has confirmed the message.
    void WriteEnding(std::function<void()> afterConfirm = {});
    // Closes and reports "SUCCESS" without the end byte (chip status read).
    void EndWithoutEndByte(std::function<void()> afterConfirm = {});

private:
    static constexpr std::size_t kRxBufferSize = 255;

    // Port (ComInit, ComInit_AutoSeach).
    bool ComInit(int portNumber);
    bool ComInit_AutoSeach();
    bool openPort(int portNumber);
    // The send step (Timer_TxTimer) and what it sends per state.
    void sendStep();
    void Agr_WriteReq_1();
    void Agr_WriteReq_4();
    void callStepFunction(int operationCode, bool readFromRadio);
    void advanceProgress();
    // The receive poll (Timer_RxTimer) and its judgement per state.
    void receivePoll();
    // Dropped: the bytes were thrown away and the poll returns at once, so
    // the receive timer keeps its interval.
    enum class Verdict { Wait, Accepted, Failed, Dropped };
    Verdict judgeHandshake();
    Verdict judgeChipStatus();
    Verdict judgeIdent();
    Verdict judgeIdentAck();
    Verdict judgeIdentityBlock();
    Verdict judgeTransfer();
    Verdict judgeOldReadAck();
    void moveSearchOnAfterWrongHandshake();
    void finishIdentityArea();
    void storeReadReply();
    void advance();
    // Ends of a run.
    void Agr_Close();
    void Agr_PasswordError();
    void Timer_TimeOutTrigger();
    void endWith(Outcome outcome, std::function<void()> afterConfirm = {});
    // Timers as data.
    LinkTimer& timerRef(TimerId id) { return timers_[static_cast<int>(id)]; }
    void arm(TimerId id, Millis interval);
    void disable(TimerId id) { timerRef(id).enabled = false; }
    void sleep(Millis ms);

    int OperationCode;
    bool ReadFromRadio;
    PortSystem& ports_;
    std::function<StepFunction(int, bool, bool)> stepLookup_;
    PortSettings settings_;
    std::unique_ptr<SerialPort> port_;
    std::array<LinkTimer, 3> timers_{};
    Outcome outcome_ = Outcome::NotStarted;
    int progress_ = 0;
    Millis now_ = 0;
    std::function<Millis()> clock_;
    std::function<void()> afterConfirm_;
    PortError lastPortError_;

    std::uint8_t LinkState = 0;
    int ProgressBytes = 0;
    std::array<std::uint8_t, kRxBufferSize> RxBuffer{};
    std::size_t RxCount = 0;
    int SearchIndex = 0;
    std::uint8_t SearchSendCount = 0;
};

}  // namespace t604
