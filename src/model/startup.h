#pragma once

// The program's start on the model's side: the running-copy check, the settings and the last
// data file (or a fresh data set). The main window's loading (main_window.h) runs them.
namespace quillet {

// True when another copy of the program is running. The first call also registers this copy,
// for as long as the process lives; a copy that dies is forgotten at once.
bool AnotherCopyIsRunning();

// The settings (then settingsLoaded, for the window's position) and the last data file, or a
// fresh data set. A start that opens a file by name starts from a fresh data set instead of the
// remembered file (`reopenLastFile` false).
void LoadStartupData(bool reopenLastFile = true);

// "QX.hlp" in the program's folder.
void SetHelpFile();

} // namespace quillet
