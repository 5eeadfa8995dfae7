#pragma once
// Step functions of the service operations: the calibration read and write,
// the calibration written together with the settings, the chip status read,
// the password and customer-text writes, and the synthesiser repair. Records
// change only once the user has confirmed "SUCCESS".

#include <array>
#include <cstdint>

#include "link/program_run.h"

namespace t604 {

// Operation 1, write: the calibration block, then the channel slots read
// back with their calibration bytes recomputed and written again.
void AdjustmentWrite(ProgramRun& run);
// Operation 1, read: the calibration block into adjustmentData.
void AdjustmentRead(ProgramRun& run);
// Operation 14: the calibration block, read back, then the settings area
// (and the password block when WriteWithNewPD is set); channels untouched.
void AllWrite(ProgramRun& run);
// Operation 7: the chip status request 0x59 0x52, without handshake and
// without end byte; the status reaches adjustmentData.
void Read1846Status(ProgramRun& run);
// Operation 5: NewPassword coded into the password block at 0x41D0.
void PasswordWrite(ProgramRun& run);
// Operation 11: the customer text of CustomerInfoBuffer (bytes 64-127) coded
// into the customer block at 0x41E0.
void SetCustomWrite(ProgramRun& run);
// Operation 15: the six bytes at 0x8D95, corrected when they hold the
// synthesiser fault.
void ProBugRestore(ProgramRun& run);

// Slot bytes 16-18 of every channel whose bit is set in the bitmap at image
// 0-31, recomputed from CalibrationTable and the slot's own frequencies,
// power and bandwidth.
void ReAnalyseChInfor(bool variantB);

// The bytes at 0x8D95 of a radio with the fault, and what the repair puts in.
inline constexpr std::array<std::uint8_t, 6> kSynthFaultPattern{0x11, 0x3D, 0x37, 0x12, 0x01, 0x00};
inline constexpr std::array<std::uint8_t, 3> kSynthCorrection{0x12, 0x01, 0x00};
// Whether the last repair run found the fault and wrote the correction.
inline bool RepairCorrectionWritten = false;

}  // namespace t604
