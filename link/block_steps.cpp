#include "link/block_steps.h"

#include <algorithm>

#include "link/radio_image.h"

namespace t604 {

namespace {

// Moves StepIndex to the next wanted step at or after index `next` (0-based)
// and prepares it; false when none is left.
bool EnterStep(ProgramRun& run, const BlockStepPlan& plan, std::size_t next) {
    while (next < plan.steps.size() && plan.steps[next].wanted && !plan.steps[next].wanted()) ++next;
    run.StepIndex = static_cast<int>(next + 1);
    if (next == plan.steps.size()) return false;
    const BlockStep& step = plan.steps[next];
    run.BlockOffset = step.area.first - plan.imageBase;
    run.StepReads = step.reads;
    if (step.before) step.before(run);
    return true;
}

}  // namespace

void RunBlockSteps(ProgramRun& run, const BlockStepPlan& plan) {
    if (run.StepIndex == 0) {
        run.ProgressStep = plan.progressStep;
        if (!EnterStep(run, plan, 0)) return plan.finish(run);
    }
    while (run.StepIndex >= 1 && static_cast<std::size_t>(run.StepIndex) <= plan.steps.size()) {
        const BlockStep& step = plan.steps[static_cast<std::size_t>(run.StepIndex - 1)];
        const int end = step.area.end() - plan.imageBase;
        if (run.BlockOffset < end) {
            const auto address = static_cast<std::uint16_t>(plan.imageBase + run.BlockOffset);
            const auto length = static_cast<std::uint8_t>(std::min<int>(kBlockSize, end - run.BlockOffset));
            if (step.reads)
                run.ReadData(address, length);
            else
                run.WriteData(address, length, RadioImage.data() + run.BlockOffset);
            return;
        }
        if (!EnterStep(run, plan, static_cast<std::size_t>(run.StepIndex))) return plan.finish(run);
    }
}

}  // namespace t604
