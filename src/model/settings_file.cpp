#include "model/settings_file.h"

#include "common/dialogs.h"
#include "common/failure.h"
#include "common/program_folder.h"
#include "common/steps.h"
#include "model/data_file.h"
#include "model/data_file_lock.h"
#include "model/layout_data.h"
#include "model/run_state.h"
#include "model/safe_file_write.h"
#include "model/text_encoding.h"
#include "model/text_file_reader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <optional>

#include <fcntl.h>
#include <unistd.h>

namespace quillet {

namespace {

const QString MessageStart =
    QStringLiteral("Error loading QX.INI initiallization file (this file contains the name of your last saved data "
                   "file, and a few other program settings):  ");

const QString SettingsFileName = QStringLiteral("QX.INI");

// The header and ten entries, each as long as the reader keeps a line, in UTF-8.
constexpr qint64 MaxSettingsFileBytes = 3 + 12 * (2 + 3 * TextFileReader::MaxLineChars);

} // namespace

SettingsLocation ChooseSettingsLocation(const QString& programFolder, bool programFolderWritable,
                                        const QString& userFolder, bool userFileExists)
{
    const QString portable = programFolder + SettingsFileName;
    if (programFolderWritable) return {portable, portable};
    const QString own = userFolder + SettingsFileName;
    return {userFileExists ? own : portable, own};
}

namespace {

QString UserSettingsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Quillet/");
}

bool MayWriteIn(const QString& folder)
{
    return ::faccessat(AT_FDCWD, QFile::encodeName(folder).constData(), W_OK, AT_EACCESS) == 0;
}

SettingsLocation CurrentSettingsLocation()
{
    const QString userFolder = UserSettingsFolder();
    return ChooseSettingsLocation(ProgramFolder(), MayWriteIn(ProgramFolder()), userFolder,
                                  QFileInfo::exists(userFolder + SettingsFileName));
}

} // namespace

QString SettingsFilePath()
{
    return CurrentSettingsLocation().write;
}

QString SettingsFileToRead()
{
    return CurrentSettingsLocation().read;
}

int LoadSettingsFile()
{
    const QString path = SettingsFileToRead();
    if (!FileExists(path)) return SettingsLoad::NoFile;

    Steps step(QStringLiteral("Error loading initialization file:  ") + path, Buttons::AbortRetryIgnore);
    SharedOpen file;
    if (!step(2, [&] { file = OpenShared(path, ShareMode::Reader); })) return SettingsLoad::Unusable;
    if (!file.fd.valid()) return SettingsLoad::Unusable;

    std::optional<TextFileReader> reader;
    QString problem;
    if (!step(3, [&] {
            problem.clear();
            reader.emplace(file.fd.get(), true, MaxSettingsFileBytes);
            QString line;
            if (!reader->nextLine(line)) {
                problem = QStringLiteral("File exists, but appears to be empty of data.");
            } else if (!reader->nextLine(line)) {
                problem = QStringLiteral("File exists, but appears to be missing some header information.");
            } else if (line.toUpper() != SettingsSecondLine) {
                problem = QStringLiteral("File exists, but does not appear to be in the proper format.");
            }
        }))
        return SettingsLoad::Unusable;
    if (!problem.isEmpty()) {
        ShowMessage(MessageStart + problem);
        for (QString& entry : Run().settingsData) entry.clear();
        return SettingsLoad::Unusable;
    }
    if (!reader) return SettingsLoad::Unusable;

    for (std::size_t entry = 0; entry < Run().settingsData.size(); ++entry) {
        bool more = false;
        QString line;
        if (!step(4, [&] { more = reader->nextLine(line); })) return SettingsLoad::Unusable;
        if (!more) break;
        Run().settingsData[entry] = WithoutLineBreaks(line);
    }
    return SettingsLoad::Loaded;
}

void SaveSettingsFile()
{
    const QString path = SettingsFilePath();
    Steps step(QStringLiteral("Error saving Quillet's initialization file, ") + path, Buttons::AbortRetryIgnore);
    QByteArray bytes;
    if (!step(1, [&] {
            QStringList lines{SettingsFirstLine, SettingsSecondLine};
            for (const QString& entry : Run().settingsData) lines << WithoutLineBreaks(entry);
            const QString text = lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
            bytes = EncodeForFile(text);
        }))
        return;
    step(2, [&] {
        // The user's own settings folder may not exist yet; the program's folder always does.
        QDir().mkpath(QFileInfo(path).path());
        WriteFileSafely(path, bytes);
    });
}

} // namespace quillet
