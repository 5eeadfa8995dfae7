#pragma once
// For the start-up benchmark (bench/startup_bench.cpp): with the environment
// variable T604_QUIT_WHEN_IDLE set, the program prints "idle" on standard
// output as soon as its main window is shown and the event loop has nothing
// left to do, and quits. Without the variable nothing changes.

inline constexpr char kQuitWhenIdleVariable[] = "T604_QUIT_WHEN_IDLE";

// Call once after the application object exists.
void QuitWhenIdleIfAsked();
