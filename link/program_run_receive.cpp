// The receive poll of the programming run: what it accepts in each state.

#include <algorithm>

#include "link/link_frames.h"
#include "link/memory_map.h"
#include "link/port_selection.h"
#include "link/program_run.h"
#include "link/radio_image.h"
#include "link/text_block.h"

namespace t604 {

using namespace frames;

void ProgramRun::receivePoll() {
    const std::size_t waiting = port_->bytesWaiting();
    if (RxCount + waiting > kRxBufferSize) {
        // More than the buffer holds: garbage. Drop it unread and wait for the
        // re-send, which starts the buffer afresh; polling keeps its pace.
        port_->purge(kPurgeInput);
        return;
    }
    if (waiting > 0) RxCount += port_->read(std::span(RxBuffer.data() + RxCount, waiting));

    Verdict verdict = Verdict::Wait;
    switch (LinkState) {
        case 0: verdict = OperationCode == kOpChipStatus ? judgeChipStatus() : judgeHandshake(); break;
        case 1: verdict = judgeIdent(); break;
        case 2: verdict = judgeIdentAck(); break;
        case 3: verdict = judgeIdentityBlock(); break;
        case 4: verdict = judgeTransfer(); break;
        case 5: verdict = judgeOldReadAck(); break;
    }
    if (verdict == Verdict::Failed) Timer_TimeOutTrigger();
    if (verdict != Verdict::Dropped && running()) arm(TimerId::Rx, kRxInterval);
}

void ProgramRun::advance() {
    arm(TimerId::TimeOut, kWatchdogInterval);
    sendStep();
    RxCount = 0;
}

ProgramRun::Verdict ProgramRun::judgeHandshake() {
    if (RxCount < 1) return Verdict::Wait;
    switch (RxBuffer[0]) {
        case kVariantAReply:
        case kVariantBReply:
            OldRadio = false;
            VariantB = RxBuffer[0] == kVariantBReply;
            LinkState = 3;
            break;
        case kOldRadioReply:
            OldRadio = true;
            LinkState = 1;
            if (OperationCode != kOpConfig) {
                endWith(Outcome::OldVersion);
                return Verdict::Accepted;
            }
            break;
        default:
            if (!settings_.AutoSeachPort) return Verdict::Failed;
            moveSearchOnAfterWrongHandshake();
            return Verdict::Accepted;
    }
    StepIndex = 0;
    BlockOffset = 0;
    setProgress(progress_ + 1);
    advance();
    return Verdict::Accepted;
}

// Whatever answered on this port is not our radio: try the next port.
void ProgramRun::moveSearchOnAfterWrongHandshake() {
    ++SearchIndex;
    arm(TimerId::TimeOut, kWatchdogInterval);  // every port gets its full time
    if (SearchIndex >= FoundPorts.count) {
        Timer_TimeOutTrigger();
        return;
    }
    if (ComInit_AutoSeach()) sendStep();
}

ProgramRun::Verdict ProgramRun::judgeChipStatus() {
    if (RxCount < 2) return Verdict::Wait;
    if (!std::equal(std::begin(kChipStatusHeader), std::end(kChipStatusHeader), RxBuffer.begin())) {
        RxCount = 0;  // not a status reply: ignored until the time-out
        return Verdict::Dropped;
    }
    if (RxCount < kChipStatusReplySize) return Verdict::Wait;
    std::copy_n(RxBuffer.begin() + sizeof kChipStatusHeader, kChipStatusReplySize - sizeof kChipStatusHeader,
                RadioImage.begin());
    StepIndex = 2;
    advance();  // the status step function ends the run
    return Verdict::Accepted;
}

ProgramRun::Verdict ProgramRun::judgeIdent() {
    if (RxCount < sizeof kIdent) return Verdict::Wait;
    if (!std::equal(std::begin(kIdent), std::end(kIdent), RxBuffer.begin())) return Verdict::Failed;
    StepIndex = 0;
    BlockOffset = 0;
    LinkState = 2;
    advance();
    return Verdict::Accepted;
}

ProgramRun::Verdict ProgramRun::judgeIdentAck() {
    if (RxCount < 1) return Verdict::Wait;
    if (RxBuffer[0] != kAck) return Verdict::Failed;
    setProgress(2);
    StepIndex = 0;
    BlockOffset = 0;
    LinkState = 4;
    advance();
    return Verdict::Accepted;
}

ProgramRun::Verdict ProgramRun::judgeIdentityBlock() {
    if (RxCount < kReplyHeaderSize + 16) return Verdict::Wait;
    if (RxBuffer[0] != kReadReply) return Verdict::Failed;
    storeReadReply();
    BlockOffset += 16;
    if (BlockOffset < kCustomerBlock.end() - kPasswordBlock.first)
        advance();
    else
        finishIdentityArea();
    return Verdict::Accepted;
}

void ProgramRun::finishIdentityArea() {
    if (OperationCode == kOpCustomerRead) {
        std::fill_n(CustomerInfoBuffer.begin(), 64, std::uint8_t{0});
        std::copy_n(RadioImage.begin() + 16, 16, CustomerInfoBuffer.begin() + 16);
        setProgress(100);
        WriteEnding();
        return;
    }
    std::uint8_t passwordBlock[kTextBlockSize];
    std::copy_n(RadioImage.begin(), kTextBlockSize, passwordBlock);
    const bool checked = OperationCode != kOpCustomerWrite && OperationCode != kOpRepair;
    if (checked && !CheckRadioPassword(passwordBlock)) {
        Agr_PasswordError();
        return;
    }
    StepIndex = 0;
    BlockOffset = 0;
    ProgressBytes = 0;
    StepReads = ReadFromRadio;
    LinkState = 4;
    advance();
}

ProgramRun::Verdict ProgramRun::judgeTransfer() {
    if (RxCount == 0 || RxCount != ExpectedReplyLength) return Verdict::Wait;
    if (RxBuffer[0] != (StepReads ? kReadReply : kAck)) return Verdict::Failed;
    if (StepReads) storeReadReply();
    BlockOffset += 16;
    ProgressBytes += 16;
    if (StepReads && OldRadio) LinkState = 5;
    advance();
    return Verdict::Accepted;
}

ProgramRun::Verdict ProgramRun::judgeOldReadAck() {
    if (!StepReads || RxCount != 1) return Verdict::Wait;
    if (RxBuffer[0] != kAck) return Verdict::Failed;
    LinkState = 4;
    advance();
    return Verdict::Accepted;
}

// The data of a read reply go to the image at BlockOffset: as many as its
// length byte says, but never more than arrived, than the block's slot holds,
// or than the image has room for.
void ProgramRun::storeReadReply() {
    if (RxCount < kReplyHeaderSize || BlockOffset < 0) return;
    const auto offset = static_cast<std::size_t>(BlockOffset);
    if (offset >= RadioImage.size()) return;
    const std::size_t n = std::min({static_cast<std::size_t>(RxBuffer[3]), RxCount - kReplyHeaderSize,
                                    kBlockSize, RadioImage.size() - offset});
    std::copy_n(RxBuffer.begin() + kReplyHeaderSize, n, RadioImage.begin() + offset);
}

}  // namespace t604
