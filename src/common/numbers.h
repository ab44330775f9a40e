#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>

// The number rules shared by every part of the program. Numbers live in the table as text;
// they are read leniently and written in a few fixed forms, always with a point as the decimal
// separator whatever the user's locale.
namespace quillet {

// Leading blanks skipped, optional sign, digits, optional point and digits; reading stops at the
// first character that cannot continue the number. Empty or non-numeric text reads as 0.
// A digit string too long for a double reads as plus or minus infinity.
double ReadNumber(QStringView text);

// Round to the nearest whole number, halves to the even neighbour. A value that does not fit
// (or is not a number) throws Failure(Overflow).
std::int16_t RoundToInt16(double value);
std::int32_t RoundToInt32(double value);

// Shortest decimal with at most 15 significant digits, no trailing zeros and no zero before the
// point: 0.25 -> ".25", -0.5 -> "-.5", 3 -> "3".
QString FormatShortest(double value);

// As FormatShortest, with one leading blank for a number that is not negative: " 3", " .5", "-.5".
QString FormatShortForm(double value);

// As FormatShortest, but with a zero before the point: "0.5", "3", "-0.25".
QString FormatPlain(double value);

// A single-precision value with at most 7 significant digits, no trailing zeros, no zero before
// the point: 0.6666667f -> ".6666667", 72.f -> "72".
QString FormatSingle(float value);

// The whole number at or below `value`, as FormatShortest writes it: 2.7 -> "2", -0.5 -> "-1".
QString WholePart(double value);

// Numeric format patterns of the form "#0.00", "0.00", "#0.0###", "0.0####": a "0" is a digit
// always shown, a "#" a digit shown only when needed. Rounds halves away from zero.
QString FormatPattern(double value, QStringView pattern);

// The two "True" cells (a record's Selected, a layout's Visible) are compared exactly.
inline bool IsTrueFlag(QStringView text)
{
    return text == u"True";
}

// Flags written as "1" are tested by their numeric value.
inline bool IsOneFlag(QStringView text)
{
    return ReadNumber(text) == 1.0;
}

} // namespace quillet
