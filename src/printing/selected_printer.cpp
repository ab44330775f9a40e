#include "printing/selected_printer.h"

#include "printing/print_queue.h"

#include <QDir>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

#include <memory>
#include <optional>

namespace quillet {

QString DefaultPdfPath()
{
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty()) documents = QDir::homePath();
    return documents + QStringLiteral("/Quillet/Labels.pdf");
}

void UsePdfOutput(QPrinter& printer, const QString& path)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    // Label stock in the factory layouts is US Letter; a PDF has no unprintable margins.
    printer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Inch));
}

bool UseQueueDefaultPaper(QPrinter& printer)
{
    const std::optional<QueuePaper> paper = QueueDefaultPaper(printer.printerName());
    if (!paper) return false;
    const QPageSize size(paper->size, QPageSize::Point, paper->displayName, QPageSize::FuzzyMatch);
    if (!printer.setPageLayout(QPageLayout(size, QPageLayout::Portrait, paper->margins, QPageLayout::Point)))
        printer.setPageSize(size);
    return true;
}

QPrinter& SelectedPrinter()
{
    static std::unique_ptr<QPrinter> printer;
    if (!printer) {
        const QPrinterInfo system = QPrinterInfo::defaultPrinter();
        if (!system.isNull()) {
            printer = std::make_unique<QPrinter>(system, QPrinter::HighResolution);
            UseQueueDefaultPaper(*printer);
        } else {
            printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            UsePdfOutput(*printer, DefaultPdfPath());
        }
    }
    return *printer;
}

} // namespace quillet
