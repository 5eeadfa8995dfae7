#pragma once
// Step functions that move whole areas in 16-byte blocks, described as a list
// of steps. Each step reads or writes one area in ascending address order (an
// area shorter than a block goes as one shorter request) and may run a
// conversion before its first block; the last step ends the run.

#include <cstdint>
#include <span>

#include "link/memory_map.h"
#include "link/program_run.h"

namespace t604 {

struct BlockStep {
    RadioArea area;
    bool reads;
    void (*before)(ProgramRun&) = nullptr;  // runs as the step begins
    bool (*wanted)() = nullptr;             // a step that is not wanted is skipped
};

struct BlockStepPlan {
    std::uint16_t progressStep;
    std::uint16_t imageBase;  // radio address of image offset 0
    std::span<const BlockStep> steps;
    void (*finish)(ProgramRun&);  // after the last block: progress 100, WriteEnding ...
};

// One call of the step-function contract: StepIndex 0 starts the plan,
// StepIndex k (1-based) runs steps[k - 1]; BlockOffset is the image offset of
// the next block, so that read replies land at the block's image offset.
void RunBlockSteps(ProgramRun& run, const BlockStepPlan& plan);

}  // namespace t604
