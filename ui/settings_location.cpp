#include "ui/settings_location.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace t604 {

QString ChooseSettingsPath(const QString& programFolder, const QString& configHome, const QString& home) {
    // The settings are written through a temporary file in the same folder,
    // so the folder itself must be writable.
    if (QFileInfo(programFolder).isWritable()) return QDir(programFolder).filePath(kSettingsFileName);
    // XDG: a relative $XDG_CONFIG_HOME is invalid and ignored.
    QString base = (!configHome.isEmpty() && QDir::isAbsolutePath(configHome)) ? configHome
                                                                                 : QDir(home).filePath(".config");
    return QDir(base).filePath(QStringLiteral("t604/") + kSettingsFileName);
}

QString SettingsFilePath() {
    return ChooseSettingsPath(QCoreApplication::applicationDirPath(), qEnvironmentVariable("XDG_CONFIG_HOME"),
                              QDir::homePath());
}

}  // namespace t604
