#pragma once

// The benchmarks' memory figures, from /proc/self: resident memory now and at its peak (since
// the last reset), in megabytes.
namespace quillet::bench {

double ResidentMegabytes();
double PeakMegabytes();
void ResetPeak();

} // namespace quillet::bench
