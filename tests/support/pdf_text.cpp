#include "support/pdf_text.h"

#include <QProcess>
#include <QRegularExpression>

namespace quillet::test {

QList<PdfWord> ReadPdfWords(const QString& path)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(60000) || pdftotext.exitCode() != 0) return {};
    const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());
    static const QRegularExpression pageRe(QStringLiteral("<page "));
    static const QRegularExpression wordRe(
        QStringLiteral(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<PdfWord> words;
    int page = 0;
    qsizetype pos = 0;
    for (;;) {
        const qsizetype nextPage = html.indexOf(pageRe, pos);
        const auto match = wordRe.match(html, pos);
        if (!match.hasMatch() && nextPage < 0) break;
        if (nextPage >= 0 && (!match.hasMatch() || nextPage < match.capturedStart())) {
            ++page;
            pos = nextPage + 1;
            continue;
        }
        PdfWord w;
        w.page = page;
        w.left = match.captured(1).toDouble() / 72.0;
        w.top = match.captured(2).toDouble() / 72.0;
        w.right = match.captured(3).toDouble() / 72.0;
        w.bottom = match.captured(4).toDouble() / 72.0;
        w.text = match.captured(5);
        w.text.replace(QStringLiteral("&amp;"), QStringLiteral("&"))
            .replace(QStringLiteral("&lt;"), QStringLiteral("<"))
            .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
            .replace(QStringLiteral("&quot;"), QStringLiteral("\""));
        words << w;
        pos = match.capturedEnd();
    }
    return words;
}

} // namespace quillet::test
