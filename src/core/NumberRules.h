#pragma once
#include <QString>
#include <cstdint>

// The platform's number rules, used everywhere a value crosses between text, doubles and integers.
// Rounding is half to even; a result outside the target width raises VbError::Overflow.

std::int16_t CInt(double v);    // round half to even into 16 bits
std::int32_t CLng(double v);    // round half to even into 32 bits
std::uint8_t CByte(double v);   // round half to even into 0..255
double Int(double v);           // largest whole number not above v
double Fix(double v);           // whole part towards zero
double RoundHalfEven(double v); // nearest whole number, halves to even, no range check
std::int32_t IntDiv(double a, double b);  // a \ b: both rounded to 32 bits, quotient truncated
std::int32_t Mod(double a, double b);     // a Mod b: both rounded to 32 bits, sign of the dividend

// Number to text with at most 15 significant digits, no trailing zeros, the locale's decimal
// separator and never "-0".
QString CStr(double v);
// Format with "#" (optional digit) and "0" (required digit) patterns, e.g. "##0.00", "##0.##", "0000000".
// A pattern with a decimal point keeps the separator even when no decimals follow ("5,").
QString Format(double v, const QString& pattern);
// Strict text to number in the user's locale: optional sign, digits, one decimal separator,
// optional exponent; no group separators, no spaces inside. Leading and trailing spaces are allowed.
bool TryParseNumber(const QString& text, double& out);
// Like TryParseNumber but returns 0 for text that is no number (for reads the Parts do unchecked).
double Val(const QString& text);
// Upper-case hexadecimal of the 32-bit pattern, without padding.
QString Hex(std::uint32_t v);
// The locale's decimal separator.
QChar DecimalSeparator();
