#include "vertical_view/DistancePointToLine.h"
#include "platform/LineElement.h"

#include <cmath>

namespace {
double Distance(double x1, double y1, double x2, double y2)
{
    return std::sqrt((x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1));
}
}

double DistancePointToLine(double X, double Y, const LineElement& L)
{
    const double X1 = L.X1(), Y1 = L.Y1(), X2 = L.X2(), Y2 = L.Y2();
    const double dZ = Y2 - Y1;
    const double dX = X2 - X1;

    if (dZ == 0) {
        if (X >= X2)
            return Distance(X, Y, X2, Y2);
        if (X <= X1)
            return Distance(X, Y, X1, Y1);
        return std::abs(Y - Y1);
    }
    if (dX == 0) {
        const double top = Y2 >= Y1 ? Y2 : Y1;
        const double bottom = Y2 >= Y1 ? Y1 : Y2;
        if (Y >= top)
            return Distance(X, Y, X1, top);
        if (Y <= bottom)
            return Distance(X, Y, X1, bottom);
        return std::abs(X - X1);
    }

    // The foot of the perpendicular through the point, z = q - x / m, on the segment's line.
    const double m = dZ / dX;
    const double q = Y + X / m;
    const double xf = (dX * (q - Y1) + dZ * X1) / (dZ + dX / m);
    const double zf = Y1 + m * (xf - X1);
    if (xf < X1)
        return Distance(X, Y, X1, Y1);
    if (xf > X2)
        return Distance(X, Y, X2, Y2);
    return Distance(X, Y, xf, zf);
}
