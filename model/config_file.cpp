#include "model/config_file.h"

#include "model/program_state.h"

namespace t604 {

FileResult SaveConfigFile(const std::string& path) {
    softwareData.set(sd::BandMax, CurrentBandMax);
    softwareData.set(sd::BandMin, CurrentBandMin);
    return WriteFileReplacing(path, softwareData.bytes);
}

FileResult LoadConfigFile(const std::string& path) {
    FileResult result = ReadFilePrefix(path, softwareData.bytes);
    if (!result) return result;
    std::uint32_t max = softwareData.get(sd::BandMax);
    std::uint32_t min = softwareData.get(sd::BandMin);
    // A band of 0..0 would limit every edited frequency to 0 and reach the
    // radio on the next write; such files come from older programs.
    if (min != 0 || max != 0) {
        CurrentBandMax = max;
        CurrentBandMin = min;
    }
    return result;
}

}  // namespace t604
