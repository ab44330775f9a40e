#pragma once

#include "printing/drawing_surface.h"

#include <QPageLayout>
#include <QPainter>
#include <QStringList>

#include <memory>

class QPrinter;

namespace quillet {

// The drawing surface on a QPrinter. Every document is first painted into a private PDF file, so
// that abandoning it really leaves nothing: on endDocument the file is renamed to the first free
// name beside the printer's output file (PDF output; nothing already written is overwritten) or
// handed to the print system as one job and removed (a real printer).
class PrinterSurface : public DrawingSurface {
public:
    explicit PrinterSurface(QPrinter& printer);
    ~PrinterSurface() override;
    PrinterSurface(const PrinterSurface&) = delete;
    PrinterSurface& operator=(const PrinterSurface&) = delete;

    DeviceGeometry geometry() const override;
    QString deviceName() const override;
    QString driverName() const override;
    QString portName() const override;

    void newPage() override;
    void endDocument() override;
    void abandonDocument() override;

    bool documentOpen() const { return painter_.isActive(); }
    // Where finished documents go: the printer's name, or the PDF file path they are named after.
    QString outputDescription() const;
    // The PDF files written by the documents ended so far (PDF output only).
    const QStringList& writtenFiles() const { return written_; }

protected:
    double measureWidth(const QFont& font, const QString& text) const override;
    double lineAdvance(const QFont& font) const override;
    void paintText(const QFont& font, std::uint32_t rgb, QPointF topLeft, const QString& text) override;
    void openDocument() override;

private:
    bool toPdfFile() const;
    // Sets the private PDF up like the printer (resolution, paper, margins); not while a document is open.
    void prepareCanvas();
    void placeOrigin();

    QPrinter& printer_;
    std::unique_ptr<QPrinter> canvas_; // the private PDF every document is painted into
    QPainter painter_;
    QString canvasPath_;
    QStringList written_;
    QPageLayout canvasLayout_; // what the canvas was last set up from
    int canvasResolution_ = 0;
    bool canvasColour_ = false;
    mutable QPageLayout cachedLayout_;
    mutable int cachedResolution_ = 0;
    mutable DeviceGeometry cachedGeometry_;
    // What the painter was last given, so that repeating it costs nothing.
    bool painterReady_ = false;
    QFont paintFont_;
    double paintAscent_ = 0;
    std::uint32_t paintColor_ = 0;
};

} // namespace quillet
