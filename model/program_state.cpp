#include "model/program_state.h"

#include <algorithm>

#include "link/radio_image.h"
#include "service/adjustment_data.h"

namespace t604 {

void SetDefaultData() {
    LastWriteTime = {};
    softwareData.setDefaults();
}

void SetDefaultDtmfData() { softwareData.setDefaultDtmf(); }

void SetDefaultAllData() {
    SetDefaultData();
    ResetAdjustmentData();
    std::fill_n(CustomerInfoBuffer.begin(), 64, std::uint8_t{0});
}

}  // namespace t604
