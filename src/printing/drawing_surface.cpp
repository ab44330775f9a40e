#include "printing/drawing_surface.h"

#include <cmath>

namespace quillet {

namespace {
int Round(double v)
{
    return static_cast<int>(std::lround(v));
}

// A run uses a handful of fonts and, per font, one text per address line.
constexpr std::size_t MaxFonts = 16;
constexpr int MaxTextsPerFont = 20000;
} // namespace

void DrawingSurface::holdGeometry(bool hold)
{
    if (hold) device_ = geometry();
    held_ = hold;
    for (FontEntry& entry : fonts_) {
        entry.advance = -1;
        entry.texts.clear();
    }
}

const DeviceGeometry& DrawingSurface::device() const
{
    if (!held_) device_ = geometry();
    return device_;
}

int DrawingSurface::GetDeviceCaps(int index) const
{
    const DeviceGeometry& g = device();
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
    return fromPixelsX(device().paper.width());
}

double DrawingSurface::sheetHeight() const
{
    return fromPixelsY(device().paper.height());
}

double DrawingSurface::printableWidth() const
{
    return fromPixelsX(device().printable.width());
}

double DrawingSurface::printableHeight() const
{
    return fromPixelsY(device().printable.height());
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

DrawingSurface::FontEntry& DrawingSurface::currentFont() const
{
    if (fontDirty_) {
        std::size_t found = fonts_.size();
        for (std::size_t i = 0; i < fonts_.size(); ++i) {
            const FontEntry& e = fonts_[i];
            if (e.size == fontSize_ && e.bold == bold_ && e.italic == italic_ && e.underline == underline_ &&
                e.name == fontName_) {
                found = i;
                break;
            }
        }
        if (found == fonts_.size()) {
            if (fonts_.size() >= MaxFonts) fonts_.clear();
            if (fonts_.capacity() < MaxFonts) fonts_.reserve(MaxFonts);
            FontEntry e;
            e.name = fontName_;
            e.size = fontSize_;
            e.bold = bold_;
            e.italic = italic_;
            e.underline = underline_;
            if (!fontName_.isEmpty()) e.font.setFamily(fontName_);
            e.font.setPointSizeF(fontSize_ > 0 ? fontSize_ : 10.0);
            e.font.setBold(bold_);
            e.font.setItalic(italic_);
            e.font.setUnderline(underline_);
            found = fonts_.size();
            fonts_.push_back(std::move(e));
        }
        current_ = found;
        fontDirty_ = false;
    }
    return fonts_[current_];
}

const QFont& DrawingSurface::font() const
{
    return currentFont().font;
}

DrawingSurface::KnownText& DrawingSurface::known(FontEntry& font, const QString& text) const
{
    const auto found = font.texts.find(text);
    if (found != font.texts.end()) return *found;
    if (font.texts.size() >= MaxTextsPerFont) font.texts.clear();
    return *font.texts.insert(text, KnownText());
}

double DrawingSurface::textWidth(const QString& text) const
{
    FontEntry& e = currentFont();
    if (!held_) return fromPixelsX(measureWidth(e.font, text));
    KnownText& k = known(e, text);
    if (k.width < 0) k.width = measureWidth(e.font, text);
    return fromPixelsX(k.width);
}

double DrawingSurface::advancePixels() const
{
    FontEntry& e = currentFont();
    if (!held_) return lineAdvance(e.font);
    if (e.advance < 0) e.advance = lineAdvance(e.font);
    return e.advance;
}

double DrawingSurface::textHeight(const QString& text) const
{
    // Every text is one line high; multi-line texts never reach the surface.
    Q_UNUSED(text);
    return fromPixelsY(advancePixels());
}

void DrawingSurface::drawText(const QString& text)
{
    openDocument();
    if (text.isEmpty()) return;
    FontEntry& e = currentFont();
    const QPointF topLeft(toPixelsX(currentX), toPixelsY(currentY));
    if (held_)
        paintKnownText(e.font, foreColor_, topLeft, text, known(e, text));
    else
        paintText(e.font, foreColor_, topLeft, text);
}

void DrawingSurface::drawEmptyLine()
{
    openDocument();
    currentX = 0;
    currentY += fromPixelsY(advancePixels());
}

double DrawingSurface::toPixelsX(double value) const
{
    return value / unitsPerInch() * device().dpiX;
}

double DrawingSurface::toPixelsY(double value) const
{
    return value / unitsPerInch() * device().dpiY;
}

double DrawingSurface::fromPixelsX(double pixels) const
{
    const double dpi = device().dpiX;
    return dpi > 0 ? pixels / dpi * unitsPerInch() : 0.0;
}

double DrawingSurface::fromPixelsY(double pixels) const
{
    const double dpi = device().dpiY;
    return dpi > 0 ? pixels / dpi * unitsPerInch() : 0.0;
}

} // namespace quillet
