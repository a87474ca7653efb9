#pragma once

// A complex pressure: real part, then imaginary part.
struct Complex {
    double Re = 0;
    double Im = 0;
};

// The magnitude, sqrt(Re^2 + Im^2).
double CModulus(const Complex& z);
