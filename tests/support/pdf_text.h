#pragma once

#include <QImage>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>

namespace quillet::test {

// One word of a PDF page as poppler's `pdftotext -bbox` reports it, in inches from the paper's
// top-left corner.
struct PdfWord {
    int page = 0; // from 1
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
    QString text;
};

// Reads every word of the PDF; an empty list when the file cannot be read.
QList<PdfWord> ReadPdfWords(const QString& path);

// A PDF page rendered in grey by poppler's pdftoppm, for finding where ink landed whatever the
// PDF's fonts are (text positions are unreliable in PDFs a print system rewrote).
class RenderedPage {
public:
    RenderedPage(const QString& pdf, int page, int dpi);

    // The page's size in points.
    QSizeF size() const;
    // The box around the dark pixels inside the region, both in points from the page's top-left
    // corner; an empty box when there are none.
    QRectF inkBox(const QRectF& region) const;

private:
    QImage image_;
    int dpi_;
};

} // namespace quillet::test
