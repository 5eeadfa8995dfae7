#pragma once
// The calibration record (159 bytes) and its file (*.cvfa).

namespace t604 {

// Zeroes the record, then stores every default; the frequency points come
// from the current band.
void ResetAdjustmentData();

}  // namespace t604
