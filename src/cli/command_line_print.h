#pragma once

#include "cli/command_line.h"

#include <cstdio>

// Printing from the command line: the data file opened read-only, the main window's controls
// (never shown) set from the arguments, then the window's own Print command, checks, questions
// and print run, with every dialog answered on the terminal.
namespace quillet {

namespace PrintStatus {
enum : int { Printed = 0, Refused = 1, Fault = 2 };
}

// Needs a QApplication. Messages go to `messages`, the names of the PDF files or print jobs
// made to `results`. Returns a PrintStatus.
int PrintFromCommandLine(const CommandLine& line, std::FILE* messages, std::FILE* results);

} // namespace quillet
