#pragma once

#include "diagnostics/diagnostics_report.h"
#include "printing/printer_surface.h"

#include <QDialog>

class QPrinter;

namespace quillet {

// The diagnostics window: what the program sees of the printer, the current layout and its fonts,
// and the system, on four pages, which the user can copy to the clipboard or print.
class Diagnostics : public QDialog {
    Q_OBJECT
public:
    // `layoutNumber` 1-12 is the main window's current layout, at `mainListPosition` (from 1) in its
    // list; 0 when none is chosen.
    Diagnostics(QPrinter& printer, int layoutNumber, int mainListPosition, QWidget* parent = nullptr);

    const DiagnosticsValues& values() const { return values_; }
    // The surface the report is printed on (tests read which files it wrote).
    PrinterSurface& surface() { return surface_; }

private:
    QWidget* buildPage(int page);
    void copyToClipboard();
    void print();

    QPrinter& printer_;
    PrinterSurface surface_;
    DiagnosticsValues values_;
};

// Help > Diagnostics: the window, modally, for the selected printer.
void OpenDiagnostics(QWidget* parent, int layoutNumber, int mainListPosition);

} // namespace quillet
