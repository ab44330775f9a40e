#include "printing/drawing_surface.h"

#include <cmath>

namespace quillet {

namespace {
int Round(double v)
{
    return static_cast<int>(std::lround(v));
}
} // namespace

int DrawingSurface::GetDeviceCaps(int index) const
{
    const DeviceGeometry g = geometry();
    switch (index) {
    case LOGPIXELSX:
        return Round(g.dpiX);
    case LOGPIXELSY:
        return Round(g.dpiY);
    case PHYSICALWIDTH:
        return Round(g.paper.width());
    case PHYSICALHEIGHT:
        return Round(g.paper.height());
    case PHYSICALOFFSETX:
        return Round(g.printable.left());
    case PHYSICALOFFSETY:
        return Round(g.printable.top());
    case HORZSIZE:
        return g.dpiX > 0 ? Round(g.printable.width() / g.dpiX * 25.4) : 0;
    case VERTSIZE:
        return g.dpiY > 0 ? Round(g.printable.height() / g.dpiY * 25.4) : 0;
    default:
        return 0;
    }
}

double DrawingSurface::sheetWidth() const
{
    return fromPixelsX(geometry().paper.width());
}

double DrawingSurface::sheetHeight() const
{
    return fromPixelsY(geometry().paper.height());
}

double DrawingSurface::printableWidth() const
{
    return fromPixelsX(geometry().printable.width());
}

double DrawingSurface::printableHeight() const
{
    return fromPixelsY(geometry().printable.height());
}

void DrawingSurface::setFontName(const QString& name)
{
    if (name == fontName_) return;
    fontName_ = name;
    fontDirty_ = true;
}

void DrawingSurface::setFontSize(float points)
{
    if (points == fontSize_) return;
    fontSize_ = points;
    fontDirty_ = true;
}

void DrawingSurface::setFontBold(bool on)
{
    if (on == bold_) return;
    bold_ = on;
    fontDirty_ = true;
}

void DrawingSurface::setFontItalic(bool on)
{
    if (on == italic_) return;
    italic_ = on;
    fontDirty_ = true;
}

void DrawingSurface::setFontUnderline(bool on)
{
    if (on == underline_) return;
    underline_ = on;
    fontDirty_ = true;
}

const QFont& DrawingSurface::font() const
{
    if (fontDirty_) {
        font_ = QFont();
        if (!fontName_.isEmpty()) font_.setFamily(fontName_);
        font_.setPointSizeF(fontSize_ > 0 ? fontSize_ : 10.0);
        font_.setBold(bold_);
        font_.setItalic(italic_);
        font_.setUnderline(underline_);
        fontDirty_ = false;
    }
    return font_;
}

double DrawingSurface::textWidth(const QString& text) const
{
    return fromPixelsX(measureWidth(font(), text));
}

double DrawingSurface::textHeight(const QString& text) const
{
    // Every text is one line high; multi-line texts never reach the surface.
    Q_UNUSED(text);
    return fromPixelsY(lineAdvance(font()));
}

void DrawingSurface::drawText(const QString& text)
{
    openDocument();
    if (text.isEmpty()) return;
    paintText(font(), foreColor_, QPointF(toPixelsX(currentX), toPixelsY(currentY)), text);
}

void DrawingSurface::drawEmptyLine()
{
    openDocument();
    currentX = 0;
    currentY += fromPixelsY(lineAdvance(font()));
}

double DrawingSurface::toPixelsX(double value) const
{
    return value / unitsPerInch() * geometry().dpiX;
}

double DrawingSurface::toPixelsY(double value) const
{
    return value / unitsPerInch() * geometry().dpiY;
}

double DrawingSurface::fromPixelsX(double pixels) const
{
    const double dpi = geometry().dpiX;
    return dpi > 0 ? pixels / dpi * unitsPerInch() : 0.0;
}

double DrawingSurface::fromPixelsY(double pixels) const
{
    const double dpi = geometry().dpiY;
    return dpi > 0 ? pixels / dpi * unitsPerInch() : 0.0;
}

} // namespace quillet
