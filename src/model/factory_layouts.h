#pragma once

#include <QString>

namespace quillet {

// Writes the nine factory layouts into slots 29-37, after emptying sub-entries 0 and 1 of slots
// 29-41. Sets DataChanged.
void SetFactoryLayouts();

// Fresh data set: erase the table, write the factory layouts, announce the new layouts, recount
// the address book, forget the data file (the title becomes "Quillet").
// ReadOnlyMode is left as it is.
void StartNewData();

// Layout 9's default text, lines 1 to 4.
extern const QString MakerName;
extern const QString MakerAddress[3];

} // namespace quillet
