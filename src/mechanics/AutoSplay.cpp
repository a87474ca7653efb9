#include "mechanics/AutoSplay.h"
#include "core/NumberRules.h"
#include "forms/Form_PrincipaleControls.h"
#include "mechanics/Geometry.h"
#include "mechanics/Round16.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Directions from a reference point are coded so that a greater code is a higher direction when
// aiming up: behind and below (0), straight down (1), forward (2), straight up (3), behind and above (4).
// Aiming down uses the same codes mirrored in height. Straight up and down carry no slope.
constexpr int LeftOut = -1;

bool HasSlope(int code) { return code % 2 == 0; }

struct AudienceEnd {
    PointXZ p;
    bool first;  // the line's start; only a start may lie level with and behind the reference
};

std::vector<AudienceEnd> VisibleAudienceEnds()
{
    std::vector<AudienceEnd> ends;
    for (const LineElement* line : Principale().Linea) {
        if (!line->Visible())
            continue;
        ends.push_back({{line->X1(), line->Y1()}, true});
        ends.push_back({{line->X2(), line->Y2()}, false});
    }
    return ends;
}

int HighCode(const AudienceEnd& end, PointXZ ref)
{
    const PointXZ p = end.p;
    if (p.X < ref.X && p.Z > ref.Z)
        return 4;
    if (p.X == ref.X && p.Z > ref.Z)
        return 3;
    if (p.X > ref.X)
        return 2;
    if (p.X == ref.X && p.Z < ref.Z)
        return 1;
    // An end on the reference point itself has no direction at all.
    if (p.X == ref.X)
        return LeftOut;
    return end.first || p.Z < ref.Z ? 0 : LeftOut;
}

int LowCode(PointXZ p, PointXZ ref)
{
    if (p.X < ref.X && p.Z < ref.Z)
        return 4;
    if (p.X == ref.X && p.Z < ref.Z)
        return 3;
    if (p.X > ref.X)
        return 2;
    if (p.X == ref.X && p.Z > ref.Z)
        return 1;
    if (p.X < ref.X && p.Z > ref.Z)
        return 0;
    return LeftOut;
}

struct Kept {
    int code = 0;
    double value = 0;
};

// A greater code always wins; within one code, a value wins only when strictly better, so the first
// of equal values stays.
void Keep(Kept& kept, int code, double value, bool higherIsBetter)
{
    if (code > kept.code) {
        kept.code = code;
        if (HasSlope(code))
            kept.value = value;
    } else if (code == kept.code && HasSlope(code) && (higherIsBetter ? value > kept.value : value < kept.value)) {
        kept.value = value;
    }
}

// The highest aim: each slope is raised by the angle that half the top box's front subtends.
Kept HighestAim(const std::vector<AudienceEnd>& ends, PointXZ ref, double frontLen)
{
    Kept kept{0, -10000};
    for (const AudienceEnd& end : ends) {
        const int code = HighCode(end, ref);
        if (code == LeftOut)
            continue;
        double v = 0;
        if (HasSlope(code)) {
            const double reach = std::sqrt((end.p.X + ref.X) * (end.p.X + ref.X) + (end.p.Z + ref.Z) * (end.p.Z + ref.Z));
            if (reach == 0)
                continue;
            v = (end.p.Z - ref.Z) / (end.p.X - ref.X) + std::abs((frontLen / 2000) / reach);
        }
        Keep(kept, code, v, true);
    }
    return kept;
}

Kept LowestAim(const std::vector<AudienceEnd>& ends, PointXZ ref)
{
    Kept kept{0, 10000};
    for (const AudienceEnd& end : ends) {
        const int code = LowCode(end.p, ref);
        if (code == LeftOut)
            continue;
        const double m = HasSlope(code) ? (end.p.Z - ref.Z) / (end.p.X - ref.X) : 0;
        Keep(kept, code, m, false);
    }
    return kept;
}

double Degrees(double slope) { return std::atan(slope) / DegToRad; }

// The whole-degree entry (after the list's first) nearest to target, the lower one on a tie; the
// list's first entry when no later entry is whole; -1 for an empty list.
int ChooseSplayEntry(const ComboList& list, double target)
{
    if (list.ListCount() == 0)
        return -1;
    std::vector<int> whole;
    for (int j = 1; j < list.ListCount(); ++j) {
        const double s = Val(list.List(j));
        if (s == RoundHalfEven(s))
            whole.push_back(j);
    }
    if (whole.empty())
        return 0;
    std::size_t read = 0;
    double s = 0;
    do {
        s = Val(list.List(whole[read]));
        ++read;
    } while (s < target && read < whole.size());
    if (s > target && read >= 2) {
        const double below = Val(list.List(whole[read - 2]));
        const double dAbove = std::abs(s - target);
        const double dBelow = std::abs(below - target);
        return dAbove < dBelow || (dAbove == dBelow && s < below) ? whole[read - 1] : whole[read - 2];
    }
    return whole[read - 1];
}

} // namespace

void AutoConfigureArray()
{
    if (WorkingMode == 1)
        return;
    auto& form = Principale();
    const int n = ArrayBoxCount();

    // Straighten first: the handlers of these fields rebuild ClusterCorners at once.
    form.Area[3].SetText(QStringLiteral("0"));
    for (int i = 0; i < n; ++i)
        form.Angolo[std::size_t(i)].SetText(QStringLiteral("0"));

    const std::vector<AudienceEnd> ends = VisibleAudienceEnds();
    if (ends.empty())
        return;
    const PointXZ topBox{ClusterCorners[1][0], ClusterCorners[1][4]};
    const PointXZ lastJoint{ClusterCorners[n - 1][0], ClusterCorners[n - 1][4]};
    const Kept high = HighestAim(ends, topBox, RowModule(0).FrontLen);
    const Kept low = LowestAim(ends, lastJoint);

    const double highest[] = {Degrees(high.value) - 180, -90, Degrees(high.value), 90, Degrees(high.value) + 180};
    const double tilt = std::clamp(highest[high.code] + 3, -60.0, 60.0);
    form.Area[3].SetText(CStr(Round16(tilt * 10) / 10.0));

    const double lowest[] = {Degrees(low.value) + 180, 90, Degrees(low.value), -90, Degrees(low.value) - 180};
    // Joint i asks for i steps, so the splay grows linearly down the array.
    const double step = 2 * (tilt - lowest[low.code]) / (n * (n + 1));
    for (int i = 1; i < n; ++i) {
        ComboList& list = form.Angolo[std::size_t(i)];
        const int entry = ChooseSplayEntry(list, step * i);
        if (entry >= 0)
            list.SetText(list.List(entry));
    }
}
