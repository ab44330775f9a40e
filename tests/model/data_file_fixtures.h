#pragma once

#include "common/dialogs.h"

#include <QByteArray>
#include <QString>

#include <vector>

// Shared by the data-file tests: files as bytes, a rich data set and the state reset between
// cases.
namespace quillet::test {

QByteArray ReadBytes(const QString& path);
void WriteBytes(const QString& path, const QByteArray& bytes);

// Addresses in every tab, all twelve layouts, the spare slots 26-28 and 41, values with
// leading blanks and text beyond Windows-1252 when `beyond1252` is set.
void FillRichDataSet(bool beyond1252);

std::vector<QString> TableSnapshot();

// Empty table, no file held or named, flags cleared, settings empty, no main window hooks.
void ResetPersistenceState();

// A data file's lines (CR LF split), for checking what was written.
QList<QByteArray> FileLines(const QString& path);

// True when the recorded message is exactly this one; a mismatch is printed.
bool IsMessage(const MessageRequest& m, const QString& text, const QString& title, Buttons buttons, Icon icon,
               Answer defaultButton = Answer::None);

inline const QByteArray DataHeader = "Quillet Data File\r\n<filename>.QX3\r\n";

} // namespace quillet::test
