#pragma once

#include <QList>
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

} // namespace quillet::test
