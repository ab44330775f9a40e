#pragma once

namespace quillet {

// Questions put before anything is drawn; the user may print anyway. Each returns true to go on
// and false to end the run (a declined question, or a failure that has been reported).

// Before the passes: a top offset above the printer's unprintable top margin.
bool CheckTopMargin(float MarginTop, float TopOffset);

// After the measuring pass: the text's lowest and rightmost points against the sheet and the
// printer's margins, all measured from the paper's edges. Comparisons are strict.
bool CheckFit(float MaxBottom, float SheetHeight, float BottomMarginAt, float MaxRight, float SheetWidth,
              float RightMarginAt);

} // namespace quillet
