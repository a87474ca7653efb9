#pragma once

// Base-10 logarithm as the quotient of two natural logarithms, which may differ from an exact
// base-10 logarithm in the last binary digit; the acoustic levels are defined through this quotient.
double Log10(double x);
