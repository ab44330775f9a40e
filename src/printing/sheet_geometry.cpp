#include "printing/sheet_geometry.h"

#include "common/numbers.h"
#include "model/layout_data.h"
#include "printing/page_metrics.h"

namespace quillet {

namespace {
float ReadSingle(int layoutNumber, LayoutField field)
{
    return static_cast<float>(ReadNumber(LayoutCell(layoutNumber, field)));
}
} // namespace

SheetGeometry ReadSheetGeometry(int layoutNumber, const PageMetrics& metrics)
{
    SheetGeometry g;
    g.Columns = RoundToInt16(ReadNumber(LayoutCell(layoutNumber, Columns)));
    g.Rows = RoundToInt16(ReadNumber(LayoutCell(layoutNumber, Rows)));
    g.SideToSide = ReadSingle(layoutNumber, SideToSide);
    g.TopToTop = ReadSingle(layoutNumber, TopToTop);
    g.LabelWidth = ReadSingle(layoutNumber, LabelWidth);
    g.LeftStart = ReadSingle(layoutNumber, LeftOffset) - metrics.MarginLeft;
    g.TopStart = ReadSingle(layoutNumber, TopOffset) - metrics.MarginTop;
    g.Centred = IsOneFlag(LayoutCell(layoutNumber, Alignment));
    return g;
}

} // namespace quillet
