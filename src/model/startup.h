#pragma once

#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringView>

#include <functional>

// The program's start: the running-copy check, the settings, the window position and the last
// data file (or a fresh data set).
namespace quillet {

// True when another copy of the program is running. The first call also registers this copy,
// for as long as the process lives; a copy that dies is forgotten at once.
bool AnotherCopyIsRunning();

// The main window's loading: the running-copy question, then LoadStartupData, the window
// shown, SetHelpFile, and DataChanged and UpdatingControls false. False when the program must
// end at once (the user declined a second copy, or the loading failed and was reported).
bool StartUp(const std::function<void()>& showWindow);

void LoadStartupData();
void RestoreWindowPosition();

// The window's top-left corner in pixels from the stored left and top in twips: a value that
// is not above 0 or not within the screen centres the window on that axis.
QPoint PlaceWindow(QStringView leftTwips, QStringView topTwips, QSize screen, QSize window, double logicalDpi);
// A pixel position as stored: twips, with the leading blank of a number that is not negative.
QString TwipsText(int pixels, double logicalDpi);

// "QX.hlp" in the program's folder.
inline QString HelpFile;
void SetHelpFile();

} // namespace quillet
