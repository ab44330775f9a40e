#include "model/startup.h"

#include "common/dialogs.h"
#include "common/failure.h"
#include "common/program_folder.h"
#include "common/steps.h"
#include "model/data_file.h"
#include "model/factory_layouts.h"
#include "model/run_state.h"
#include "model/running_copy_lock.h"
#include "model/settings_file.h"
#include "model/user_settings.h"

#include <QDir>
#include <QStandardPaths>

#include <fcntl.h>

namespace quillet {

namespace {

// Every running copy read-locks one byte of a file in a folder of the user's own; a copy that
// finds a lock it does not own knows another one runs. The lock dies with its process.
int InstanceFile()
{
    static int fd = OpenRunningCopyLock(
        PrivateFolder(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation), QDir::tempPath()));
    return fd;
}

void ShowPlain(const QString& text)
{
    ShowMessage(text);
}

} // namespace

bool AnotherCopyIsRunning()
{
    const int fd = InstanceFile();
    if (fd < 0) return false; // without the folder there is nothing to compare with
    struct flock probe {};
    probe.l_type = F_WRLCK;
    probe.l_whence = SEEK_SET;
    probe.l_len = 1;
    bool running = false;
    if (::fcntl(fd, F_OFD_GETLK, &probe) == 0) running = probe.l_type != F_UNLCK;
    struct flock mine {};
    mine.l_type = F_RDLCK;
    mine.l_whence = SEEK_SET;
    mine.l_len = 1;
    ::fcntl(fd, F_OFD_SETLK, &mine);
    return running;
}

void LoadStartupData(bool reopenLastFile)
{
    Steps step(QStringLiteral("Error setting up Quillet's default settings"), Buttons::RetryCancel);
    if (!step(1, [] {
            if (LoadSettingsFile() != SettingsLoad::Loaded) ReadUserSettings();
        }))
        return;
    if (!step(2, [] { Q_EMIT Run().settingsLoaded(); })) return;

    if (!reopenLastFile) {
        step(4, [] { StartNewData(); });
        return;
    }
    QString path;
    if (!step(3, [&] {
            path = Run().settingsData[0];
            if (path.isEmpty() || !FileExists(path)) {
                if (!path.isEmpty())
                    ShowMessage(QStringLiteral("Warning:  The last saved/opened data file (") + path +
                                    QStringLiteral(") could not be found."),
                                Buttons::Ok, Icon::Warning, QStringLiteral("Data File Not Found"));
                Run().settingsData[0].clear();
            }
        }))
        return;
    if (Run().settingsData[0].isEmpty()) {
        step(4, [] { StartNewData(); });
        return;
    }

    bool readOnly = false;
    bool goOn = false;
    if (!step(5, [&] {
            for (;;) {
                switch (CheckDataFileHeader(path, readOnly)) {
                case HeaderCheck::NotFound:
                    ShowPlain(QStringLiteral("Error loading default data file:  File not found.  Please contact "
                                             "Tolvan Software about this problem (it shouldn't have happened).  "
                                             "Error #LDF2.  Attempted filename to load:  ") +
                              path);
                    return;
                case HeaderCheck::InUse:
                    if (ShowMessage(QStringLiteral("The default data file:  ") + CR + path + CR +
                                        QStringLiteral("is currently in use.") + CR + CR +
                                        QStringLiteral("Would you like to open it as read-only?") + CR + CR +
                                        QStringLiteral("(Opening as read-only will allow full access to the data, "
                                                       "but will not allow any changes to be made)"),
                                    Buttons::YesNo, Icon::Warning, QStringLiteral("Data File in Use"),
                                    Answer::Yes) == Answer::Yes) {
                        readOnly = true;
                        continue;
                    }
                    StartNewData();
                    return;
                case HeaderCheck::Invalid:
                    if (ShowMessage(QStringLiteral("The default data file:") + CR + path + CR +
                                        QStringLiteral("does not appear to be a valid QX data file - - the header "
                                                       "information is invalid.  Should Quillet attempt to open it "
                                                       "anyway?"),
                                    Buttons::YesNo, Icon::Warning, QStringLiteral("Invalid Data File Header"),
                                    Answer::Yes) == Answer::Yes) {
                        goOn = true;
                        return;
                    }
                    StartNewData();
                    return;
                case HeaderCheck::Valid:
                    goOn = true;
                    return;
                default: // the failure was reported
                    StartNewData();
                    return;
                }
            }
        }))
        return;
    if (!goOn) return;

    step(6, [&] {
        switch (LoadDataFile(path, readOnly)) {
        case LoadResult::NotFound:
            ShowPlain(QStringLiteral("Error loading default data file:  File not found.  Please contact Tolvan "
                                     "Software about this problem (it shouldn't have happened).  Error #SWR101"));
            StartNewData();
            break;
        case LoadResult::Locked:
            ShowPlain(QStringLiteral("Error loading default data file:  Regular open attempted on a locked file.  "
                                     "Please contact Tolvan Software about this problem (it shouldn't have "
                                     "happened).  Error #SWR102"));
            StartNewData();
            break;
        case LoadResult::Loaded:
            SetReadOnly(readOnly);
            break;
        default:
            StartNewData();
            break;
        }
    });
}

void SetHelpFile()
{
    Steps step(QStringLiteral("Error setting help file"), Buttons::Ok);
    step(1, [] {
        QString folder = ProgramFolder();
        if (!folder.endsWith(u'/')) folder += u'/';
        Run().helpFile = folder + QStringLiteral("QX.hlp");
    });
}

} // namespace quillet
