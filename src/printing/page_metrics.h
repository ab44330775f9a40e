#pragma once

namespace quillet {

class DrawingSurface;

// The selected printer's sheet in inches, read once per print run from the device capabilities.
// Each quotient is worked out in double precision and kept in single precision.
struct PageMetrics {
    float SheetWidth = 0;
    float SheetHeight = 0;
    float MarginLeft = 0; // paper's left edge to the printable area
    float MarginTop = 0;  // paper's top edge to the printable area
    float PrintableWidth = 0;
    float PrintableHeight = 0;
    float RightMarginAt = 0;  // right end of the printable area, from the paper's left edge
    float BottomMarginAt = 0; // bottom end of the printable area, from the paper's top edge
};

// Throws Failure when the device reports no resolution.
PageMetrics ReadPageMetrics(const DrawingSurface& surface);

} // namespace quillet
