#pragma once
// Step functions of operation 0: the main read and write of the radio's
// configuration, for current and for old-format radios.

#include "link/program_run.h"

namespace t604 {

// Settings area, then channel area; the record changes only once the user
// has confirmed "SUCCESS".
void Read(ProgramRun& run);
// Calibration block read, conversion, settings and channel areas written,
// and the password block when WriteWithNewPD is set.
void Write(ProgramRun& run);
void Read_old(ProgramRun& run);
void Write_old(ProgramRun& run);

// Pieces of the write plan that the service writes share.
// The calibration block read into image 496-639 and the record into the image.
void PrepareWrite(ProgramRun& run);
// Whether the password block goes along (WriteWithNewPD).
bool NewPasswordWanted();
// Progress 100 and WriteEnding.
void FinishWrite(ProgramRun& run);

}  // namespace t604
