#pragma once

#include <QString>

#include <array>
#include <cstdint>

namespace quillet {

class DrawingSurface;
struct SheetGeometry;

// One text line of a label: its font items (read once per run), its text and its centring offset
// (filled per label source).
struct LineEntry {
    QString fontName;
    double fontSize = 0; // points as read; outside 3-50 the surface keeps the size it has
    bool bold = false;
    bool italic = false;
    bool underline = false;
    std::uint32_t color = 0; // RGB, red in the low byte
    QString text;
    float centreOffset = 0; // inches; 0 when the layout is left-aligned
};

using LineTable = std::array<LineEntry, 5>;

// Line i's font comes from line i's record when the layout has separate fonts, otherwise every
// line takes line 1's record. A colour that does not fit 32 bits throws Failure(Overflow).
void FillLineFonts(LineTable& lines, int layoutNumber);

void ApplyLineFont(DrawingSurface& surface, const LineEntry& line);

// Centred layouts: each line's offset centres its text within the label (a text wider than the
// label gets a negative offset). Left-aligned layouts: every offset is 0.
void ComputeCentreOffsets(DrawingSurface& surface, LineTable& lines, const SheetGeometry& sheet);

} // namespace quillet
