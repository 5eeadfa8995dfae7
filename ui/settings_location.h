#pragma once
// Where "_config.ini" lives: beside the program, where it has always been,
// unless the program's folder cannot be written (an installed program in
// /usr/bin); then in the user's configuration folder, so that settings are
// not lost: $XDG_CONFIG_HOME/t604/_config.ini, by default
// ~/.config/t604/_config.ini.

#include <QString>

namespace t604 {

inline constexpr char kSettingsFileName[] = "_config.ini";

// programFolder: the executable's folder; configHome: $XDG_CONFIG_HOME
// (may be empty); home: the user's home folder.
QString ChooseSettingsPath(const QString& programFolder, const QString& configHome, const QString& home);

// ChooseSettingsPath for this program and user.
QString SettingsFilePath();

}  // namespace t604
