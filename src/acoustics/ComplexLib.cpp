#include "acoustics/ComplexLib.h"
#include <cmath>

double CModulus(const Complex& z) { return std::sqrt(z.Re * z.Re + z.Im * z.Im); }
