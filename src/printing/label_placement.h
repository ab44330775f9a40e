#pragma once

#include "printing/line_table.h"

namespace quillet {

class DrawingSurface;
struct SheetGeometry;

enum class PlaceMode { Measure, Print };

// How far the text of a measuring pass reaches, in drawing-surface inches.
struct TextExtents {
    float MaxBottom = 0;
    float MaxRight = 0;
};

// Lays out one label at row `row`, column `column` (from 1). Each line advances by the height of
// "X" in its own font; lines below the last non-empty one take no room. Measure mode draws
// nothing and widens `extents`; print mode draws.
void PlaceLabel(DrawingSurface& surface, const LineTable& lines, const SheetGeometry& sheet, int row, int column,
                PlaceMode mode, TextExtents& extents);

// Moves to the next label: along the row, then down. True when the next label starts a new sheet.
bool AdvanceLabelPosition(int& row, int& column, const SheetGeometry& sheet);

} // namespace quillet
