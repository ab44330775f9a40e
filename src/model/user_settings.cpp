#include "model/user_settings.h"

#include "common/failure.h"
#include "common/program_folder.h"
#include "common/steps.h"
#include "model/layout_data.h"
#include "model/run_state.h"

#include <QSettings>

namespace quillet {

namespace {

const QString Application = QStringLiteral("Quillet");
const QString Group = QStringLiteral("Settings");
const QString LastUsedDataFile = QStringLiteral("LastUsedDataFile");
const QString ApplicationPath = QStringLiteral("ApplicationPath");

void ThrowOnError(const QSettings& settings)
{
    if (settings.status() == QSettings::AccessError)
        throw Failure(FailureNumber::Internal, QStringLiteral("The settings store could not be read or written"));
    if (settings.status() == QSettings::FormatError)
        throw Failure(FailureNumber::TypeMismatch, QStringLiteral("The settings store is damaged"));
}

} // namespace

void ReadUserSettings()
{
    Steps step(QStringLiteral("Error loading data from the Windows Registry"), Buttons::RetryCancel);
    step(1, [] {
        QSettings settings(Application, Application);
        ThrowOnError(settings);
        settings.beginGroup(Group);
        Run().settingsData[0] = WithoutLineBreaks(settings.value(LastUsedDataFile).toString());
    });
}

void SaveUserSettings()
{
    Steps step(QStringLiteral("Error saving data to the Windows Registry"), Buttons::RetryCancel);
    step(1, [] {
        QSettings settings(Application, Application);
        settings.beginGroup(Group);
        settings.setValue(LastUsedDataFile, Run().settingsData[0]);
        settings.setValue(ApplicationPath, ProgramDirectory());
        settings.endGroup();
        settings.sync();
        ThrowOnError(settings);
    });
}

} // namespace quillet
