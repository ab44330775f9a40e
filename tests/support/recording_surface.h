#pragma once

#include "printing/drawing_surface.h"

#include <QImage>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

namespace quillet {

// A drawing surface that prints nothing and remembers everything: the geometry is whatever the
// caller chooses, text is measured with the real font metrics at the surface's resolution, every
// text drawn is recorded in order and the documents and pages are counted.
class RecordingSurface : public DrawingSurface {
public:
    struct Record {
        int page = 0; // within the document, from 1
        QString text;
        double x = 0; // in the unit current when drawn
        double y = 0;
        QString fontName;
        float fontSize = 0;
        bool bold = false;
        bool italic = false;
        std::uint32_t color = 0;
    };

    explicit RecordingSurface(const DeviceGeometry& geometry) { setGeometry(geometry); }

    DeviceGeometry geometry() const override { return geometry_; }
    void setGeometry(const DeviceGeometry& geometry);
    QString deviceName() const override { return QStringLiteral("Recording"); }
    QString driverName() const override { return QStringLiteral("Recording"); }
    QString portName() const override { return QString(); }

    void newPage() override;
    void endDocument() override;
    void abandonDocument() override;

    // The drawn texts (empty texts are not drawn).
    const std::vector<Record>& texts() const { return texts_; }
    int newPages() const { return newPages_; }
    int documentsEnded() const { return ended_; }
    int documentsAbandoned() const { return abandoned_; }
    // Nothing drawn, and no document or page begun or ended, since made or cleared.
    bool untouched() const { return texts_.empty() && opened_ + newPages_ + ended_ + abandoned_ == 0; }
    void clear();

    // Called with each text before it is recorded; a double of a failing printer throws from it.
    std::function<void(const QString& text)> onText;

protected:
    double measureWidth(const QFont& font, const QString& text) const override;
    double lineAdvance(const QFont& font) const override;
    void paintText(const QFont& font, std::uint32_t rgb, QPointF topLeft, const QString& text) override;
    void openDocument() override;

private:
    DeviceGeometry geometry_;
    QImage metricsDevice_; // a paint device at the surface's resolution
    std::vector<Record> texts_;
    int page_ = 0; // 0 while no document is open
    int opened_ = 0;
    int newPages_ = 0;
    int ended_ = 0;
    int abandoned_ = 0;
};

} // namespace quillet
