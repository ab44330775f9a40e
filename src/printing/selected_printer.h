#pragma once

#include <QString>

class QPrinter;

namespace quillet {

// The process-wide selected printer: the system's default printer when there is one, otherwise
// PDF output. PDF output goes to DefaultPdfPath() unless the user picks another file in the print
// setup dialog; each printed document becomes a file of its own beside it.
QPrinter& SelectedPrinter();

// "<Documents>/Quillet/Labels.pdf".
QString DefaultPdfPath();

// Sets up a printer for PDF output on US Letter paper without unprintable margins.
void UsePdfOutput(QPrinter& printer, const QString& path);

} // namespace quillet
