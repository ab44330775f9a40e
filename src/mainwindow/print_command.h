#pragma once

#include "printing/print_job.h"

#include <QString>

#include <array>
#include <functional>

class QLineEdit;
class QPrinter;
class QWidget;

namespace quillet {

class DrawingSurface;

// What the Print button hands to the print command: the main window's boxes (a refused start row
// or column is reset and focused there) and the plain values of its other controls.
struct PrintCommandInputs {
    QWidget* window = nullptr; // shows the busy pointer; parent of the printing window
    QLineEdit* copiesBox = nullptr;
    QLineEdit* startRowBox = nullptr;
    QLineEdit* startColumnBox = nullptr;
    int source = PrintJob::TypedText;
    std::array<QString, 5> texts;
    int layoutNumber = 1;
    QPrinter* printer = nullptr;
    // The strict check of the current layout against its limits and the printer's sheet.
    std::function<bool(DrawingSurface&)> validateLayout;
    // Runs the checked job in place of the printing window (printing from the command line).
    std::function<void(const PrintJob&, QPrinter&)> runJob;
};

// Checks the request one thing at a time (copies, something to print, start row and column, the
// printer's sheet size, the layout) and, when all is well, opens the printing window modally.
// Every refusal shows its message and ends the command; the busy pointer is always restored.
void PrintCommand(const PrintCommandInputs& inputs);

} // namespace quillet
