#include "printing/label_placement.h"

#include "printing/drawing_surface.h"
#include "printing/sheet_geometry.h"

namespace quillet {

void PlaceLabel(DrawingSurface& surface, const LineTable& lines, const SheetGeometry& sheet, int row, int column,
                PlaceMode mode, TextExtents& extents)
{
    static const QString X = QStringLiteral("X");
    int lastFilled = -1;
    for (int i = 0; i < 5; ++i)
        if (!lines[static_cast<std::size_t>(i)].text.isEmpty()) lastFilled = i;

    float y = static_cast<float>(row - 1) * sheet.TopToTop + sheet.TopStart;
    const float left = static_cast<float>(column - 1) * sheet.SideToSide + sheet.LeftStart;
    for (int i = 0; i < 5; ++i) {
        const LineEntry& line = lines[static_cast<std::size_t>(i)];
        const float x = left + line.centreOffset;
        surface.currentX = x;
        surface.currentY = y;
        ApplyLineFont(surface, line);
        const bool more = i < lastFilled;
        if (mode == PlaceMode::Measure) {
            const float bottom = y + static_cast<float>(surface.textHeight(X));
            const float right = x + static_cast<float>(surface.textWidth(line.text));
            if (bottom > extents.MaxBottom) extents.MaxBottom = bottom;
            if (right > extents.MaxRight) extents.MaxRight = right;
        } else {
            surface.drawText(line.text);
        }
        if (!more) break;
        y += static_cast<float>(surface.textHeight(X));
    }
}

bool AdvanceLabelPosition(int& row, int& column, const SheetGeometry& sheet)
{
    if (column >= sheet.Columns) {
        column = 1;
        if (row >= sheet.Rows) {
            row = 1;
            return true;
        }
        ++row;
        return false;
    }
    ++column;
    return false;
}

} // namespace quillet
