#include "printing/printer_surface.h"

#include "common/failure.h"
#include "printing/pdf_output_name.h"
#include "printing/selected_printer.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <cerrno>

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

DeviceGeometry PrinterSurface::geometry() const
{
    const QPageLayout layout = printer_.pageLayout();
    const int resolution = printer_.resolution();
    if (resolution == cachedResolution_ && layout == cachedLayout_) return cachedGeometry_;
    const double scale = resolution / 72.0;
    const QRectF paper = layout.fullRect(QPageLayout::Point);
    const QMarginsF margins = layout.margins(QPageLayout::Point);
    DeviceGeometry g;
    g.dpiX = resolution;
    g.dpiY = resolution;
    g.paper = QSizeF(paper.width() * scale, paper.height() * scale);
    g.printable = QRectF(margins.left() * scale, margins.top() * scale,
                         (paper.width() - margins.left() - margins.right()) * scale,
                         (paper.height() - margins.top() - margins.bottom()) * scale);
    cachedLayout_ = layout;
    cachedResolution_ = resolution;
    cachedGeometry_ = g;
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
    return toPdfFile() ? printer_.outputFileName() : printer_.printerName();
}

double PrinterSurface::measureWidth(const QFont& font, const QString& text) const
{
    const_cast<PrinterSurface*>(this)->prepareCanvas();
    return QFontMetricsF(font, canvas_.get()).horizontalAdvance(text);
}

double PrinterSurface::lineAdvance(const QFont& font) const
{
    const_cast<PrinterSurface*>(this)->prepareCanvas();
    return QFontMetricsF(font, canvas_.get()).lineSpacing();
}

void PrinterSurface::paintText(const QFont& font, std::uint32_t rgb, QPointF topLeft, const QString& text)
{
    // Setting the painter's font and pen is costly; labels mostly repeat the previous line's.
    if (!painterReady_ || !(font == paintFont_)) {
        painter_.setFont(font);
        paintFont_ = font;
        paintAscent_ = QFontMetricsF(font, canvas_.get()).ascent();
    }
    if (!painterReady_ || rgb != paintColor_) {
        painter_.setPen(QColor(int(rgb & 0xFF), int((rgb >> 8) & 0xFF), int((rgb >> 16) & 0xFF)));
        paintColor_ = rgb;
    }
    painterReady_ = true;
    painter_.drawText(QPointF(topLeft.x(), topLeft.y() + paintAscent_), text);
}

void PrinterSurface::prepareCanvas()
{
    if (painter_.isActive()) return;
    // Measuring calls this for every new text: only a changed printer sets the canvas up again.
    const QPageLayout layout = printer_.pageLayout();
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
    painterReady_ = false;
    placeOrigin();
}

void PrinterSurface::placeOrigin()
{
    // The canvas prints the whole sheet; our origin is the printable area's top-left corner.
    painter_.resetTransform();
    painter_.translate(geometry().printable.topLeft());
}

void PrinterSurface::newPage()
{
    openDocument();
    if (!canvas_->newPage()) throw Failure(EIO, QStringLiteral("A new page could not be started"));
    painterReady_ = false;
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
    QProcess lp;
    lp.start(QStringLiteral("lp"), {QStringLiteral("-d"), printer_.printerName(), QStringLiteral("-t"),
                                    QStringLiteral("Quillet labels"), QStringLiteral("--"), canvasPath_});
    const bool done = lp.waitForFinished(60000);
    const QString error = QString::fromLocal8Bit(lp.readAllStandardError()).trimmed();
    QFile::remove(canvasPath_);
    if (!done || lp.exitStatus() != QProcess::NormalExit || lp.exitCode() != 0)
        throw Failure(EIO, QStringLiteral("The print system refused the job") +
                               (error.isEmpty() ? QString() : QStringLiteral(": ") + error));
}

void PrinterSurface::abandonDocument()
{
    if (!painter_.isActive()) return;
    painter_.end();
    QFile::remove(canvasPath_);
}

} // namespace quillet
