#include "printing/painter_surface.h"

#include "common/failure.h"

#include <QColor>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPaintDevice>
#include <QTextLayout>
#include <QTextOption>

#include <cerrno>
#include <utility>

namespace quillet {

namespace {

// The glyphs of one line of text as QPainter::drawText would lay them out (left to right, no
// wrapping), placed so that the text's top-left corner is at the origin and its baseline one
// ascent of the font below, where drawText puts it; a fallback font's taller line does not move it.
QList<QGlyphRun> ShapeLine(const QString& text, const QFont& font, QPaintDevice* device)
{
    QTextLayout layout(text, font, device);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTextDirection(Qt::LeftToRight);
    option.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
    layout.setTextOption(option);
    layout.setCacheEnabled(false);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    if (!line.isValid()) return {};
    QList<QGlyphRun> runs = line.glyphRuns();
    const double shift = QFontMetricsF(font, device).ascent() - line.ascent();
    if (shift != 0) {
        for (QGlyphRun& run : runs) {
            QList<QPointF> positions = run.positions();
            for (QPointF& p : positions) p.ry() += shift;
            run.setPositions(positions);
        }
    }
    return runs;
}

} // namespace

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
    painterReset();
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
    painterReset();
}

double PainterSurface::measureWidth(const QFont& font, const QString& text) const
{
    return QFontMetricsF(font, measuringDevice()).horizontalAdvance(text);
}

double PainterSurface::lineAdvance(const QFont& font) const
{
    return QFontMetricsF(font, measuringDevice()).lineSpacing();
}

void PainterSurface::usePen(std::uint32_t rgb)
{
    // Setting the painter's pen (and font) is costly; labels mostly repeat the previous line's.
    if (penReady_ && rgb == paintColor_) return;
    painter_.setPen(QColor(int(rgb & 0xFF), int((rgb >> 8) & 0xFF), int((rgb >> 16) & 0xFF)));
    paintColor_ = rgb;
    penReady_ = true;
}

void PainterSurface::paintText(const QFont& font, std::uint32_t rgb, QPointF topLeft, const QString& text)
{
    if (!fontReady_ || !(font == paintFont_)) {
        painter_.setFont(font);
        paintFont_ = font;
        paintAscent_ = QFontMetricsF(font, painter_.device()).ascent();
        fontReady_ = true;
    }
    usePen(rgb);
    painter_.drawText(QPointF(topLeft.x(), topLeft.y() + paintAscent_), text);
}

void PainterSurface::paintKnownText(const QFont& font, std::uint32_t rgb, QPointF topLeft, const QString& text,
                                    KnownText& known)
{
    if (!known.shaped) {
        known.glyphs = ShapeLine(text, font, painter_.device());
        known.shaped = true;
    }
    usePen(rgb);
    for (const QGlyphRun& run : std::as_const(known.glyphs)) painter_.drawGlyphRun(topLeft, run);
}

} // namespace quillet
