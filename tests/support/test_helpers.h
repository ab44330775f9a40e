#pragma once

#include "common/dialogs.h"
#include "model/layout_data.h"
#include "support/scripted_dialogs.h"

#include <QByteArray>
#include <QMarginsF>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <cstddef>

class QPrinter;

// Checks and set-ups shared by the tests.
namespace quillet::test {

// True when the recorded message is exactly this one, default button included; a mismatch is
// printed.
bool IsMessage(const MessageRequest& m, const QString& text, const QString& title = ProgramTitle,
               Buttons buttons = Buttons::Ok, Icon icon = Icon::None, Answer defaultButton = Answer::None);

// As IsMessage, for the one message shown since the dialogs were last cleared.
bool IsOnlyMessage(const ScriptedDialogs& ui, const QString& text, const QString& title = ProgramTitle,
                   Buttons buttons = Buttons::Ok, Icon icon = Icon::None, Answer defaultButton = Answer::None);

// A file's bytes, or "<missing>" when it cannot be read.
QByteArray ReadBytes(const QString& path);
void WriteBytes(const QString& path, const QByteArray& bytes);

// A LayoutData cell: slot (or tab), field (or record), sub-entry (or item) and UTF-8 text.
struct Cell {
    int slot;
    int field;
    int subEntry;
    const char* text;
};

template <std::size_t N> void SetCells(const Cell (&cells)[N])
{
    for (const Cell& c : cells) LayoutData().setCell(c.slot, c.field, c.subEntry, QString::fromUtf8(c.text));
}

// A program run to its end with no input: its exit status (-1 when it did not start, crashed or
// ran over four minutes) and what it wrote on each channel.
struct ProgramRun {
    int status = -1;
    QString out;
    QString err;
};
ProgramRun RunProgram(const QString& program, const QStringList& arguments, const QString& folder = {},
                      const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

// PDF output at 600 dpi on US Letter paper with these unprintable margins (inches).
void UseLetterPdf(QPrinter& printer, const QString& path, QMarginsF margins = {});

} // namespace quillet::test
