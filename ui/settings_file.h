#pragma once
// The settings file "_config.ini": its sections, keys and defaults. Plain
// C++ over IniFile; where the file lives is settings_location.h's business.
//
// [config]   Port, Language, AutoSeachPort
// [control]  ChSG_Row0..99, ChSG_Col0..8, DtmfAbSG_Row0..16, DtmfAbSG_Col0..2
// [Band]     band-1 min .. band-6 max, band Selete, band min, band max
// [chs] [cht] [eng]  AppName, Company (written as one blank, never read)
// [ports]    optional, by hand only: COM1=/dev/ttyACM0 ...

#include <array>

#include "ui/app_settings.h"
#include "ui/ini_file.h"

namespace t604 {

inline constexpr std::array<int, kChannelGridColumns> kDefaultChannelColumnWidths{30, 64, 64, 74, 74, 64, 64, 64, 80};
inline constexpr std::array<int, kAddrBookGridColumns> kDefaultAddrBookColumnWidths{30, 70, 130};
inline constexpr int kDefaultRowHeight = 20;

// The settings of a first start: the initial values, the default grid sizes
// and DefaultBandTable.
AppSettings FirstStartSettings();

// Reads an existing file. A missing key takes its default; a missing column
// width keeps the value in settings (0 for a fresh AppSettings).
void ReadSettings(const IniFile& ini, AppSettings& settings, BandRange& currentBand);

// A new file: every key in order, with the default grid sizes and band
// table, and Port, Language, AutoSeachPort, band Selete and the current band
// from the arguments. [ports] is never written.
IniFile NewSettingsFile(const AppSettings& settings, BandRange currentBand);

// The write at exit into an existing file: the six config and band values
// and all 129 grid sizes; every other line stays as it is.
void UpdateSettingsFile(IniFile& ini, const AppSettings& settings, BandRange currentBand);

}  // namespace t604
