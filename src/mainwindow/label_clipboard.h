#pragma once

#include <QString>
#include <QStringList>

// The five label lines as clipboard text.
namespace quillet {

constexpr int LabelLineCount = 5;
constexpr int LabelLineLength = 50;

// The lines joined by CR LF, without a break after the last one.
QString JoinLabelLines(const QStringList& lines);

// Splits clipboard text into at most five lines, each cut to 50 characters. A break is CR LF, a
// CR or an LF on its own (text from other programs here uses LF); the text after the last break,
// even an empty one, is a line.
QStringList SplitLabelLines(const QString& text);

// Whether `text` holds a CR or an LF.
bool HasLineBreak(const QString& text);
// A pasted text's lines, split and cut as above, except that a break at the very end only ends the
// last line (text copied from an editor usually ends with one).
QStringList SplitPastedLines(const QString& text);

} // namespace quillet
