#include "link/config_steps.h"
#include "link/program_run.h"

namespace t604 {

namespace {

// The step function of each operation and direction. The service operations
// (codes 1, 5, 7, 11, 14 and 15) add their rows here.
struct OperationSteps {
    int operationCode;
    StepFunction read;
    StepFunction write;
    StepFunction readOld = nullptr;
    StepFunction writeOld = nullptr;
};

constexpr OperationSteps kOperationSteps[] = {
    {kOpConfig, Read, Write, Read_old, Write_old},
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
