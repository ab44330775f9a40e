#pragma once

#include <QString>

// The print benchmark's job run by the real program, as a user's script would: `quillet --print`
// started as a process of its own, reading the data file, printing and ending, timed whole.
namespace quillet::bench {

struct ProgramPrintFigures {
    double seconds = 0;
    int status = -1;   // the program's exit status; 0 when it printed
    double peakMb = 0; // the largest resident size of any program run so far
};

// Writes the table to a data file in `folder` (once), then prints all its entries `copies`
// times with layout 1 to a PDF file in `folder`, which is removed afterwards.
ProgramPrintFigures TimeProgramPrint(const QString& folder, int copies);

} // namespace quillet::bench
