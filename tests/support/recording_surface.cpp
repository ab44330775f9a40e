#include "support/recording_surface.h"

#include <QFontMetricsF>

#include <cmath>

namespace quillet {

void RecordingSurface::setGeometry(const DeviceGeometry& geometry)
{
    geometry_ = geometry;
    metricsDevice_ = QImage(1, 1, QImage::Format_RGB32);
    metricsDevice_.setDotsPerMeterX(static_cast<int>(std::lround(geometry.dpiX / 0.0254)));
    metricsDevice_.setDotsPerMeterY(static_cast<int>(std::lround(geometry.dpiY / 0.0254)));
}

double RecordingSurface::measureWidth(const QFont& font, const QString& text) const
{
    return QFontMetricsF(font, &metricsDevice_).horizontalAdvance(text);
}

double RecordingSurface::lineAdvance(const QFont& font) const
{
    return QFontMetricsF(font, &metricsDevice_).lineSpacing();
}

void RecordingSurface::paintText(const QFont&, std::uint32_t, QPointF, const QString& text)
{
    if (onText) onText(text);
    texts_.push_back({page_, text, currentX, currentY, fontName(), fontSize(), fontBold(), fontItalic(), foreColor()});
}

void RecordingSurface::openDocument()
{
    if (page_ > 0) return;
    page_ = 1;
    ++opened_;
}

void RecordingSurface::newPage()
{
    openDocument();
    ++page_;
    ++newPages_;
}

void RecordingSurface::endDocument()
{
    if (page_ == 0) return;
    page_ = 0;
    ++ended_;
}

void RecordingSurface::abandonDocument()
{
    if (page_ == 0) return;
    page_ = 0;
    ++abandoned_;
}

void RecordingSurface::clear()
{
    texts_.clear();
    opened_ = newPages_ = ended_ = abandoned_ = 0;
}

} // namespace quillet
