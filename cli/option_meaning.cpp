#include "cli/option_meaning.h"

#include <array>
#include <cstdio>
#include <initializer_list>

#include "model/software_data.h"

namespace t604::cli {

namespace {

// Value n means names[n]; outside the list nothing.
std::string choice(std::uint64_t value, std::initializer_list<std::string_view> names) {
    if (value >= names.size()) return "";
    return std::string(names.begin()[value]);
}

// 0 is off, anything else a quantity in `unit`.
std::string offOr(std::uint64_t value, std::string_view unit) {
    return value == 0 ? "off" : std::to_string(value) + " " + std::string(unit);
}

std::string keyFunction(std::uint64_t code) {
    switch (code) {
        case 0: return "unassigned";
        case 2: return "monitor";
        case 3: return "momentary monitor";
        case 8: return "scan";
        case 24: return "radio";
        case 25: return "alarm";
        case 26: return "flashlight";
        default: return "";
    }
}

bool isOnOff(std::string_view name) {
    constexpr std::array<std::string_view, 15> kOnOff = {
        "VoxCtrl",  "Beep",     "Saving",      "ChannelReport", "Hz1750_Ctrl", "D_SideTone",  "D_Control",
        "SendANI",  "Limited",  "Whisper",     "RefuseAlarm",   "AutoConnect", "PowerOnBeep", "Alarm",
        "WriteWithNewPD"};
    for (std::string_view n : kOnOff)
        if (n == name) return true;
    return false;
}

}  // namespace

std::string OptionMeaning(std::string_view name, std::uint64_t value) {
    if (isOnOff(name)) return choice(value, {"off", "on"});
    if (name == "Voice") return choice(value, {"off", "Chinese", "English"});
    if (name == "SubaudioTail") return choice(value, {"", "180 degree phase shift", "120 degree phase shift", "55 Hz tail tone"});
    if (name == "VOX" || name == "PriScan") return value == 0 ? "off" : "";
    if (name == "VOX_DELAY") return std::to_string(value) + " ms";
    if (name == "TOT" || name == "TOA" || name == "AutoReset") return offOr(value, "s");
    if (name == "Hz1750") return std::to_string(value) + " s";
    if (name == "APO") return offOr(value, "min");
    if (name == "SCAN") return choice(value, {"time", "carrier", "seek"});
    if (name == "Saving_Rate") return value >= 1 && value <= 10 ? "1:" + std::to_string(value) : "";
    if (name == "D_EncodeMode") return choice(value, {"", "at transmit begin", "at transmit end", "both"});
    if (name == "DizzyState") return choice(value, {"normal", "remotely killed", "remotely stunned"});
    if (name == "AlarmMode") return choice(value, {"", "local alarm", "encoding alarm", "both"});
    if (name == "AutoConnect_Pos") return choice(value, {"master", "slave"});
    if (name.starts_with("Key_")) return keyFunction(value);
    if (name == "GroupCode") {
        if (value == 0) return "off";
        return value >= 10 && value <= 15 ? std::string(1, DtmfDigitToChar(static_cast<DtmfDigit>(value))) : "";
    }
    if (name == "AlarmCode") {
        char hz[48];
        std::snprintf(hz, sizeof hz, "%llu.%02llu Hz", static_cast<unsigned long long>(value / 100),
                      static_cast<unsigned long long>(value % 100));
        return hz;
    }
    return "";
}

}  // namespace t604::cli
