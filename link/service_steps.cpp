#include "link/service_steps.h"

#include <algorithm>
#include <string>

#include "link/block_steps.h"
#include "link/calibration_block.h"
#include "link/config_steps.h"
#include "link/link_frames.h"
#include "link/memory_map.h"
#include "link/radio_image.h"
#include "link/text_block.h"
#include "model/program_state.h"

namespace t604 {

namespace {

// Bytes per tenth of the progress bar: about ten tenths per operation.
constexpr std::uint16_t kAdjustmentWriteProgressStep = 394;
constexpr std::uint16_t kAdjustmentReadProgressStep = 13;
constexpr std::uint16_t kAllWriteProgressStep = 64;
constexpr std::uint16_t kSingleBlockProgressStep = 10;

constexpr RadioArea kChannelBitmapArea{0x4000, 0x20};  // 2 blocks
static_assert(frames::kChipStatusReplySize == sizeof frames::kChipStatusHeader + kChipStatusBytes);
// The customer text waiting to be written: CustomerInfoBuffer bytes 64-127.
constexpr std::size_t kCustomerTextOffset = 64;

// The calibration record into the block, and the block into the image at
// the place of 0x41F0, where the write takes its data from.
void PrepareCalibrationWrite(ProgramRun& run) {
    GetAdjustmentData(run.VariantB);
    std::ranges::copy(CalibrationBlock, RadioImage.begin() + ImageOffset(kCalibrationArea.first));
}

void RecomputeChannels(ProgramRun& run) { ReAnalyseChInfor(run.VariantB); }

void FinishAdjustmentRead(ProgramRun& run) {
    std::array<std::uint8_t, kCalibrationBlockSize> block;
    std::copy_n(RadioImage.begin(), block.size(), block.begin());
    run.setProgress(100);
    run.WriteEnding([block, variantB = run.VariantB] { SetAdjustmentData(block, variantB); });
}

// The single text blocks are written from image 0-15 (their plans start the
// image at the block's address).
void PreparePasswordBlock(ProgramRun&) {
    std::ranges::copy(EncodeTextBlock(softwareData.text(sd::NewPassword)), RadioImage.begin());
}

void PrepareCustomerBlock(ProgramRun&) {
    const auto text = CustomerInfoBuffer.begin() + kCustomerTextOffset;
    const std::string customerText(text, std::find(text, CustomerInfoBuffer.end(), std::uint8_t{0}));
    std::ranges::copy(EncodeTextBlock(customerText), RadioImage.begin());
}

constexpr BlockStep kAdjustmentWriteSteps[] = {
    {kCalibrationArea, false, PrepareCalibrationWrite},
    {kChannelBitmapArea, true},
    {kChannelArea, true},
    {kChannelArea, false, RecomputeChannels},
};
constexpr BlockStep kAdjustmentReadSteps[] = {{kCalibrationArea, true}};
constexpr BlockStep kAllWriteSteps[] = {
    {kCalibrationArea, false, PrepareCalibrationWrite},
    {kCalibrationArea, true},  // read back into image 496-639
    {kSettingsArea, false, PrepareWrite},
    {kPasswordBlock, false, nullptr, NewPasswordWanted},
};

void PrepareRepair(ProgramRun&) { RepairCorrectionWritten = false; }

bool SynthFaultFound() {
    return std::ranges::equal(kSynthFaultPattern,
                              std::span(RadioImage).subspan(ImageOffset(kRepairBytes.first), kRepairBytes.size));
}

void PutSynthCorrection(ProgramRun&) {
    std::ranges::copy(kSynthCorrection, RadioImage.begin() + ImageOffset(kRepairBytes.first));
}

void FinishRepair(ProgramRun& run) {
    // The write step is skipped on a radio without the fault, so the step
    // that ended the plan still reads.
    RepairCorrectionWritten = !run.StepReads;
    FinishWrite(run);
}

constexpr BlockStep kPasswordWriteSteps[] = {{kPasswordBlock, false, PreparePasswordBlock}};
constexpr BlockStep kCustomerWriteSteps[] = {{kCustomerBlock, false, PrepareCustomerBlock}};
// The six bytes read in one request, and written back corrected only when
// they hold the synthesiser fault.
constexpr BlockStep kRepairSteps[] = {
    {kRepairBytes, true, PrepareRepair},
    {kRepairBytes, false, PutSynthCorrection, SynthFaultFound},
};

}  // namespace

void AdjustmentWrite(ProgramRun& run) {
    RunBlockSteps(run, {kAdjustmentWriteProgressStep, kImageBase, kAdjustmentWriteSteps, FinishWrite});
}

void AdjustmentRead(ProgramRun& run) {
    // The block lands at image 0-143.
    RunBlockSteps(run, {kAdjustmentReadProgressStep, kCalibrationArea.first, kAdjustmentReadSteps,
                        FinishAdjustmentRead});
}

void AllWrite(ProgramRun& run) {
    RunBlockSteps(run, {kAllWriteProgressStep, kImageBase, kAllWriteSteps, FinishWrite});
}

void PasswordWrite(ProgramRun& run) {
    RunBlockSteps(run, {kSingleBlockProgressStep, kPasswordBlock.first, kPasswordWriteSteps, FinishWrite});
}

void SetCustomWrite(ProgramRun& run) {
    RunBlockSteps(run, {kSingleBlockProgressStep, kCustomerBlock.first, kCustomerWriteSteps, FinishWrite});
}

// StepIndex 1 sends the request (again at every re-send); the receive poll
// puts the 11 status bytes at image 0-10 and sets StepIndex 2.
void Read1846Status(ProgramRun& run) {
    if (run.StepIndex == 0) {
        run.StepReads = true;
        run.ProgressStep = kSingleBlockProgressStep;
        run.StepIndex = 1;
    }
    if (run.StepIndex == 1) {
        run.ExpectedReplyLength = frames::kChipStatusReplySize;
        run.Send(frames::kChipStatusRequest);
        return;
    }
    std::array<std::uint8_t, kChipStatusBytes> status;
    std::copy_n(RadioImage.begin(), status.size(), status.begin());
    run.setProgress(100);
    run.EndWithoutEndByte([status] { Set1846StatucData(status); });
}

void ProBugRestore(ProgramRun& run) {
    RunBlockSteps(run, {kSingleBlockProgressStep, kImageBase, kRepairSteps, FinishRepair});
}

void ReAnalyseChInfor(bool variantB) {
    const std::uint8_t* bitmap = RadioImage.data() + radio::ChannelBitmap.offset;
    for (int n = 1; n <= kChannelCount; ++n)
        if ((bitmap[n / 8] >> (n % 8)) & 1) RecomputeSlotCalibration(RadioImageSlot(n), variantB);
}

}  // namespace t604
