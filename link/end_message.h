#pragma once
// The message a programming run ends with, as a row of the programming
// dialog's string set. The dialog and the command line show the same texts.

#include "link/program_run.h"
#include "strings/dialog_strings.h"

namespace t604 {

// Closed and NotStarted have no message; they map to "Communication False"
// only so that the row is always valid.
inline ProgramDialogRow EndMessageRow(Outcome outcome) {
    switch (outcome) {
        case Outcome::Success: return kSuccess;
        case Outcome::PasswordError: return kPasswordError;
        case Outcome::OldVersion: return kOldVersion;
        default: return kCommunicationFalse;
    }
}

}  // namespace t604
