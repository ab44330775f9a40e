#include "printing/page_metrics.h"

#include "common/failure.h"
#include "printing/drawing_surface.h"

namespace quillet {

PageMetrics ReadPageMetrics(const DrawingSurface& surface)
{
    const double dpiX = surface.GetDeviceCaps(LOGPIXELSX);
    const double dpiY = surface.GetDeviceCaps(LOGPIXELSY);
    if (dpiX <= 0 || dpiY <= 0)
        throw Failure(FailureNumber::InvalidArgument, QStringLiteral("The printer reports no resolution"));
    PageMetrics m;
    m.SheetWidth = static_cast<float>(surface.GetDeviceCaps(PHYSICALWIDTH) / dpiX);
    m.SheetHeight = static_cast<float>(surface.GetDeviceCaps(PHYSICALHEIGHT) / dpiY);
    m.MarginLeft = static_cast<float>(surface.GetDeviceCaps(PHYSICALOFFSETX) / dpiX);
    m.MarginTop = static_cast<float>(surface.GetDeviceCaps(PHYSICALOFFSETY) / dpiY);
    m.PrintableWidth = static_cast<float>(surface.GetDeviceCaps(HORZSIZE) / 25.4);
    m.PrintableHeight = static_cast<float>(surface.GetDeviceCaps(VERTSIZE) / 25.4);
    m.RightMarginAt = m.PrintableWidth + m.MarginLeft;
    m.BottomMarginAt = m.PrintableHeight + m.MarginTop;
    return m;
}

} // namespace quillet
