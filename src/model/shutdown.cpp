#include "model/shutdown.h"

#include "common/dialogs.h"
#include "common/steps.h"
#include "model/data_file.h"
#include "model/settings_file.h"
#include "model/shared_state.h"
#include "model/startup.h"
#include "model/user_settings.h"

namespace quillet {

bool UnloadMain()
{
    Steps step(QStringLiteral("Error unloading Quillet"), Buttons::Ok);
    bool goOn = true;
    // When the save itself cannot be attempted the window stays open: closing would lose data.
    if (!step(1, [&] {
            goOn = true;
            if (!DataChanged || ReadOnlyMode) return;
            QString name = SettingsData[0];
            if (SaveDataFile(name) == 1) return;
            goOn = ShowMessage(QStringLiteral("Exit Quillet without saving data?"), Buttons::YesNo, Icon::Question,
                               QStringLiteral("QX Exit Warning"), Answer::No) == Answer::Yes;
        }))
        return false;
    if (!goOn) return false;

    if (step(2,
             [] {
                 const MainWindowLink& link = MainLink();
                 if (!link.windowGeometry) return;
                 const double dpi = link.logicalDpi ? link.logicalDpi() : 96.0;
                 const QRect frame = link.windowGeometry();
                 SettingsData[1] = TwipsText(frame.left(), dpi);
                 SettingsData[2] = TwipsText(frame.top(), dpi);
             }) &&
        step(3, [] { SaveSettingsFile(); }))
        step(4, [] { SaveUserSettings(); });
    DataFileHandle.release();
    return true;
}

} // namespace quillet
