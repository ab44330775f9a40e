#pragma once

#include <cstdint>

namespace quillet {

struct PageMetrics;

// The current layout's sheet, as a print run uses it. Distances in inches, single precision.
struct SheetGeometry {
    std::int16_t Columns = 1;
    std::int16_t Rows = 1;
    float SideToSide = 0;
    float TopToTop = 0;
    float LabelWidth = 0;
    // Where the first label's text begins on the drawing surface, whose origin is the printable
    // area's corner: the layout's offsets are measured from the paper's edges.
    float LeftStart = 0;
    float TopStart = 0;
    bool Centred = false;
};

// Reads the layout's fields; Columns and Rows round halves to even (overflow throws Failure).
SheetGeometry ReadSheetGeometry(int layoutNumber, const PageMetrics& metrics);

} // namespace quillet
