#include "vertical_view/BoxRays.h"
#include "core/ArrayState.h"
#include "core/ModuleRecord.h"
#include "core/NumberRules.h"
#include "core/Settings.h"
#include "forms/Form_PrincipaleControls.h"
#include "library/Catalogue.h"
#include "mechanics/Geometry.h"

#include <cmath>
#include <optional>

namespace {

constexpr int AreaCount = 4;

struct Point {
    double x = 0;
    double z = 0;
};

// An audience line with its ends in whole metres, as the rays see it.
struct AudienceLine {
    double x1 = 0, z1 = 0, x2 = 0, z2 = 0;
};

// Where the ray's line z = t x + b meets the audience line, if anywhere. A divisor of 0 (a ray
// parallel to the line, or a line whose ends round to the same X or to one point) means no meeting.
std::optional<Point> Crossing(const AudienceLine& l, double a, double t, double b, Point start)
{
    if (a == 0 && l.z1 != l.z2) {
        const double zi = start.z;
        return Point{l.x1 + (zi - l.z1) * (l.x2 - l.x1) / (l.z2 - l.z1), zi};
    }
    if (a == -90 || a == -270) {
        if (l.x2 == l.x1)
            return std::nullopt;
        const double xi = start.x;
        return Point{xi, l.z1 + (xi - l.x1) * (l.z2 - l.z1) / (l.x2 - l.x1)};
    }
    if (t != 0) {
        const double divisor = t * (l.x2 - l.x1) - (l.z2 - l.z1);
        if (divisor == 0)
            return std::nullopt;
        const double xi = ((l.z1 - l.z2) * l.x1 + (l.z1 - b) * (l.x2 - l.x1)) / divisor;
        return Point{xi, t * xi + b};
    }
    return std::nullopt;
}

// A crossing counts when it lies strictly between the line's ends and ahead of the box for its angle.
// An angle above 90 degrees is ahead of nothing.
bool IsHit(const AudienceLine& l, Point c, double a, Point start)
{
    if (!(l.x1 < c.x && c.x < l.x2))
        return false;
    const bool right = c.x >= start.x, left = c.x <= start.x;
    const bool below = c.z <= start.z, above = c.z >= start.z;
    return (right && -90 <= a && a <= 0 && below) || (right && 0 <= a && a <= 90 && above)
        || (left && -180 <= a && a <= -90 && below) || (left && -270 <= a && a <= -180 && above)
        || (right && -360 <= a && a <= -270 && above);
}

// The angle of the row's Position field. Angles of a full turn down or more are written back to
// the field as their whole value modulo 360, with the sign of the angle.
double RowAngle(TextField& position)
{
    const double a = Val(position.Text());
    if (a <= -360) {
        position.SetText(CStr(std::fmod(RoundHalfEven(a), 360.0)));
        return Val(position.Text());
    }
    return a;
}

bool HasNoAcousticBox(const QString& model)
{
    const int index = GetModuleIndex(model).Index;
    return index >= 0 && index < MaxModules && Modules[index].BoxType > 100;
}

} // namespace

void DrawBoxRay(std::int16_t row)
{
    if (row < 1 || row > MaxBoxes)
        return;
    auto& form = Principale();
    const Picture& venue = form.Diagramma_Area;
    LineElement& ray = *form.Raggio[row - 1];
    const double left = -10, bottom = -1;
    const double right = venue.ScaleWidth() - 10;
    const double top = std::abs(venue.ScaleHeight()) - 1;

    const double* corners = ClusterCorners[row];
    const Point start{(corners[0] + corners[1]) / 2, (corners[4] + corners[5]) / 2};

    std::array<std::optional<AudienceLine>, AreaCount> lines;
    for (int k = 0; k < AreaCount; ++k) {
        const LineElement& l = *form.Linea[k];
        if (l.Visible())
            lines[k] = AudienceLine{RoundHalfEven(l.X1()), RoundHalfEven(l.Y1()), RoundHalfEven(l.X2()), RoundHalfEven(l.Y2())};
    }

    const double a = RowAngle(form.Position[row - 1]);
    const double t = std::tan(a * DegToRad);
    const double b = start.z - t * start.x;

    const bool startsInView = (start.x > left || a > -90) && (start.z < top || (-180 < a && a < 0))
                              && (start.z > bottom || a > 0);
    if (!startsInView) {
        ray.SetVisible(false);
    } else {
        std::optional<Point> end;
        double nearest = 0;
        for (const auto& line : lines) {
            if (!line)
                continue;
            const std::optional<Point> c = Crossing(*line, a, t, b, start);
            if (!c || !IsHit(*line, *c, a, start))
                continue;
            const double d = (c->x - start.x) * (c->x - start.x) + (c->z - start.z) * (c->z - start.z);
            if (!end || d < nearest) {
                end = c;
                nearest = d;
            }
        }
        if (!end) {
            Point e;
            if (a == -90) {
                e = {start.x, bottom};
            } else if (-90 < a && a < 90) {
                e = {right, t == 0 ? start.z : t * right + b};
            } else if (-270 <= a && a < -90) {
                e = {left, a == -180 ? start.z : t * left + b};
            } else {
                e = {(top - b) / t, top};
            }
            if (e.z < bottom)
                e = {(bottom - b) / t, bottom};
            else if (e.z > top)
                e = {(top - b) / t, top};
            end = e;
        }

        ray.SetX1(start.x);
        ray.SetY1(start.z);
        if (a == 0 && (start.z < bottom || start.x >= right)) {
            ray.SetVisible(false);
        } else {
            ray.SetX2(end->x);
            ray.SetY2(end->z);
            ray.SetVisible(true);
            ray.SetBorderColor(RaysColor);
        }
    }

    if (HasNoAcousticBox(form.Tipo[row - 1].Text()))
        ray.SetVisible(false);
}
