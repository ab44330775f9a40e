// A second copy of the program for the tests: loads, holds or saves a data file through the real
// code and waits until its standard input closes, so tests can watch two processes share a file.
// Messages are printed each after its title.
//   hold <path>                    load the file and hold it for editing
//   running                        register as a running copy and hold
//   save <path> [<stage>]          save a fresh data set to the path; print the result and the
//                                  messages. With a stage: load the file, change one cell and
//                                  save, killed at the SaveStage numbered
//   start <config> [<path> <left>] start from the settings with the program in its own folder, as
//                                  installed, and the user's in <config>; print the window's left
//                                  and the file reopened; save the data to <path> and store <left>;
//                                  exit; print the messages
#include "model/data_file.h"
#include "model/factory_layouts.h"
#include "model/layout_data.h"
#include "model/run_state.h"
#include "model/settings_file.h"
#include "model/startup.h"
#include "model/user_settings.h"
#include "support/scripted_dialogs.h"

#include <QCoreApplication>
#include <QFile>

#include <csignal>
#include <cstdio>
#include <unistd.h>

using namespace quillet;

namespace {

SaveStage killStage = SaveStage::BeforeWrite;

void KillAt(SaveStage stage)
{
    if (stage == killStage) ::raise(SIGKILL);
}

void Say(const QString& text)
{
    std::fputs(qPrintable(text + u'\n'), stdout);
    std::fflush(stdout);
}

void SayMessages(const ScriptedDialogs& ui)
{
    for (const MessageRequest& m : ui.messages) Say(m.title + u'\n' + QString(m.text).replace(CR, u'\n'));
}

void WaitForStdinToClose()
{
    char buffer[64];
    while (::read(0, buffer, sizeof buffer) > 0) {
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    ScriptedDialogs ui;
    ui.allowUnscripted = true; // the messages are reported to the test, which checks them
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) return 2;
    const QString command = args[0];
    if (command == u"hold" && args.size() == 2) {
        Say(QStringLiteral("loaded %1").arg(LoadDataFile(args[1], false)));
        WaitForStdinToClose();
        return 0;
    }
    if (command == u"running") {
        Say(AnotherCopyIsRunning() ? QStringLiteral("running") : QStringLiteral("alone"));
        WaitForStdinToClose();
        return 0;
    }
    if (command == u"save" && (args.size() == 2 || args.size() == 3)) {
        QString path = args[1];
        if (args.size() == 2) {
            StartNewData();
        } else {
            if (LoadDataFile(path, false) != LoadResult::Loaded) return 3;
            LayoutData().setCell(0, 0, 0, QStringLiteral("new content"));
            killStage = static_cast<SaveStage>(args[2].toInt());
            SetSaveStageHookForTesting(KillAt);
        }
        const int result = SaveDataFile(path);
        Say(QStringLiteral("saved %1").arg(result));
        SayMessages(ui);
        return 0;
    }
    if (command == u"start" && (args.size() == 2 || args.size() == 4)) {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(args[1]));
        LoadStartupData();
        Say(QStringLiteral("left ") + Run().settingsData[1]);
        Say(QStringLiteral("file ") + Run().dataFileName());
        if (args.size() == 4) {
            QString path = args[2];
            SaveDataFile(path);
            Run().settingsData[1] = args[3];
        }
        SaveSettingsFile();
        SaveUserSettings();
        SayMessages(ui);
        return 0;
    }
    return 2;
}
