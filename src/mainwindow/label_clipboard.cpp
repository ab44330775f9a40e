#include "mainwindow/label_clipboard.h"

namespace quillet {

namespace {
QString CutToLineLength(const QString& line)
{
    if (line.size() <= LabelLineLength) return line;
    qsizetype keep = LabelLineLength;
    // Never keep half of a character that takes two code units.
    if (line.at(keep - 1).isHighSurrogate()) --keep;
    return line.left(keep);
}
} // namespace

QString JoinLabelLines(const QStringList& lines)
{
    return lines.join(QStringLiteral("\r\n"));
}

QStringList SplitLabelLines(const QString& text)
{
    QStringList lines;
    QString current;
    for (qsizetype i = 0; i < text.size() && lines.size() < LabelLineCount; ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') ++i;
            lines << CutToLineLength(current);
            current.clear();
        } else {
            current.append(c);
        }
    }
    if (lines.size() < LabelLineCount) lines << CutToLineLength(current);
    return lines;
}

bool HasLineBreak(const QString& text)
{
    return text.contains(u'\r') || text.contains(u'\n');
}

QStringList SplitPastedLines(const QString& text)
{
    qsizetype end = text.size();
    if (text.endsWith(QStringLiteral("\r\n")))
        end -= 2;
    else if (text.endsWith(u'\r') || text.endsWith(u'\n'))
        end -= 1;
    return SplitLabelLines(text.left(end));
}

} // namespace quillet
