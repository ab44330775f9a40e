#pragma once

#include "printing/print_job.h"

#include <cstdint>

namespace quillet {

class DrawingSurface;

// The two print runs. Each reads the page metrics and the layout, asks the top-margin caution,
// makes a measuring pass that draws nothing, asks the fit questions, then makes the printing pass
// sheet by sheet. Cancel (CancelRequested), a declined question or a failure abandons the open
// document, so nothing of an unfinished run is printed except sheets already sent at a pause.
void RunTypedText(const PrintJob& job, DrawingSurface& surface, PrintRunWindow& window);
void RunAddressBook(const PrintJob& job, DrawingSurface& surface, PrintRunWindow& window);

// Progress after `done` of `total` labels: 12-50 in the measuring pass, 50-95 in the printing
// pass, rounded halves to even.
enum class RunPass { Measuring, Printing };
int LabelProgress(RunPass pass, std::int64_t done, std::int64_t total);

} // namespace quillet
