#include "mechanics/Geometry.h"
#include "core/NumberRules.h"
#include "forms/Form_PrincipaleControls.h"
#include "library/Catalogue.h"
#include "mechanics/Round16.h"

#include <algorithm>
#include <cmath>

namespace {

enum Corner { FrontTop = 0, FrontBottom = 1, BackBottom = 2, BackTop = 3 };

PointXZ operator+(PointXZ a, PointXZ b) { return {a.X + b.X, a.Z + b.Z}; }
PointXZ operator-(PointXZ a, PointXZ b) { return {a.X - b.X, a.Z - b.Z}; }
PointXZ operator*(double k, PointXZ p) { return {k * p.X, k * p.Z}; }

PointXZ CornerOf(int row, Corner c) { return {ClusterCorners[row][c], ClusterCorners[row][c + 4]}; }

void SetCorner(int row, Corner c, PointXZ p)
{
    ClusterCorners[row][c] = p.X;
    ClusterCorners[row][c + 4] = p.Z;
}

// Unit vectors of an element turned by `radians`: back along its depth, and down its front face.
PointXZ Depth(double radians) { return {std::cos(radians), std::sin(radians)}; }
PointXZ Down(double radians) { return {std::sin(radians), -std::cos(radians)}; }

double PositionRadians(int row) { return Val(Principale().Position[row].Text()) * DegToRad; }

void BuildFlyingBar(const ModuleRecord& bar)
{
    const auto& form = Principale();
    const double a = ArrayTilt * DegToRad;
    const double ff = bar.FFrontLen * 0.001;
    const double fl = bar.FLen * 0.001;
    const PointXZ frontTop{Val(form.Area[0].Text()), Val(form.Area[1].Text())};
    const PointXZ frontBottom = frontTop + ff * Down(a);
    SetCorner(0, FrontTop, frontTop);
    SetCorner(0, BackTop, frontTop - fl * Depth(a));
    SetCorner(0, FrontBottom, frontBottom);
    SetCorner(0, BackBottom, frontBottom - fl * Depth(a));
}

// Each box hangs 10 mm below the front-bottom corner of the element above, measured along its own
// front; in reverse mode box 1 starts from the bar's back instead.
void BuildBox(int r, const ModuleRecord& bar)
{
    const ModuleRecord& box = RowModule(r - 1);
    const double b = PositionRadians(r - 1);
    const double f = box.FrontLen * 0.001;
    const double rear = box.RearLen * 0.001;
    const double l = box.BoxLen * 0.001;
    const PointXZ gap = 0.010 * Down(b);
    const PointXZ frontTop = r == 1 && IsTrue(ReverseMode)
                                 ? CornerOf(0, BackBottom) + bar.Reverse_Mode_X * 0.001 * Depth(b) + gap
                                 : CornerOf(r - 1, FrontBottom) + gap;
    const PointXZ frontBottom = frontTop + f * Down(b);
    const PointXZ backInset = ((f - rear) / 2) * Down(b);
    SetCorner(r, FrontTop, frontTop);
    SetCorner(r, FrontBottom, frontBottom);
    SetCorner(r, BackBottom, frontBottom - l * Depth(b) - backInset);
    SetCorner(r, BackTop, frontTop - l * Depth(b) + backInset);
}

// Strict tests throughout, so that of two equal extremes the first one met stays.
void FindExtents(int n)
{
    ArrayExtentsType e;
    const auto take = [](double& value, double& other, PointXZ p, bool byX) {
        value = byX ? p.X : p.Z;
        other = byX ? p.Z : p.X;
    };

    take(e.MaxX, e.ZAtMaxX, CornerOf(0, FrontTop), true);
    for (int r = 1; r <= n; ++r) {
        if (CornerOf(r, FrontBottom).X > e.MaxX)
            take(e.MaxX, e.ZAtMaxX, CornerOf(r, FrontBottom), true);
    }

    const PointXZ barBackBottom = CornerOf(0, BackBottom);
    const PointXZ barBackTop = CornerOf(0, BackTop);
    take(e.MinX, e.ZAtMinX, barBackBottom.X <= barBackTop.X ? barBackBottom : barBackTop, true);
    if (CornerOf(n, FrontBottom).X < e.MinX)
        take(e.MinX, e.ZAtMinX, CornerOf(n, FrontBottom), true);
    for (int r = 1; r <= n; ++r) {
        if (CornerOf(r, BackBottom).X < e.MinX)
            take(e.MinX, e.ZAtMinX, CornerOf(r, BackBottom), true);
    }

    const PointXZ barFrontTop = CornerOf(0, FrontTop);
    take(e.MaxZ, e.XAtMaxZ, barBackTop.Z < barFrontTop.Z ? barFrontTop : barBackTop, false);
    if (CornerOf(n, FrontBottom).Z > e.MaxZ)
        take(e.MaxZ, e.XAtMaxZ, CornerOf(n, FrontBottom), false);
    if (CornerOf(n, BackBottom).Z > e.MaxZ)
        take(e.MaxZ, e.XAtMaxZ, CornerOf(n, BackBottom), false);

    take(e.MinZ, e.XAtMinZ, barBackBottom.Z <= CornerOf(n, BackBottom).Z ? barBackBottom : CornerOf(n, BackBottom),
         false);
    for (int r = 1; r <= n; ++r) {
        if (CornerOf(r, FrontBottom).Z < e.MinZ)
            take(e.MinZ, e.XAtMinZ, CornerOf(r, FrontBottom), false);
    }
    ArrayExtents = e;
}

void FillHoleRow(const std::array<std::int16_t, 60>& offsets, std::uint8_t count, double a, PointXZ origin,
                 std::array<double, 60>& xs, std::array<double, 60>& zs)
{
    const int n = std::min<int>(count, 60);
    for (int i = 0; i < n; ++i) {
        xs[std::size_t(i)] = origin.X / 0.001 - offsets[std::size_t(i)] * std::cos(a);
        zs[std::size_t(i)] = origin.Z / 0.001 - offsets[std::size_t(i)] * std::sin(a);
    }
}

} // namespace

int ArrayBoxCount()
{
    const double v = Val(Principale().Area[4].Text());
    return static_cast<int>(RoundHalfEven(std::clamp(v, 1.0, double(MaxBoxes))));
}

const ModuleRecord& RowModule(int row)
{
    return Modules[std::size_t(GetModuleIndex(Principale().Tipo[row].Text()).Index)];
}

void CalculateArrayGeometry()
{
    auto& form = Principale();
    const ModuleRecord& bar = RowModule(0);
    BuildFlyingBar(bar);

    const int n = ArrayBoxCount();
    // Summed wide: the total is stored in 16 bits only once it is complete.
    std::int32_t weight = 0;
    for (int r = 1; r <= n; ++r) {
        BuildBox(r, bar);
        weight += RowModule(r - 1).Weight;
    }
    ArrayWeight = Round16(weight + bar.FWeight);
    form.Peso_Cluster_Valore.SetCaption(CStr(ArrayWeight) + QStringLiteral(" Kg"));

    FindExtents(n);
    SystemCoG = CalculateCoG();
    CoGAxisPoint = GetArrayAxisPoint(SystemCoG);
    CalculateHolesPosition();
    form.DrawArrayInVenue();
}

PointXZ CalculateCoG()
{
    auto& form = Principale();
    double sumX = 0, sumZ = 0, sumW = 0;
    // cx back from the front face, cz down the front face from the element's front-top.
    const auto add = [&](int cornerRow, int angleRow, double cx, double cz, double w) {
        const double b = PositionRadians(angleRow);
        const PointXZ g = CornerOf(cornerRow, FrontTop) - cx * Depth(b) + cz * Down(b);
        sumX += g.X * w;
        sumZ += g.Z * w;
        sumW += w;
    };
    const ModuleRecord& bar = RowModule(0);
    add(0, 0, bar.FCoG_X / 1000.0, bar.FCoG_Z / 1000.0, bar.FWeight);
    const int n = ArrayBoxCount();
    for (int i = 0; i < n; ++i) {
        const ModuleRecord& box = RowModule(i);
        add(i + 1, i, box.CoG_X / 1000.0, box.CoG_Z / 1000.0, box.Weight);
    }
    const PointXZ cog = sumW != 0 ? PointXZ{sumX / sumW, sumZ / sumW} : CornerOf(0, FrontTop);
    form.LabelCoG.SetCaption(Format(cog.X, QStringLiteral("##0.00")) + QStringLiteral("m ;")
                             + Format(cog.Z, QStringLiteral("##0.00")) + QStringLiteral("m"));
    return cog;
}

PointXZ GetArrayAxisPoint(PointXZ p)
{
    const double t = std::tan(PositionRadians(0));
    const PointXZ origin = CornerOf(0, FrontTop);
    return {p.X, t * p.X + (origin.Z - t * origin.X)};
}

void CalculateHolesPosition()
{
    const ModuleRecord& bar = RowModule(0);
    const double a = PositionRadians(0);
    const PointXZ origin = CornerOf(0, FrontTop);
    FillHoleRow(bar.FCHole, bar.FCHoleCount, a, origin, HoleX1, HoleZ1);
    FillHoleRow(bar.FSHole, bar.FSHoleCount, a, origin, HoleX2, HoleZ2);
}

std::int16_t PointDistance(double X1, double Y1, double X2, double Y2)
{
    return Round16(std::sqrt((X1 - X2) * (X1 - X2) + (Y1 - Y2) * (Y1 - Y2)));
}
