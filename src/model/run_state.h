#pragma once

#include "model/data_file_lock.h"
#include "model/layout_data.h"

#include <QObject>
#include <QString>

#include <array>

namespace quillet {

// The one owner of what lives for the whole run: the table, the data file held and its name, the
// flags and counts that go with them, the settings list. Every window uses these directly and
// learns of the changes it shows from the signals. Tests call reset() before every case.
class RunState : public QObject {
    Q_OBJECT
public:
    // Everything as a run starts: the table empty, no data file held or named, flags cleared.
    void reset();

    LayoutTable layoutData;
    // The data file held open, with writing denied to other copies, from a load or save until the
    // next load, save, New or exit.
    HeldDataFile dataFileHandle;
    // The table was edited since the last load began or the last New; a save does not clear it.
    bool dataChanged = false;
    // A window is filling its own controls from the table: change events must not set dataChanged.
    bool updatingControls = false;
    // Settings list: 0 last data file, 1 window left, 2 window top (twips), 3-9 reserved.
    std::array<QString, 10> settingsData;
    // Set by the printing window's Cancel, read by the print run.
    bool cancelRequested = false;
    // "QX.hlp" in the program's folder.
    QString helpFile;
    // The address book's one-record memory (Line1-Line6 and Selected) and whether Cut or Copy has
    // filled it; never saved, and kept when another data file is loaded.
    std::array<QString, SubEntryCount> recordClipboard;
    bool recordClipboardFull = false;
    // The address book reopens on the letter tab (0-25) and record (1-30) it was closed on.
    int addressBookTab = 0;
    int addressBookRecord = 1;
    // The one-layout memory of the layouts editor's Cut, Copy and Paste and of the presets window;
    // full from its first filling to the end of the run. New and Open leave it as it is.
    LayoutRecord layoutClipboard;
    bool layoutClipboardFull = false;
    // A title or a check changed in the layouts editor: the main window rebuilds its list.
    bool layoutsListChanged = false;
    // The layouts editor's page last chosen: 0 "Sheet", 1 "Text & Fonts", 2 "Positioning".
    int layoutsEditorTab = 0;
    // The editor list index (0-11) of the layout the font sample window shows.
    int sampleLayoutIndex = 0;
    // The preset last chosen in the presets window.
    LayoutRecord presetLayout;

    // Full path of the data file the table was loaded from or last saved to; empty for new data.
    const QString& dataFileName() const { return dataFileName_; }
    void setDataFileName(const QString& path);
    // The data file was opened read-only: nothing is written back, Save and Save As are disabled.
    bool readOnlyMode() const { return readOnlyMode_; }
    void setReadOnlyMode(bool readOnly);
    // Existing address records, and those of them whose Selected cell is "True".
    int entryCount() const { return entryCount_; }
    int selectedCount() const { return selectedCount_; }
    void setAddressCounts(int entries, int selected);

Q_SIGNALS:
    // Each setter announces its value, changed or not.
    void dataFileNameChanged(const QString& path);
    void readOnlyModeChanged(bool readOnly);
    void addressCountsChanged(int entries, int selected);
    // The layouts were replaced as a whole (a fresh data set, a load): lists of them are rebuilt.
    void layoutsChanged();
    // The settings were read: settingsData holds the stored window position.
    void settingsLoaded();

private:
    QString dataFileName_;
    bool readOnlyMode_ = false;
    int entryCount_ = 0;
    int selectedCount_ = 0;
};

// The run's one RunState.
RunState& Run();

// Walks the address book and sets the counts.
void CountAddressEntries();

} // namespace quillet
