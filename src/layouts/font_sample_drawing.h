#pragma once

#include "printing/line_table.h"

#include <QString>

#include <array>

// What the font sample window shows, without its window: the five lines of a layout in its own
// fonts, drawn on any drawing surface with the measuring and fonts printing uses.
namespace quillet {

class DrawingSurface;

// The layout's default text when it is switched on and one of its lines is filled (empty lines
// included), otherwise the built-in sample address.
std::array<QString, 5> FontSampleText(int layoutNumber);

// The five lines with the layout's fonts (line 1's for all unless the layout has separate fonts)
// and the sample text. A colour too large for 32 bits throws Failure(Overflow).
LineTable FontSampleLines(int layoutNumber);

// The size a line is drawn at: a size that is not positive, or too large for any screen, as 10 points.
float FontSampleSize(double stored);

// The running total of the line heights and the widest line of the last pass, in twips.
struct FontSampleExtent {
    double totalHeight = 0;
    int widestLine = 0;
};

// Measures the lines, then draws them, each pass from 100 twips down; lines start 100 twips from
// the left, or, when centred, are centred on 100 twips plus half the widest line. The total height
// runs on through both passes. The surface's unit is set to twips.
FontSampleExtent DrawFontSample(DrawingSurface& surface, const LineTable& lines, bool centred);

} // namespace quillet
