#include "support/pdf_text.h"

#include <QProcess>
#include <QRegularExpression>

namespace quillet::test {

QList<PdfWord> ReadPdfWords(const QString& path)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(60000) || pdftotext.exitCode() != 0) return {};
    // Each page opens with a <page> element; its words follow with their boxes in points.
    static const QRegularExpression token(QStringLiteral(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<PdfWord> words;
    int page = 0;
    for (const QRegularExpressionMatch& m : token.globalMatch(QString::fromUtf8(pdftotext.readAllStandardOutput()))) {
        if (m.capturedLength(1) == 0) {
            ++page;
            continue;
        }
        const auto inches = [&m](int n) { return m.captured(n).toDouble() / 72.0; };
        QString text = m.captured(5);
        text.replace(QStringLiteral("&amp;"), QStringLiteral("&"))
            .replace(QStringLiteral("&lt;"), QStringLiteral("<"))
            .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
            .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
            .replace(QStringLiteral("&apos;"), QStringLiteral("'"));
        words << PdfWord{page, inches(1), inches(2), inches(3), inches(4), text};
    }
    return words;
}

} // namespace quillet::test
