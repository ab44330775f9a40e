#pragma once

#include <QString>

class QPrinter;

namespace quillet {

// The process-wide selected printer: the system's default printer when there is one, otherwise
// PDF output. PDF output goes to DefaultPdfPath() unless the user picks another file in the print
// setup dialog; each printed document becomes a file of its own beside it.
QPrinter& SelectedPrinter();

// Puts a printer for a print-system queue on the queue's default paper, portrait, with its driver's
// margins; false (and the printer unchanged) when the queue cannot be asked.
bool UseQueueDefaultPaper(QPrinter& printer);

// "<Documents>/Quillet/Labels.pdf".
QString DefaultPdfPath();

// Sets up a printer for PDF output on US Letter paper without unprintable margins.
void UsePdfOutput(QPrinter& printer, const QString& path);

} // namespace quillet
