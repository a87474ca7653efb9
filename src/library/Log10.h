#pragma once
#include <cmath>

// Base-10 logarithm as the quotient of two natural logarithms, the way every level in dB has always
// been computed here; it may differ from std::log10 in the last binary digit. x must be positive.
inline double Log10(double x) { return std::log(x) / std::log(10.0); }
