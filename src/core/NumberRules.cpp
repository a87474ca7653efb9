#include "core/NumberRules.h"
#include "core/VbTypes.h"

#include <QLocale>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

template <typename T>
T RoundInto(double v, double lo, double hi)
{
    const double r = RoundHalfEven(v);
    // Written so that NaN fails the test too.
    if (!(r >= lo && r <= hi))
        throw VbError(VbError::Overflow, "Overflow");
    return static_cast<T>(r);
}

// Adds one unit in the last place of a string of decimal digits; returns true when it carried out.
bool IncrementDigits(std::string& digits)
{
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return false;
        }
        *it = '0';
    }
    return true;
}

void TrimTrailingZeros(std::string& digits, std::size_t keep)
{
    while (digits.size() > keep && digits.back() == '0')
        digits.pop_back();
}

bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

} // namespace

std::int16_t CInt(double v) { return RoundInto<std::int16_t>(v, -32768.0, 32767.0); }
std::int32_t CLng(double v) { return RoundInto<std::int32_t>(v, -2147483648.0, 2147483647.0); }
std::uint8_t CByte(double v) { return RoundInto<std::uint8_t>(v, 0.0, 255.0); }
double Int(double v) { return std::floor(v); }
double Fix(double v) { return std::trunc(v); }

// Spelled out rather than std::nearbyint so the result never depends on the FPU rounding mode.
double RoundHalfEven(double v)
{
    double r = std::floor(v);
    const double fraction = v - r;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(r, 2.0) != 0.0))
        r += 1.0;
    return r;
}

std::int32_t IntDiv(double a, double b)
{
    const std::int32_t dividend = CLng(a);
    const std::int32_t divisor = CLng(b);
    if (divisor == 0)
        throw VbError(VbError::DivisionByZero, "Division by zero");
    if (divisor == -1 && dividend == INT32_MIN)
        throw VbError(VbError::Overflow, "Overflow");
    return dividend / divisor;
}

std::int32_t Mod(double a, double b)
{
    const std::int32_t dividend = CLng(a);
    const std::int32_t divisor = CLng(b);
    if (divisor == 0)
        throw VbError(VbError::DivisionByZero, "Division by zero");
    // INT32_MIN % -1 is undefined in C++; the remainder is 0 anyway.
    return divisor == -1 ? 0 : dividend % divisor;
}

QString CStr(double v)
{
    if (!std::isfinite(v))
        return QString::number(v);
    if (v == 0.0)
        return QStringLiteral("0");
    // "%.14e" rounds to 15 significant digits and already moves the exponent on a carry (9.99..e14 -> 1e15).
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(v));
    const std::string text(buf);
    const std::size_t ePos = text.find('e');
    std::string digits = text.substr(0, 1) + text.substr(2, ePos - 2);
    const int exponent = std::stoi(text.substr(ePos + 1));
    TrimTrailingZeros(digits, 1);

    const QString sep = DecimalSeparator();
    QString out = v < 0 ? QStringLiteral("-") : QString();
    if (exponent >= -4 && exponent <= 14) {
        if (exponent < 0) {
            out += QLatin1Char('0') + sep + QString(-exponent - 1, QLatin1Char('0')) + QString::fromStdString(digits);
        } else {
            const auto intLen = static_cast<std::size_t>(exponent) + 1;
            if (digits.size() < intLen)
                digits.append(intLen - digits.size(), '0');
            out += QString::fromStdString(digits.substr(0, intLen));
            if (digits.size() > intLen)
                out += sep + QString::fromStdString(digits.substr(intLen));
        }
        return out;
    }
    out += QLatin1Char(digits[0]);
    if (digits.size() > 1)
        out += sep + QString::fromStdString(digits.substr(1));
    out += exponent < 0 ? QStringLiteral("E-") : QStringLiteral("E+");
    return out + QStringLiteral("%1").arg(std::abs(exponent), 2, 10, QLatin1Char('0'));
}

QString Format(double v, const QString& pattern)
{
    if (!std::isfinite(v))
        return CStr(v);
    int intZeros = 0, fracZeros = 0, fracPlaces = 0;
    bool hasPoint = false;
    for (const QChar c : pattern) {
        if (c == QLatin1Char('.') && !hasPoint)
            hasPoint = true;
        else if (c == QLatin1Char('0'))
            ++(hasPoint ? fracZeros : intZeros);
        else if (c != QLatin1Char('#'))
            throw VbError(VbError::InvalidCall, "Unsupported format pattern: " + pattern.toStdString());
        if (hasPoint && c != QLatin1Char('.'))
            ++fracPlaces;
    }

    // Round the shortest text that reads back as v, so 2.675 rounds as the decimal 2.675 it was typed as.
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::fixed);
    const std::string text(buf, res.ptr);
    const std::size_t point = text.find('.');
    std::string intDigits = text.substr(0, point);
    std::string fracDigits = point == std::string::npos ? std::string() : text.substr(point + 1);
    if (fracDigits.size() > static_cast<std::size_t>(fracPlaces)) {
        const bool up = fracDigits[fracPlaces] >= '5';
        fracDigits.resize(fracPlaces);
        if (up && IncrementDigits(fracDigits) && IncrementDigits(intDigits))
            intDigits.insert(intDigits.begin(), '1');
    }
    const bool isZero = intDigits.find_first_not_of('0') == std::string::npos
        && fracDigits.find_first_not_of('0') == std::string::npos;
    TrimTrailingZeros(fracDigits, static_cast<std::size_t>(fracZeros));
    if (fracDigits.size() < static_cast<std::size_t>(fracZeros))
        fracDigits.append(fracZeros - fracDigits.size(), '0');
    intDigits.erase(0, intDigits.find_first_not_of('0'));
    if (intDigits.size() < static_cast<std::size_t>(intZeros))
        intDigits.insert(0, intZeros - intDigits.size(), '0');

    QString out = v < 0 && !isZero ? QStringLiteral("-") : QString();
    out += QString::fromStdString(intDigits);
    if (hasPoint)
        out += DecimalSeparator() + QString::fromStdString(fracDigits);
    return out;
}

bool TryParseNumber(const QString& text, double& out)
{
    // Scan by hand: QLocale::toDouble accepts group separators, and from_chars alone knows no locale.
    const QChar sep = DecimalSeparator();
    qsizetype i = 0, end = text.size();
    while (i < end && text[i] == QLatin1Char(' '))
        ++i;
    while (end > i && text[end - 1] == QLatin1Char(' '))
        --end;
    std::string plain;
    if (i < end && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        plain += text[i++].toLatin1();
    int mantissaDigits = 0;
    bool seenSep = false;
    for (; i < end; ++i) {
        if (IsDigit(text[i])) {
            ++mantissaDigits;
        } else if (text[i] == sep && !seenSep) {
            seenSep = true;
        } else {
            break;
        }
        plain += IsDigit(text[i]) ? text[i].toLatin1() : '.';
    }
    if (mantissaDigits == 0)
        return false;
    if (i < end && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        plain += 'e';
        ++i;
        if (i < end && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
            plain += text[i++].toLatin1();
        const qsizetype expStart = i;
        for (; i < end && IsDigit(text[i]); ++i)
            plain += text[i].toLatin1();
        if (i == expStart)
            return false;
    }
    if (i != end)
        return false;
    // from_chars takes no leading "+".
    const char* first = plain.data() + (plain[0] == '+' ? 1 : 0);
    double value = 0;
    const auto res = std::from_chars(first, plain.data() + plain.size(), value);
    if (res.ec != std::errc() || res.ptr != plain.data() + plain.size())
        return false;
    out = value;
    return true;
}

double Val(const QString& text)
{
    double v = 0;
    return TryParseNumber(text, v) ? v : 0.0;
}

QString Hex(std::uint32_t v) { return QString::number(v, 16).toUpper(); }

QChar DecimalSeparator() { return QLocale().decimalPoint().at(0); }
