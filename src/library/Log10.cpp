#include "library/Log10.h"
#include <cmath>

double Log10(double x) { return std::log(x) / std::log(10.0); }
