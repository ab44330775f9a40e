#pragma once

#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <QString>

namespace quillet::test {

// A PDF page rendered in grey by poppler's pdftoppm, for finding where ink landed whatever the
// PDF's fonts are (text positions are unreliable in PDFs a print system rewrote).
class RenderedPage {
public:
    RenderedPage(const QString& pdf, int page, int dpi);

    bool isNull() const { return image_.isNull(); }
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
