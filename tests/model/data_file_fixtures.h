#pragma once

#include "support/test_helpers.h"

#include <QByteArray>
#include <QString>

#include <vector>

// Shared by the data-file tests: a rich data set and the state reset between
// cases.
namespace quillet::test {

// Addresses in every tab, all twelve layouts, the spare slots 26-28 and 41, values with
// leading blanks and text beyond Windows-1252 when `beyond1252` is set.
void FillRichDataSet(bool beyond1252);

std::vector<QString> TableSnapshot();

inline const QByteArray DataHeader = "Quillet Data File\r\n<filename>.QX3\r\n";

} // namespace quillet::test
