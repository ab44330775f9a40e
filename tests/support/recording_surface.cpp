#include "support/recording_surface.h"

#include <QFontMetricsF>

#include <cmath>

namespace quillet {

RecordingSurface::RecordingSurface(const DeviceGeometry& geometry)
{
    setGeometry(geometry);
}

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

RecordingSurface::Record RecordingSurface::record(Event event) const
{
    Record r;
    r.event = event;
    r.page = open_ ? page_ : 0;
    r.x = currentX;
    r.y = currentY;
    r.fontName = fontName();
    r.fontSize = fontSize();
    r.bold = fontBold();
    r.italic = fontItalic();
    r.color = foreColor();
    return r;
}

void RecordingSurface::paintText(const QFont&, std::uint32_t, QPointF, const QString& text)
{
    Record r = record(Event::Text);
    r.text = text;
    records_.push_back(r);
}

void RecordingSurface::openDocument()
{
    if (open_) return;
    open_ = true;
    page_ = 1;
}

void RecordingSurface::newPage()
{
    openDocument();
    records_.push_back(record(Event::NewPage));
    ++page_;
}

void RecordingSurface::endDocument()
{
    if (!open_) return;
    records_.push_back(record(Event::EndDocument));
    open_ = false;
    ++ended_;
}

void RecordingSurface::abandonDocument()
{
    if (!open_) return;
    records_.push_back(record(Event::Abandon));
    open_ = false;
    ++abandoned_;
}

std::vector<RecordingSurface::Record> RecordingSurface::texts() const
{
    std::vector<Record> out;
    for (const Record& r : records_)
        if (r.event == Event::Text) out.push_back(r);
    return out;
}

void RecordingSurface::clear()
{
    records_.clear();
    ended_ = 0;
    abandoned_ = 0;
}

} // namespace quillet
