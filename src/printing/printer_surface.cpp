#include "printing/printer_surface.h"

#include "common/failure.h"
#include "printing/pdf_output_name.h"
#include "printing/print_queue.h"
#include "printing/selected_printer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <cerrno>
#include <optional>

namespace quillet {

PrinterSurface::PrinterSurface(QPrinter& printer) : printer_(printer) {}

PrinterSurface::~PrinterSurface()
{
    // A document nobody ended is not printed.
    if (painter_.isActive()) {
        painter_.end();
        QFile::remove(canvasPath_);
    }
}

bool PrinterSurface::toPdfFile() const
{
    return printer_.outputFormat() == QPrinter::PdfFormat;
}

const PrinterSurface::Sheet& PrinterSurface::sheet() const
{
    const QPageLayout layout = printer_.pageLayout();
    const QString name = printer_.printerName();
    if (sheetKnown_ && name == sheetPrinter_ && layout == sheetLayout_ && toPdfFile() == sheetPdf_) return sheet_;
    Sheet s;
    const std::optional<QueuePaper> paper =
        toPdfFile() ? std::nullopt : QueuePaperOfSize(name, layout.pageSize().size(QPageSize::Point));
    if (paper) {
        s.name = paper->displayName;
        s.media = paper->media;
        s.turned = layout.orientation() == QPageLayout::Landscape;
        s.size = s.turned ? paper->size.transposed() : paper->size;
        const QMarginsF m = paper->margins;
        // Turned a quarter to the left: the sheet's top lies along the paper's left edge.
        s.margins = s.turned ? QMarginsF(m.bottom(), m.left(), m.top(), m.right()) : m;
    } else {
        // PDF output, or a paper the print system does not know: the page layout as it is set.
        s.name = layout.pageSize().name();
        s.size = layout.fullRect(QPageLayout::Point).size();
        s.margins = layout.margins(QPageLayout::Point);
    }
    sheetKnown_ = true;
    sheetPrinter_ = name;
    sheetPdf_ = toPdfFile();
    sheetLayout_ = layout;
    sheet_ = s;
    return sheet_;
}

DeviceGeometry PrinterSurface::geometry() const
{
    const Sheet& s = sheet();
    const int resolution = printer_.resolution();
    const double scale = resolution / 72.0;
    DeviceGeometry g;
    g.dpiX = resolution;
    g.dpiY = resolution;
    g.paper = s.size * scale;
    g.printable = QRectF(s.margins.left() * scale, s.margins.top() * scale,
                         (s.size.width() - s.margins.left() - s.margins.right()) * scale,
                         (s.size.height() - s.margins.top() - s.margins.bottom()) * scale);
    return g;
}

QString PrinterSurface::deviceName() const
{
    return toPdfFile() ? QStringLiteral("PDF file") : printer_.printerName();
}

QString PrinterSurface::driverName() const
{
    if (toPdfFile()) return QStringLiteral("Qt PDF");
    const QString model = QPrinterInfo::printerInfo(printer_.printerName()).makeAndModel();
    return model.isEmpty() ? QStringLiteral("CUPS") : model;
}

QString PrinterSurface::portName() const
{
    return toPdfFile() ? printer_.outputFileName() : QStringLiteral("CUPS");
}

QString PrinterSurface::outputDescription() const
{
    return toPdfFile() ? printer_.outputFileName() : printer_.printerName() + QStringLiteral(", ") + paperName();
}

QString PrinterSurface::paperName() const
{
    return sheet().name;
}

const QPaintDevice* PrinterSurface::measuringDevice() const
{
    const_cast<PrinterSurface*>(this)->prepareCanvas();
    return canvas_.get();
}

QPageLayout PrinterSurface::canvasLayoutFor(const Sheet& s) const
{
    if (toPdfFile()) return printer_.pageLayout();
    // Exactly the queue's paper, portrait and without margins: what the print system gets is the sheet.
    const QSizeF portrait = s.turned ? s.size.transposed() : s.size;
    return QPageLayout(QPageSize(portrait, QPageSize::Point, s.name, QPageSize::ExactMatch), QPageLayout::Portrait,
                       QMarginsF(), QPageLayout::Point);
}

void PrinterSurface::prepareCanvas()
{
    if (painter_.isActive()) return;
    // Measuring calls this for every new text: only a changed printer sets the canvas up again.
    const QPageLayout layout = canvasLayoutFor(sheet());
    const int resolution = printer_.resolution();
    const bool colour = colorMode();
    if (canvas_ && resolution == canvasResolution_ && colour == canvasColour_ && layout == canvasLayout_) return;
    if (!canvas_) canvas_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    canvas_->setOutputFormat(QPrinter::PdfFormat);
    canvas_->setResolution(resolution);
    canvas_->setPageLayout(layout);
    canvas_->setFullPage(true);
    canvas_->setColorMode(colour ? QPrinter::Color : QPrinter::GrayScale);
    canvasLayout_ = layout;
    canvasResolution_ = resolution;
    canvasColour_ = colour;
}

void PrinterSurface::openDocument()
{
    if (painter_.isActive()) return;
    prepareCanvas();
    QString folder;
    if (toPdfFile()) {
        QString target = printer_.outputFileName();
        if (target.isEmpty()) {
            target = DefaultPdfPath();
            printer_.setOutputFileName(target);
        }
        folder = QFileInfo(target).absolutePath();
    } else {
        folder = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    }
    if (!QDir().mkpath(folder)) throw Failure::fromErrno(errno ? errno : EACCES);
    QTemporaryFile reserve(folder + QStringLiteral("/.quillet-print-XXXXXX.pdf"));
    reserve.setAutoRemove(false);
    if (!reserve.open()) throw Failure::fromErrno(errno ? errno : EACCES);
    canvasPath_ = reserve.fileName();
    reserve.close();
    canvas_->setOutputFileName(canvasPath_);
    if (!painter_.begin(canvas_.get())) {
        QFile::remove(canvasPath_);
        throw Failure(EIO, QStringLiteral("The print document could not be opened"));
    }
    painterReset();
    placeOrigin();
}

void PrinterSurface::placeOrigin()
{
    // The canvas prints the whole sheet; our origin is the printable area's top-left corner.
    painter_.resetTransform();
    const DeviceGeometry g = geometry();
    if (sheet().turned) {
        // The sheet's top-left corner is the paper's bottom-left one.
        painter_.translate(0, g.paper.width());
        painter_.rotate(-90);
    }
    painter_.translate(g.printable.topLeft());
}

void PrinterSurface::newPage()
{
    openDocument();
    if (!canvas_->newPage()) throw Failure(EIO, QStringLiteral("A new page could not be started"));
    painterReset();
    placeOrigin();
}

void PrinterSurface::endDocument()
{
    if (!painter_.isActive()) return;
    if (!painter_.end()) {
        QFile::remove(canvasPath_);
        throw Failure(EIO, QStringLiteral("The print document could not be written"));
    }
    if (toPdfFile()) {
        try {
            written_ << MoveToFreeName(canvasPath_, printer_.outputFileName());
        } catch (...) {
            QFile::remove(canvasPath_);
            throw;
        }
        return;
    }
    // The job is handed over whole; our copy goes whether the print system took it or not.
    struct RemoveCanvas {
        QString path;
        ~RemoveCanvas() { QFile::remove(path); }
    } removeCanvas{canvasPath_};
    jobs_ << SubmitPdfJob(printer_.printerName(), canvasPath_, QStringLiteral("Quillet labels"), sheet().media);
}

void PrinterSurface::abandonDocument()
{
    if (!painter_.isActive()) return;
    painter_.end();
    QFile::remove(canvasPath_);
}

} // namespace quillet
