#include "model/shared_state.h"

#include "common/steps.h"
#include "model/layout_data.h"

namespace quillet {

MainWindowLink& MainLink()
{
    static MainWindowLink link;
    return link;
}

void CountAddressEntries()
{
    Steps step(QStringLiteral("Error counting the number of records in the QX Address Book"), Buttons::RetryCancel);
    if (!step(1, [] {
            int entries = 0;
            int selected = 0;
            for (int tab = 0; tab < TabCount; ++tab) {
                for (int record = 0; record < RecordsPerTab; ++record) {
                    if (!RecordExists(tab, record)) continue;
                    ++entries;
                    if (RecordIsSelected(tab, record)) ++selected;
                }
            }
            EntryCount = entries;
            SelectedCount = selected;
        }))
        return;
    step(2, [] {
        if (MainLink().showAddressCounts) MainLink().showAddressCounts();
    });
}

} // namespace quillet
