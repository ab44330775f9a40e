#pragma once

#include "model/layout_data.h"

#include <QString>

#include <array>
#include <optional>

// What the address book shows of a record and the commands that act on whole records, on the
// address-book region of the table. Tabs count from 0 ("A"), records from 0 (record number 1).
namespace quillet {

// Line1-Line6 and Selected of one record, in the order of its sub-entries.
using RecordCells = std::array<QString, SubEntryCount>;

RecordCells ReadRecord(int tab, int record);
void WriteRecord(int tab, int record, const RecordCells& cells);

// "A" for tab 0 ... "Z" for tab 25.
QString TabLetter(int tab);

// The list shows a record as its number, ". " and its first line that is not blank, exactly as
// stored; a record without one shows only "7. ".
QString ListItemText(int tab, int record);
QString ListItemText(int record, const QString& line);

// The first of Line1-Line6 that is not exactly empty (blanks count as text here).
std::optional<QString> FirstTypedLine(const RecordCells& cells);

// The questions that name the record they act on.
QString ClearQuestion(int tab, int record);
QString CutQuestion(int tab, int record);
QString CopyQuestion(int tab, int record);
QString PasteQuestion(const RecordCells& memory, int tab, int record);

// Every cell of every record of tabs A-Z becomes empty; the layouts are not touched.
void ClearAllRecords();
// Selected becomes "True" for every record with a line that is not exactly empty.
void SelectAllRecords();
// Selected becomes empty for every record.
void SelectNoRecords();

} // namespace quillet
