#pragma once

#include "model/data_file_lock.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <array>
#include <functional>

// The process-wide values that go with LayoutData. Every window uses them directly.
namespace quillet {

// Full path of the data file the table was loaded from or last saved to; empty for new data.
inline QString DataFileName;
// The data file held open, with writing denied to other copies, from a load or save until the
// next load, save, New or exit.
inline HeldDataFile DataFileHandle;
// The table was edited since the last load began or the last New; a save does not clear it.
inline bool DataChanged = false;
// The data file was opened read-only: nothing is written back.
inline bool ReadOnlyMode = false;
// A window is filling its own controls from the table: change events must not set DataChanged.
inline bool UpdatingControls = false;
// Existing address records, and those of them whose Selected cell is "True".
inline int EntryCount = 0;
inline int SelectedCount = 0;
// Settings list: 0 last data file, 1 window left, 2 window top (twips), 3-9 reserved.
inline std::array<QString, 10> SettingsData;
// Set by the printing window's Cancel, read by the print run.
inline bool CancelRequested = false;

// What procedures of the model ask of the main window. The main window fills these in; while
// they are empty (tests of the model alone) the calls do nothing.
struct MainWindowLink {
    // FillLayoutsList, then select the first entry when there is one.
    std::function<void()> refillLayoutsList;
    // Rewrite the print-what captions from EntryCount and SelectedCount.
    std::function<void()> showAddressCounts;
    std::function<void(const QString&)> setTitle;
    // Enable or disable File > Save and Save As.
    std::function<void(bool)> setSaveEnabled;
    // The window's frame position and size in pixels, the screen's size in pixels and its
    // logical dots per inch, and a move of the window (RestoreWindowPosition, the unload).
    std::function<QRect()> windowGeometry;
    std::function<QSize()> screenSize;
    std::function<double()> logicalDpi;
    std::function<void(QPoint)> moveWindow;
    // Closes the main window, which runs the unload (File > Exit).
    std::function<void()> closeWindow;
};
MainWindowLink& MainLink();

// Walks the address book, sets EntryCount and SelectedCount, and updates the captions.
void CountAddressEntries();

} // namespace quillet
