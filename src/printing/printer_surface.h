#pragma once

#include "printing/painter_surface.h"

#include <QList>
#include <QMarginsF>
#include <QPageLayout>
#include <QStringList>

#include <memory>

class QPrinter;

namespace quillet {

// The drawing surface on a QPrinter: measures and paints as PainterSurface does, on a private
// canvas set up like the printer. Every document is first painted into a private PDF file, so
// that abandoning it really leaves nothing: on endDocument the file is renamed to the first free
// name beside the printer's output file (PDF output; nothing already written is overwritten) or
// handed to the print system as one job and removed (a real printer).
//
// On a real printer the sheet is the queue's own paper with the unprintable margins its driver
// reports for that paper (Qt's figures for a queue are its own defaults), and the document handed
// over is exactly that paper, portrait, so the print system never scales or turns it: a landscape
// sheet is drawn turned on the portrait page, its top along the paper's left edge.
class PrinterSurface : public PainterSurface {
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
    // Where finished documents go: the printer's name and paper, or the PDF file path they are named after.
    QString outputDescription() const;
    // The paper's name as the driver gives it ("US Letter").
    QString paperName() const;
    // The PDF files written by the documents ended so far (PDF output only).
    const QStringList& writtenFiles() const { return written_; }
    // The print system's numbers of the jobs handed over so far (a real printer only).
    const QList<int>& submittedJobs() const { return jobs_; }

protected:
    const QPaintDevice* measuringDevice() const override;
    void openDocument() override;

private:
    // The sheet as it is printed: size and margins in points, in the sheet's orientation.
    struct Sheet {
        QSizeF size;
        QMarginsF margins;
        QString name;
        QString media;       // the print system's name for the paper; empty for PDF output
        bool turned = false; // landscape, drawn turned on portrait paper
    };

    bool toPdfFile() const;
    const Sheet& sheet() const;
    QPageLayout canvasLayoutFor(const Sheet& s) const;
    // Sets the private PDF up like the printer (resolution, paper, margins); not while a document is open.
    void prepareCanvas();
    void placeOrigin();

    QPrinter& printer_;
    std::unique_ptr<QPrinter> canvas_; // the private PDF every document is painted into
    QString canvasPath_;
    QStringList written_;
    QList<int> jobs_;
    // What the sheet was last worked out from.
    mutable bool sheetKnown_ = false;
    mutable QString sheetPrinter_;
    mutable bool sheetPdf_ = false;
    mutable QPageLayout sheetLayout_;
    mutable Sheet sheet_;
    QPageLayout canvasLayout_; // what the canvas was last set up from
    int canvasResolution_ = 0;
    bool canvasColour_ = false;
};

} // namespace quillet
