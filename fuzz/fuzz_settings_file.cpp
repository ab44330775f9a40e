// Loads any bytes as the settings file, then checks that the saved settings load back the same.
#include "fuzz_support.h"

#include "model/run_state.h"
#include "model/settings_file.h"

#include <cstdlib>

using namespace quillet;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Dialogs();
    fuzz::WriteInput(fuzz::Folder() + QStringLiteral("QX.INI"), data, size);
    for (QString& entry : Run().settingsData) entry.clear();
    if (LoadSettingsFile() != SettingsLoad::Loaded) return 0;
    const auto loaded = Run().settingsData;
    SaveSettingsFile();
    for (QString& entry : Run().settingsData) entry.clear();
    if (LoadSettingsFile() != SettingsLoad::Loaded || Run().settingsData != loaded) std::abort();
    return 0;
}
