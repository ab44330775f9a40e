#pragma once

#include <QString>

// The settings file "QX.INI": two header lines, then the ten entries of SettingsData, one per
// line. Read first at start; written at every exit.
//
// It lives in the program's folder while the user may write there (a portable copy). An installed
// program's folder belongs to the administrator: then each user keeps a QX.INI of their own in
// $XDG_CONFIG_HOME/Quillet/, and one in the program's folder is only read, as a default, until
// the user has their own.
namespace quillet {

namespace SettingsLoad {
enum : int { NoFile = 0, Unusable = 1, Loaded = 3 };
}

inline const QString SettingsFirstLine = QStringLiteral("Quillet initialization data file");
inline const QString SettingsSecondLine = QStringLiteral("QX.INI");

struct SettingsLocation {
    QString read;
    QString write;
};
// Where the settings are read from and written to, from the program's folder (with its "/"),
// whether the user may write there, the user's settings folder and whether it holds a QX.INI.
SettingsLocation ChooseSettingsLocation(const QString& programFolder, bool programFolderWritable,
                                        const QString& userFolder, bool userFileExists);

// The file an exit writes, and the one a start reads. One spelling, "QX.INI", for reading and
// writing, so the two always meet on a case-sensitive file system.
QString SettingsFilePath();
QString SettingsFileToRead();

// SettingsLoad results. An unusable file has been reported and leaves every entry empty.
int LoadSettingsFile();
// Replaces the file as a whole: it never holds half of the old or new settings.
void SaveSettingsFile();

} // namespace quillet
