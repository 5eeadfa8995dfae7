#include "ui/settings_file.h"

#include <optional>
#include <span>
#include <string>

#include "model/program_state.h"

namespace t604 {

namespace {

constexpr std::string_view kConfig = "config";
constexpr std::string_view kControl = "control";
constexpr std::string_view kBand = "Band";
constexpr std::string_view kPorts = "ports";
constexpr std::string_view kLanguageSections[] = {"chs", "cht", "eng"};

std::string indexed(std::string_view name, std::size_t i) { return std::string(name) + std::to_string(i); }
std::string bandKey(std::size_t entry, std::string_view edge) {
    return "band-" + std::to_string(entry + 1) + " " + std::string(edge);
}

// The four grid-size arrays under their key names; a missing width keeps
// the array's value, a missing height is 20.
template <class Settings, class Visit>
void forEachGridSize(Settings& s, Visit visit) {
    visit("ChSG_Row", std::span(s.ChSG_Row), std::optional<int>(kDefaultRowHeight));
    visit("ChSG_Col", std::span(s.ChSG_Col), std::optional<int>());
    visit("DtmfAbSG_Row", std::span(s.DtmfAbSG_Row), std::optional<int>(kDefaultRowHeight));
    visit("DtmfAbSG_Col", std::span(s.DtmfAbSG_Col), std::optional<int>());
}

void writeGridSizes(IniFile& ini, const AppSettings& s) {
    forEachGridSize(s, [&](std::string_view name, auto values, std::optional<int>) {
        for (std::size_t i = 0; i < values.size(); ++i) ini.writeInteger(kControl, indexed(name, i), values[i]);
    });
}

void writeConfig(IniFile& ini, const AppSettings& s) {
    ini.writeInteger(kConfig, "Port", s.Port);
    ini.writeInteger(kConfig, "Language", s.LanguageIndex);
    ini.writeBool(kConfig, "AutoSeachPort", s.AutoSeachPort);
}

void writeBandTable(IniFile& ini, const AppSettings& s) {
    for (std::size_t i = 0; i < s.BandTable.size(); ++i) {
        ini.writeInteger(kBand, bandKey(i, "min"), static_cast<int>(s.BandTable[i].min));
        ini.writeInteger(kBand, bandKey(i, "max"), static_cast<int>(s.BandTable[i].max));
    }
}

void writeCurrentBand(IniFile& ini, const AppSettings& s, BandRange band) {
    ini.writeInteger(kBand, "band Selete", s.BandSelete);
    ini.writeInteger(kBand, "band min", static_cast<int>(band.min));
    ini.writeInteger(kBand, "band max", static_cast<int>(band.max));
}

std::map<int, std::string> readPortDevices(const IniFile& ini) {
    std::map<int, std::string> devices;
    for (const auto& [key, value] : ini.sectionEntries(kPorts)) {
        if (key.size() != 4 || value.empty()) continue;
        if ((key[0] != 'C' && key[0] != 'c') || (key[1] != 'O' && key[1] != 'o') ||
            (key[2] != 'M' && key[2] != 'm') || key[3] < '1' || key[3] > '9')
            continue;
        devices.try_emplace(key[3] - '0', value);  // the first line for a port wins
    }
    return devices;
}

}  // namespace

AppSettings FirstStartSettings() {
    AppSettings s;
    s.ChSG_Row.fill(kDefaultRowHeight);
    s.ChSG_Col = kDefaultChannelColumnWidths;
    s.DtmfAbSG_Row.fill(kDefaultRowHeight);
    s.DtmfAbSG_Col = kDefaultAddrBookColumnWidths;
    s.BandTable = DefaultBandTable;
    return s;
}

void ReadSettings(const IniFile& ini, AppSettings& s, BandRange& currentBand) {
    s.Port = ini.readInteger(kConfig, "Port", 1);
    s.LanguageIndex = ini.readInteger(kConfig, "Language", 1);
    s.AutoSeachPort = ini.readBool(kConfig, "AutoSeachPort", true);
    forEachGridSize(s, [&](std::string_view name, auto values, std::optional<int> missing) {
        for (std::size_t i = 0; i < values.size(); ++i)
            values[i] = ini.readInteger(kControl, indexed(name, i), missing.value_or(values[i]));
    });
    for (std::size_t i = 0; i < s.BandTable.size(); ++i) {
        s.BandTable[i].min = static_cast<std::uint32_t>(
            ini.readInteger(kBand, bandKey(i, "min"), static_cast<int>(DefaultBandTable[i].min)));
        s.BandTable[i].max = static_cast<std::uint32_t>(
            ini.readInteger(kBand, bandKey(i, "max"), static_cast<int>(DefaultBandTable[i].max)));
    }
    s.BandSelete = ini.readInteger(kBand, "band Selete", 4);
    currentBand.min = static_cast<std::uint32_t>(ini.readInteger(kBand, "band min", static_cast<int>(kDefaultBandMin)));
    currentBand.max = static_cast<std::uint32_t>(ini.readInteger(kBand, "band max", static_cast<int>(kDefaultBandMax)));
    s.portDevices = readPortDevices(ini);
}

IniFile NewSettingsFile(const AppSettings& settings, BandRange currentBand) {
    AppSettings s = FirstStartSettings();
    s.Port = settings.Port;
    s.LanguageIndex = settings.LanguageIndex;
    s.AutoSeachPort = settings.AutoSeachPort;
    s.BandSelete = settings.BandSelete;
    IniFile ini;
    writeConfig(ini, s);
    writeGridSizes(ini, s);
    writeBandTable(ini, s);
    writeCurrentBand(ini, s, currentBand);
    for (auto section : kLanguageSections) {
        ini.writeString(section, "AppName", " ");
        ini.writeString(section, "Company", " ");
    }
    return ini;
}

void UpdateSettingsFile(IniFile& ini, const AppSettings& settings, BandRange currentBand) {
    writeConfig(ini, settings);
    writeCurrentBand(ini, settings, currentBand);
    writeGridSizes(ini, settings);
}

}  // namespace t604
