#include "common/numbers.h"

#include "common/failure.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace quillet {

namespace {

// A finite number as significant digits: value = 0.d1d2d3... x 10^exponent.
struct Decimal {
    bool negative = false;
    std::string digits; // no leading or trailing zeros; empty for zero
    int exponent = 0;
};

Decimal ToDecimal(double value, int significantDigits)
{
    Decimal d;
    if (value == 0.0) return d;
    d.negative = value < 0;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", significantDigits - 1, std::fabs(value));
    const std::string text(buffer);
    const auto e = text.find('e');
    for (std::size_t i = 0; i < e; ++i)
        if (text[i] != '.') d.digits.push_back(text[i]);
    d.exponent = std::stoi(text.substr(e + 1)) + 1;
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
    return d;
}

// Keep at most `decimals` digits after the point, rounding halves away from zero.
void RoundDecimals(Decimal& d, int decimals)
{
    const int keep = d.exponent + decimals;
    if (keep >= static_cast<int>(d.digits.size())) return;
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
    d.digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9') {
            d.digits.pop_back();
            --i;
        }
        if (i < 0) {
            d.digits = "1";
            d.exponent += 1;
        } else {
            d.digits[static_cast<std::size_t>(i)] += 1;
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
}

QString Render(const Decimal& d, int minIntegerDigits, int minDecimals)
{
    std::string integer;
    std::string fraction;
    if (!d.digits.empty()) {
        const int n = static_cast<int>(d.digits.size());
        for (int i = 0; i < d.exponent; ++i) integer.push_back(i < n ? d.digits[static_cast<std::size_t>(i)] : '0');
        for (int i = d.exponent; i < n; ++i) fraction.push_back(i < 0 ? '0' : d.digits[static_cast<std::size_t>(i)]);
    }
    while (static_cast<int>(integer.size()) < minIntegerDigits) integer.insert(integer.begin(), '0');
    while (static_cast<int>(fraction.size()) < minDecimals) fraction.push_back('0');
    std::string out;
    if (d.negative && !d.digits.empty()) out.push_back('-');
    out += integer;
    if (!fraction.empty()) out += "." + fraction;
    if (out.empty() || out == "-") out = "0";
    return QString::fromLatin1(out.data(), static_cast<qsizetype>(out.size()));
}

QString NonFinite(double value)
{
    if (std::isnan(value)) return QStringLiteral("NaN");
    return value < 0 ? QStringLiteral("-Infinity") : QStringLiteral("Infinity");
}

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

double ReadNumber(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < n && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    std::string number;
    bool anyDigit = false;
    bool nonZeroInteger = false;
    while (i < n && IsDigit(text[i])) {
        anyDigit = true;
        nonZeroInteger = nonZeroInteger || text[i] != u'0';
        number.push_back(static_cast<char>(text[i].unicode()));
        ++i;
    }
    if (i < n && text[i] == u'.') {
        number.push_back('.');
        ++i;
        while (i < n && IsDigit(text[i])) {
            anyDigit = true;
            number.push_back(static_cast<char>(text[i].unicode()));
            ++i;
        }
    }
    if (!anyDigit) return 0.0;
    if (number.front() == '.') number.insert(number.begin(), '0');
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        value = nonZeroInteger ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -value : value;
}

std::int16_t RoundToInt16(double value)
{
    const double r = std::nearbyint(value);
    if (!(r >= -32768.0 && r <= 32767.0)) ThrowOverflow();
    return static_cast<std::int16_t>(r);
}

std::int32_t RoundToInt32(double value)
{
    const double r = std::nearbyint(value);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) ThrowOverflow();
    return static_cast<std::int32_t>(r);
}

QString FormatShortest(double value)
{
    if (!std::isfinite(value)) return NonFinite(value);
    return Render(ToDecimal(value, 15), 0, 0);
}

QString FormatShortForm(double value)
{
    const QString text = FormatShortest(value);
    return text.startsWith(u'-') ? text : u' ' + text;
}

QString FormatPlain(double value)
{
    if (!std::isfinite(value)) return NonFinite(value);
    return Render(ToDecimal(value, 15), 1, 0);
}

QString FormatSingle(float value)
{
    if (!std::isfinite(value)) return NonFinite(value);
    return Render(ToDecimal(static_cast<double>(value), 7), 0, 0);
}

QString WholePart(double value)
{
    return FormatShortest(std::floor(value));
}

QString FormatPattern(double value, QStringView pattern)
{
    if (!std::isfinite(value)) return NonFinite(value);
    const qsizetype point = pattern.indexOf(u'.');
    const QStringView integerPart = point < 0 ? pattern : pattern.left(point);
    const QStringView fractionPart = point < 0 ? QStringView() : pattern.mid(point + 1);
    const int minInteger = static_cast<int>(integerPart.count(u'0'));
    const int minDecimals = static_cast<int>(fractionPart.count(u'0'));
    const int maxDecimals = static_cast<int>(fractionPart.size());
    Decimal d = ToDecimal(value, 15);
    RoundDecimals(d, maxDecimals);
    return Render(d, minInteger, minDecimals);
}

} // namespace quillet
