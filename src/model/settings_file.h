#pragma once

#include <QString>

// The settings file "QX.INI" in the program's folder: two header lines, then the ten entries of
// SettingsData, one per line. Read first at start; written at every exit.
namespace quillet {

namespace SettingsLoad {
enum : int { NoFile = 0, Unusable = 1, Loaded = 3 };
}

inline const QString SettingsFirstLine = QStringLiteral("Quillet initialization data file");
inline const QString SettingsSecondLine = QStringLiteral("QX.INI");

// One name for reading and writing, so the two always meet on a case-sensitive file system.
QString SettingsFilePath();

// SettingsLoad results. An unusable file has been reported and leaves every entry empty.
int LoadSettingsFile();
// Replaces the file as a whole: it never holds half of the old or new settings.
void SaveSettingsFile();

} // namespace quillet
