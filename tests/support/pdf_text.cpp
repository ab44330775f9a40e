#include "support/pdf_text.h"

#include "support/test_helpers.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <utility>

namespace quillet::test {

QList<PdfWord> ReadPdfWords(const QString& path)
{
    const ProgramRun pdftotext =
        RunProgram(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    if (pdftotext.status != 0) return {};
    // Each page opens with a <page> element; its words follow with their boxes in points.
    static const QRegularExpression token(QStringLiteral(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<PdfWord> words;
    int page = 0;
    for (const QRegularExpressionMatch& m : token.globalMatch(pdftotext.out)) {
        if (m.capturedLength(1) == 0) {
            ++page;
            continue;
        }
        const auto inches = [&m](int n) { return m.captured(n).toDouble() / 72.0; };
        QString text = m.captured(5);
        // "&amp;" last, so that an escaped entity's text stays as it was printed.
        static const std::pair<const char*, const char*> entities[] = {
            {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
        for (const auto& [entity, character] : entities) text.replace(QLatin1String(entity), QLatin1String(character));
        words << PdfWord{page, inches(1), inches(2), inches(3), inches(4), text};
    }
    return words;
}

RenderedPage::RenderedPage(const QString& pdf, int page, int dpi) : dpi_(dpi)
{
    QTemporaryDir dir;
    const QString stem = dir.filePath(QStringLiteral("page"));
    const QStringList options = QStringLiteral("-gray -r %1 -f %2 -l %2 -singlefile").arg(dpi).arg(page).split(u' ');
    if (RunProgram(QStringLiteral("pdftoppm"), options + QStringList{pdf, stem}).status != 0) return;
    image_.load(stem + QStringLiteral(".pgm"));
    image_ = image_.convertToFormat(QImage::Format_Grayscale8);
}

QSizeF RenderedPage::size() const
{
    return QSizeF(image_.width(), image_.height()) * 72.0 / dpi_;
}

QRectF RenderedPage::inkBox(const QRectF& region) const
{
    const double scale = dpi_ / 72.0;
    const int left = std::max(0, int(region.left() * scale)),
              right = std::min(image_.width(), int(region.right() * scale));
    const int top = std::max(0, int(region.top() * scale)),
              bottom = std::min(image_.height(), int(region.bottom() * scale));
    int minX = right, maxX = -1, minY = bottom, maxY = -1;
    for (int y = top; y < bottom; ++y) {
        const uchar* line = image_.constScanLine(y);
        for (int x = left; x < right; ++x) {
            if (line[x] >= 128) continue;
            minX = std::min(minX, x);
            maxX = std::max(maxX, x);
            minY = std::min(minY, y);
            maxY = std::max(maxY, y);
        }
    }
    if (maxX < 0) return {};
    return QRectF(minX / scale, minY / scale, (maxX + 1 - minX) / scale, (maxY + 1 - minY) / scale);
}

} // namespace quillet::test
