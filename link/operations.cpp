#include "link/config_steps.h"
#include "link/program_run.h"
#include "link/service_steps.h"

namespace t604 {

namespace {

// The step function of each operation and direction; an operation without
// one (serial number, customer read) sends nothing in state 4.
struct OperationSteps {
    int operationCode;
    StepFunction read;
    StepFunction write;
    StepFunction readOld = nullptr;
    StepFunction writeOld = nullptr;
};

constexpr OperationSteps kOperationSteps[] = {
    {kOpConfig, Read, Write, Read_old, Write_old},
    {kOpAdjustment, AdjustmentRead, AdjustmentWrite},
    {kOpPasswordWrite, nullptr, PasswordWrite},
    {kOpChipStatus, Read1846Status, nullptr},
    {kOpCustomerWrite, nullptr, SetCustomWrite},
    {kOpAllWrite, nullptr, AllWrite},
    {kOpRepair, nullptr, ProBugRestore},
};

}  // namespace

StepFunction StepFunctionFor(int operationCode, bool readFromRadio, bool oldRadio) {
    for (const OperationSteps& op : kOperationSteps) {
        if (op.operationCode != operationCode) continue;
        if (oldRadio) return readFromRadio ? op.readOld : op.writeOld;
        return readFromRadio ? op.read : op.write;
    }
    return nullptr;
}

}  // namespace t604
