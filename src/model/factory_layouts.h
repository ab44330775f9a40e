#pragma once

#include <QString>

namespace quillet {

// Writes the nine factory layouts into slots 29-37, after emptying sub-entries 0 and 1 of slots
// 29-41. Sets DataChanged.
void SetFactoryLayouts();

// Fresh data set: erase the table, write the factory layouts, refill the main window's list and
// select its first entry, recount the address book, title "Quillet", forget the data file.
// ReadOnlyMode is left as it is.
void StartNewData();

// Layout 9's default text, lines 1 to 4.
extern const QString MakerName;
extern const QString MakerAddress[3];

} // namespace quillet
