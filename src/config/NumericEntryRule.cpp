#include "config/NumericEntryRule.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

// The pieces of a syntactically valid number, as positions in its ASCII text.
struct NumberText {
    int mantissaStart = 0;   // first digit or point, after the sign
    int integerDigits = 0;
    int fractionDigits = 0;
    bool hasPoint = false;
    long exponent = 0;       // saturated far beyond any double's range
};

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int SkipDigits(const QByteArray& s, int i)
{
    while (i < s.size() && IsDigit(s[i]))
        ++i;
    return i;
}

bool IsSign(char c)
{
    return c == '+' || c == '-';
}

// Reads "[E|e][sign]digits" from position i; returns the position after it, or -1.
int ScanExponent(const QByteArray& s, int i, long& exponent)
{
    ++i;  // the E
    const bool negative = i < s.size() && s[i] == '-';
    if (i < s.size() && IsSign(s[i]))
        ++i;
    const int digitsEnd = SkipDigits(s, i);
    if (digitsEnd == i)
        return -1;
    constexpr long kSaturation = 100000;
    long value = 0;
    for (int k = i; k < digitsEnd; ++k)
        value = std::min(kSaturation, value * 10 + (s[k] - '0'));
    exponent = negative ? -value : value;
    return digitsEnd;
}

std::optional<NumberText> ScanNumber(const QByteArray& s)
{
    NumberText n;
    int i = (!s.isEmpty() && IsSign(s[0])) ? 1 : 0;
    n.mantissaStart = i;
    int end = SkipDigits(s, i);
    n.integerDigits = end - i;
    if (end < s.size() && s[end] == '.') {
        n.hasPoint = true;
        i = end + 1;
        end = SkipDigits(s, i);
        n.fractionDigits = end - i;
    }
    if (n.integerDigits + n.fractionDigits == 0)
        return std::nullopt;
    if (end < s.size() && (s[end] == 'E' || s[end] == 'e'))
        end = ScanExponent(s, end, n.exponent);
    if (end != s.size())
        return std::nullopt;
    return n;
}

// A number whose value does not fit a double is either huge or tiny; the power of ten
// of its first significant digit tells which.
double OutOfRangeValue(const QByteArray& s, const NumberText& n)
{
    QByteArray digits = s.mid(n.mantissaStart, n.integerDigits);
    digits += s.mid(n.mantissaStart + n.integerDigits + (n.hasPoint ? 1 : 0), n.fractionDigits);
    int firstSignificant = 0;
    while (firstSignificant < digits.size() && digits[firstSignificant] == '0')
        ++firstSignificant;
    const long power = n.integerDigits - 1 - firstSignificant + n.exponent;
    const double magnitude = power >= 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return s.startsWith('-') ? -magnitude : magnitude;
}

NumericEntryOutcome Replace(qint32 value)
{
    NumericEntryOutcome outcome;
    outcome.action = NumericEntryOutcome::Action::ReplaceText;
    outcome.replacementText = QString::number(value);
    return outcome;
}

NumericEntryOutcome Accept(qint32 storedValue)
{
    NumericEntryOutcome outcome;
    outcome.action = NumericEntryOutcome::Action::Accept;
    outcome.storedValue = storedValue;
    return outcome;
}

}  // namespace

std::optional<double> ParseNumericText(const QString& text)
{
    // Non-Latin-1 characters become '?', which no number contains.
    const QByteArray s = text.trimmed().toLatin1();
    const std::optional<NumberText> number = ScanNumber(s);
    if (!number)
        return std::nullopt;

    // from_chars always reads '.' as the point, but takes no '+'.
    const char* first = s.constData() + (s.startsWith('+') ? 1 : 0);
    const char* last = s.constData() + s.size();
    double value = 0.0;
    const std::from_chars_result result = std::from_chars(first, last, value);
    if (result.ec == std::errc::result_out_of_range)
        return OutOfRangeValue(s, *number);
    if (result.ec != std::errc() || result.ptr != last)
        return std::nullopt;
    return value;
}

qint32 RoundHalfToEven(double x)
{
    // nearbyint rounds in the default mode: to nearest, ties to even.
    return static_cast<qint32>(std::nearbyint(x));
}

NumericEntryOutcome ValidateNumericEntry(const QString& text, qint32 minimum, qint32 maximum,
                                         qint32 storedValue, NumericEntrySource source)
{
    const std::optional<double> x = ParseNumericText(text);
    if (!x)
        return Replace(std::clamp(storedValue, minimum, maximum));
    if (*x > maximum)
        return Replace(maximum);
    if (*x < minimum && source == NumericEntrySource::UserTyping && minimum > 0)
        return Accept(minimum);
    if (*x < minimum)
        return Replace(minimum);
    return Accept(RoundHalfToEven(*x));
}
