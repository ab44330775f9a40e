#pragma once

#include "printing/drawing_surface.h"

#include <QFont>
#include <QPainter>

class QPaintDevice;

namespace quillet {

// The drawing surface on any paint device: a widget, a QPixmap, a QPicture or a printer. Text is
// measured against the device and painted with a QPainter, with the same fonts as printing, so
// what a window shows is what the printer gets. The whole device is printable; positions are
// measured from its top-left corner.
class PainterSurface : public DrawingSurface {
public:
    PainterSurface() = default;
    // Starts painting on `device` at once (a widget: only inside its paint event).
    explicit PainterSurface(QPaintDevice* device);
    ~PainterSurface() override;
    PainterSurface(const PainterSurface&) = delete;
    PainterSurface& operator=(const PainterSurface&) = delete;

    // Paints on `device` from now on; false when the painter cannot start.
    bool begin(QPaintDevice* device);
    void end();
    QPainter& painter() { return painter_; }

    DeviceGeometry geometry() const override;
    QString deviceName() const override { return QStringLiteral("Screen"); }
    QString driverName() const override { return QStringLiteral("Qt"); }
    QString portName() const override { return QString(); }

    // A printer starts a new page; other devices have one page.
    void newPage() override;
    // The device keeps what was painted; painting ends.
    void endDocument() override { end(); }
    void abandonDocument() override { end(); }

protected:
    // The device text is measured against: the one painted on.
    virtual const QPaintDevice* measuringDevice() const { return device_; }
    double measureWidth(const QFont& font, const QString& text) const override;
    double lineAdvance(const QFont& font) const override;
    void paintText(const QFont& font, std::uint32_t rgb, QPointF topLeft, const QString& text) override;
    // Lays the text out once, the first time, and from then on paints the glyphs that came of it.
    void paintKnownText(const QFont& font, std::uint32_t rgb, QPointF topLeft, const QString& text,
                        KnownText& known) override;
    void openDocument() override {}

    QPainter painter_;
    // After the painter began or a page started the next text sets font and pen again.
    void painterReset() { fontReady_ = penReady_ = false; }

private:
    void usePen(std::uint32_t rgb);

    QPaintDevice* device_ = nullptr;
    // What the painter was last given, so that repeating it costs nothing.
    bool fontReady_ = false;
    QFont paintFont_;
    double paintAscent_ = 0;
    bool penReady_ = false;
    std::uint32_t paintColor_ = 0;
};

} // namespace quillet
