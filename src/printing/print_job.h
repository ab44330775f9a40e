#pragma once

#include <QString>

#include <array>

namespace quillet {

// What the main window asks to print, as plain values read from its controls. The run reads the
// address book and the layout from LayoutData as it goes.
struct PrintJob {
    enum Source { TypedText = 1, AllEntries = 2, SelectedEntries = 3 };
    int source = TypedText;
    std::array<QString, 5> texts; // the label text boxes, as typed
    double copies = 1;            // box values as read; the run rounds them halves to even
    double startRow = 1;
    double startColumn = 1;
    int layoutNumber = 1;
};

// What a print run needs of the window it runs in.
class PrintRunWindow {
public:
    virtual ~PrintRunWindow() = default;
    // Shows the progress (1-100) and lets pending window events run: a click on Cancel or on the
    // pause box takes effect here. The run reports after every label; a window may show it and
    // run the events only every few milliseconds.
    virtual void setProgress(int percent) = 0;
    // A sheet is finished (printing pass): the events run now, whenever they last did.
    virtual void sheetFinished() {}
    // The "Pause Between Sheets" box.
    virtual bool pauseBetweenSheets() const = 0;
};

} // namespace quillet
