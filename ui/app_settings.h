#pragma once
// The program's own settings, remembered in "_config.ini" between runs. The
// current band (CurrentBandMin/Max) lives with the record in
// model/program_state.h; everything else the settings file holds is here.

#include <array>
#include <cstdint>
#include <map>
#include <string>

namespace t604 {

struct BandRange {
    std::uint32_t min = 0;
    std::uint32_t max = 0;
    friend bool operator==(const BandRange&, const BandRange&) = default;
};

inline constexpr std::array<BandRange, 6> DefaultBandTable{{
    {136'000'000, 174'000'000},
    {400'000'000, 490'000'000},
    {245'000'000, 246'000'000},
    {400'000'000, 480'000'000},
    {450'000'000, 520'000'000},
    {470'000'000, 520'000'000},
}};

inline constexpr int kChannelGridRows = 100;     // header row and channels 1..99
inline constexpr int kChannelGridColumns = 9;
inline constexpr int kAddrBookGridRows = 17;     // header row and entries 1..16
inline constexpr int kAddrBookGridColumns = 3;

struct AppSettings {
    int Port = 1;                 // COM1..COM9, used when the automatic search is off
    int LanguageIndex = 1;        // 0 English, 1 Simplified, 2 Traditional, other: system language
    bool AutoSeachPort = true;
    std::array<int, kChannelGridRows> ChSG_Row{};
    std::array<int, kChannelGridColumns> ChSG_Col{};
    std::array<int, kAddrBookGridRows> DtmfAbSG_Row{};
    std::array<int, kAddrBookGridColumns> DtmfAbSG_Col{};
    std::array<BandRange, 6> BandTable{};
    int BandSelete = 4;           // index into BandTable of the current band
    // Devices standing for COMn on this system, from the optional [ports]
    // section; ports not named there use the port layer's default device.
    std::map<int, std::string> portDevices;
};

// The program-wide settings, one instance from start-up to exit.
inline AppSettings appSettings;

}  // namespace t604
