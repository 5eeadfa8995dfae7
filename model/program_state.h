#pragma once
// The program-wide state beside the records: one instance each, from start-up
// to exit. The configuration record, the band and the last-programming date
// are shared by the editors, the file commands and the radio link.

#include <cstdint>

#include "model/software_data.h"

namespace t604 {

inline constexpr std::uint32_t kDefaultBandMin = 400'000'000;
inline constexpr std::uint32_t kDefaultBandMax = 480'000'000;

// Date of the last programming as read from the radio.
struct ProgrammingDate {
    std::uint16_t year = 0;
    std::uint8_t month = 0, day = 0, hour = 0, minute = 0;
    friend bool operator==(const ProgrammingDate&, const ProgrammingDate&) = default;
};

inline SoftwareData softwareData;
inline std::uint32_t CurrentBandMin = kDefaultBandMin;
inline std::uint32_t CurrentBandMax = kDefaultBandMax;
inline ProgrammingDate LastWriteTime;

// Record defaults and a zero last-programming date. The band is not touched.
void SetDefaultData();
void SetDefaultDtmfData();
// SetDefaultData, the calibration defaults for the current band, and the
// read half (bytes 0..63) of the customer-information buffer cleared.
void SetDefaultAllData();

}  // namespace t604
