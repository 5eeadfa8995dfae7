#include "link/config_steps.h"

#include "link/block_steps.h"
#include "link/memory_map.h"
#include "link/old_format_map.h"
#include "model/program_state.h"

namespace t604 {

void PrepareWrite(ProgramRun& run) {
    AnalyseTmpAdjustmentData();
    GetDataForWrite(run.VariantB);
}

bool NewPasswordWanted() { return softwareData.get(sd::WriteWithNewPD) != 0; }

void FinishWrite(ProgramRun& run) {
    run.setProgress(100);
    run.WriteEnding();
}

namespace {

constexpr std::uint16_t kReadProgressStep = 227;
constexpr std::uint16_t kWriteProgressStep = 241;
constexpr std::uint16_t kOldFormatProgressStep = 49;

void PrepareWriteOld(ProgramRun&) { GetDataForWrite_old(); }

void FinishRead(ProgramRun& run) {
    run.setProgress(100);
    run.WriteEnding([variantB = run.VariantB] { SetDataToSoftware(variantB); });
}

void FinishReadOld(ProgramRun& run) {
    run.setProgress(100);
    run.WriteEnding(SetDataToSoftware_old);
}

constexpr BlockStep kReadSteps[] = {
    {kSettingsArea, true},
    {kChannelArea, true},
};
constexpr BlockStep kWriteSteps[] = {
    {kCalibrationArea, true},
    {kSettingsArea, false, PrepareWrite},
    {kChannelArea, false},
    {kPasswordBlock, false, nullptr, NewPasswordWanted},
};
constexpr BlockStep kReadOldSteps[] = {{kOldFormatArea, true}};
constexpr BlockStep kWriteOldSteps[] = {{kOldFormatArea, false, PrepareWriteOld}};

}  // namespace

void Read(ProgramRun& run) {
    RunBlockSteps(run, {kReadProgressStep, kImageBase, kReadSteps, FinishRead});
}

void Write(ProgramRun& run) {
    RunBlockSteps(run, {kWriteProgressStep, kImageBase, kWriteSteps, FinishWrite});
}

void Read_old(ProgramRun& run) {
    RunBlockSteps(run, {kOldFormatProgressStep, 0, kReadOldSteps, FinishReadOld});
}

void Write_old(ProgramRun& run) {
    RunBlockSteps(run, {kOldFormatProgressStep, 0, kWriteOldSteps, FinishWrite});
}

}  // namespace t604
