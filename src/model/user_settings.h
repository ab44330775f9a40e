#pragma once

// The per-user settings values (application "Quillet", group "Settings"): "LastUsedDataFile",
// the fallback for SettingsData entry 0 when the settings file did not load, and
// "ApplicationPath", the program's folder, written for other tools to find the program.
namespace quillet {

void ReadUserSettings();
void SaveUserSettings();

} // namespace quillet
