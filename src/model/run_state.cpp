#include "model/run_state.h"

#include "common/steps.h"

namespace quillet {

RunState& Run()
{
    static RunState state;
    return state;
}

LayoutTable& LayoutData()
{
    return Run().layoutData;
}

void RunState::reset()
{
    layoutData.erase();
    dataFileHandle.release();
    dataChanged = false;
    updatingControls = false;
    settingsData = {};
    cancelRequested = false;
    helpFile.clear();
    recordClipboard = {};
    recordClipboardFull = false;
    addressBookTab = 0;
    addressBookRecord = 1;
    layoutClipboard = {};
    layoutClipboardFull = false;
    layoutsListChanged = false;
    layoutsEditorTab = 0;
    sampleLayoutIndex = 0;
    presetLayout = {};
    dataFileName_.clear();
    readOnlyMode_ = false;
    entryCount_ = 0;
    selectedCount_ = 0;
}

void RunState::setDataFileName(const QString& path)
{
    dataFileName_ = path;
    Q_EMIT dataFileNameChanged(path);
}

void RunState::setReadOnlyMode(bool readOnly)
{
    readOnlyMode_ = readOnly;
    Q_EMIT readOnlyModeChanged(readOnly);
}

void RunState::setAddressCounts(int entries, int selected)
{
    entryCount_ = entries;
    selectedCount_ = selected;
    Q_EMIT addressCountsChanged(entries, selected);
}

void CountAddressEntries()
{
    Steps step(QStringLiteral("Error counting the number of records in the QX Address Book"), Buttons::RetryCancel);
    int entries = 0;
    int selected = 0;
    if (!step(1, [&] {
            for (int tab = 0; tab < TabCount; ++tab) {
                for (int record = 0; record < RecordsPerTab; ++record) {
                    if (!RecordExists(tab, record)) continue;
                    ++entries;
                    if (RecordIsSelected(tab, record)) ++selected;
                }
            }
        }))
        return;
    step(2, [&] { Run().setAddressCounts(entries, selected); });
}

} // namespace quillet
