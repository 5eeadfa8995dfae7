#pragma once
// The command line's driver of a programming run: the real monotonic clock,
// poll() on the port while waiting for the next due timer, and the receive
// poll run early as soon as bytes arrive. It blocks until the run ends.

#include <functional>

#include "link/program_run.h"

namespace t604 {

// Milliseconds of the monotonic clock.
Millis MonotonicMillis();

// Starts the run and drives it to its end; onProgress hears every change of
// the progress bar's value.
Outcome DriveProgramRun(ProgramRun& run, const std::function<void(int progress)>& onProgress = {});

}  // namespace t604
