#include "printing/painter_surface.h"

#include "common/failure.h"

#include <QColor>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPaintDevice>

#include <cerrno>

namespace quillet {

PainterSurface::PainterSurface(QPaintDevice* device)
{
    if (!begin(device)) throw Failure(EIO, QStringLiteral("Painting could not start"));
}

PainterSurface::~PainterSurface()
{
    end();
}

bool PainterSurface::begin(QPaintDevice* device)
{
    end();
    device_ = device;
    painterReady_ = false;
    return device_ && painter_.begin(device_);
}

void PainterSurface::end()
{
    if (painter_.isActive()) painter_.end();
}

DeviceGeometry PainterSurface::geometry() const
{
    DeviceGeometry g;
    if (!device_) return g;
    g.dpiX = device_->logicalDpiX();
    g.dpiY = device_->logicalDpiY();
    g.paper = QSizeF(device_->width(), device_->height());
    g.printable = QRectF(QPointF(0, 0), g.paper);
    return g;
}

void PainterSurface::newPage()
{
    auto* paged = dynamic_cast<QPagedPaintDevice*>(device_);
    if (paged && !paged->newPage()) throw Failure(EIO, QStringLiteral("A new page could not be started"));
    painterReady_ = false;
}

double PainterSurface::measureWidth(const QFont& font, const QString& text) const
{
    return QFontMetricsF(font, measuringDevice()).horizontalAdvance(text);
}

double PainterSurface::lineAdvance(const QFont& font) const
{
    return QFontMetricsF(font, measuringDevice()).lineSpacing();
}

void PainterSurface::paintText(const QFont& font, std::uint32_t rgb, QPointF topLeft, const QString& text)
{
    // Setting the painter's font and pen is costly; labels mostly repeat the previous line's.
    if (!painterReady_ || !(font == paintFont_)) {
        painter_.setFont(font);
        paintFont_ = font;
        paintAscent_ = QFontMetricsF(font, painter_.device()).ascent();
    }
    if (!painterReady_ || rgb != paintColor_) {
        painter_.setPen(QColor(int(rgb & 0xFF), int((rgb >> 8) & 0xFF), int((rgb >> 16) & 0xFF)));
        paintColor_ = rgb;
    }
    painterReady_ = true;
    painter_.drawText(QPointF(topLeft.x(), topLeft.y() + paintAscent_), text);
}

} // namespace quillet
