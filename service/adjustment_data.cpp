#include "service/adjustment_data.h"

namespace t604 {

void ResetAdjustmentData() {}

}  // namespace t604
