#include "mechanics/Mechanics.h"
#include "core/NumberRules.h"
#include "forms/Form_PrincipaleControls.h"
#include "mechanics/Geometry.h"
#include "mechanics/MechanicsHooks.h"
#include "mechanics/Round16.h"
#include "platform/Services.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int CentralRow = 0;
constexpr int SideRow = 1;

double CoGXmm() { return SystemCoG.X / 0.001; }

// Which side of the centre of gravity a hole lies on; a hole right at it lies on neither.
int SideOf(double x, double c) { return x > c ? 1 : (x < c ? -1 : 0); }

int RowCount(std::uint8_t count) { return std::min<int>(count, 60); }

// Hook indexes also come from project files, so each is checked against its row before use.
bool IsHole(int index, std::uint8_t count) { return index >= 0 && index < RowCount(count); }

bool IsSidePairVariant()
{
    return HooksNumber == 2 && !IsTrue(FlyingBarHooks[1].SelHook) && FlyingBarHooks[0].HoleRow == SideRow;
}

void SetImpossible()
{
    ImpossibleMechanicalConfig = VbTrue;
    HangTiltOffset = 0;
}

void RedrawMecView()
{
    if (MecHooks().UpdateMecView)
        MecHooks().UpdateMecView();
}

void ShowImpossible()
{
    if (MecHooks().SetLabelWeightHookCaption)
        MecHooks().SetLabelWeightHookCaption(0, QStringLiteral("Impossible mechanical configuration!"));
}

// Of all (outer, inner) pairs, the one whose ratio of distances from the centre of gravity comes
// closest to `target`; first found wins ties, and a pair whose outer hole sits at the centre of
// gravity never wins. {-1, -1} when no pair qualifies.
std::pair<int, int> BestPair(const std::array<double, 60>& outerHoles, int outerLast, int innerFirst, int innerLast,
                             double target, double c)
{
    double best = 32767.0;
    std::pair<int, int> pair{-1, -1};
    for (int outer = 0; outer <= outerLast; ++outer) {
        const double outerDistance = outerHoles[std::size_t(outer)] - c;
        if (outerDistance == 0)
            continue;
        for (int inner = innerFirst; inner <= innerLast; ++inner) {
            const double v = std::abs(target - std::abs((HoleX1[std::size_t(inner)] - c) / outerDistance));
            if (v < best) {
                best = v;
                pair = {outer, inner};
            }
        }
    }
    return pair;
}

} // namespace

void UpdateMechanics()
{
    auto& form = Principale();
    const ModuleRecord& bar = RowModule(0);
    form.Area[3].SetEnabled(true);
    form.VScroll_Area[3].SetEnabled(true);
    const bool singlePoint = HooksNumber == 1 || IsSidePairVariant();
    const bool pair = !singlePoint && (HooksNumber == 2 || HooksNumber == 3);

    if (WorkingMode == 0 && singlePoint) {
        const bool central = HooksNumber == 1;
        const auto hook = central ? FindNearestHole(HoleX1, bar.FCHoleCount, SystemCoG.X)
                                  : FindNearestHole(HoleX2, bar.FSHoleCount, SystemCoG.X);
        if (hook) {
            FlyingBarHooks[0] = *hook;
            FlyingBarHooks[0].HoleRow = central ? CentralRow : SideRow;
            FlyingBarHooks[0].SelHook = VbTrue;
            FlyingBarHooks[1].SelHook = VbFalse;
        }
        CalculateHookLoads();
    } else if (WorkingMode == 0 && pair) {
        // The view is redrawn only once the loads of the new pair are known. A failed search places no
        // hook, so the loads must not be worked out from the hooks of an earlier configuration.
        const bool placed = FindHookPair();
        HangTiltOffset = 0;
        if (placed) {
            CalculateHookLoads();
            RedrawMecView();
        } else {
            ShowImpossible();
        }
    } else if (WorkingMode == 1 && singlePoint) {
        form.Area[3].SetEnabled(false);
        form.VScroll_Area[3].SetEnabled(false);
        CalculateManualTilt();
        HangTiltOffset = 0;
        CalculateHookLoads();
    } else if (WorkingMode == 1 && pair) {
        HangTiltOffset = 0;
        CalculateHookLoads();
    }
}

std::optional<FlyingBarHook> FindNearestHole(const std::array<double, 60>& holes, std::uint8_t count, double cogX)
{
    const int n = RowCount(count);
    const double cx = cogX / 0.001;
    // A hole is taken over the previous one only when it comes nearer than the previous distance
    // rounded to whole millimetres.
    double best = 32767;
    int i = 0;
    while (i < n && std::abs(holes[std::size_t(i)] - cx) < best) {
        best = RoundHalfEven(std::abs(holes[std::size_t(i)] - cx));
        ++i;
    }
    const int h = i - 1;

    const bool central = HooksNumber == 1;
    FlyingBarHooks[0].HoleRow = central ? CentralRow : SideRow;
    FlyingBarHooks[1].SelHook = VbFalse;
    const double dz = h < 0 ? 0
                            : RoundHalfEven((central ? HoleZ1 : HoleZ2)[std::size_t(h)]
                                            - RoundHalfEven(SystemCoG.Z / 0.001));
    if (h < 0 || dz == 0) {
        FlyingBarHooks[0].SelHook = VbFalse;
        SetImpossible();
        return std::nullopt;
    }
    FlyingBarHooks[0].SelHook = VbTrue;
    const double dx = holes[std::size_t(h)] - cx;
    HangTiltOffset = Round16(std::atan(dx / dz) / DegToRad * 10) / 10.0;
    ImpossibleMechanicalConfig = VbFalse;
    return FlyingBarHook{CentralRow, static_cast<std::int16_t>(h), VbFalse, VbFalse};
}

bool FindHookPair()
{
    const ModuleRecord& bar = RowModule(0);
    const int nC = RowCount(bar.FCHoleCount) - 1;
    const int nS = RowCount(bar.FSHoleCount) - 1;
    const double c = CoGXmm();
    FlyingBarHooks[0].SelHook = VbFalse;
    FlyingBarHooks[1].SelHook = VbFalse;
    if (nC < 0 || (HooksNumber == 3 && nS < 0)) {
        ImpossibleMechanicalConfig = VbTrue;
        return false;
    }

    // The run of central holes at the bar's end that lie on the same side as the last one.
    int i = nC;
    while (i >= 0 && SideOf(HoleX1[std::size_t(i)], c) == SideOf(HoleX1[std::size_t(nC)], c))
        --i;
    const int cUp = i + 1;

    std::pair<int, int> found{-1, -1};
    if (HooksNumber == 2) {
        // Two central hooks, one on each side, at the most equal distances.
        if (cUp > 0)
            found = BestPair(HoleX1, cUp - 1, cUp, nC, 1.0, c);
    } else {
        // A side pair and a central hook twice as far out, so that the pair carries two thirds.
        int j = 0;
        while (j <= nS && SideOf(HoleX2[std::size_t(j)], c) == SideOf(HoleX2[0], c))
            ++j;
        const int sLow = j - 1;
        if (SideOf(HoleX1[std::size_t(cUp)], c) != SideOf(HoleX2[std::size_t(sLow)], c))
            found = BestPair(HoleX2, sLow, cUp, nC, 2.0, c);
    }
    if (found.first < 0) {
        ImpossibleMechanicalConfig = VbTrue;
        return false;
    }

    FlyingBarHooks[0].HoleRow = HooksNumber == 2 ? CentralRow : SideRow;
    FlyingBarHooks[1].HoleRow = CentralRow;
    FlyingBarHooks[0].FBarHooks = static_cast<std::int16_t>(found.first);
    FlyingBarHooks[1].FBarHooks = static_cast<std::int16_t>(found.second);
    FlyingBarHooks[0].SelHook = VbTrue;
    FlyingBarHooks[1].SelHook = VbTrue;
    ImpossibleMechanicalConfig = VbFalse;
    return true;
}

void CalculateHookLoads()
{
    const ModuleRecord& bar = RowModule(0);
    const double c = CoGXmm();
    const int h1 = FlyingBarHooks[0].FBarHooks;
    const int h2 = FlyingBarHooks[1].FBarHooks;
    const bool hook2Placed = IsTrue(FlyingBarHooks[1].SelHook);
    const bool centralPair = HooksNumber == 2 && hook2Placed;
    const bool threeHooks = HooksNumber == 3;

    if (centralPair) {
        ImpossibleMechanicalConfig =
            ToVbBool(!IsHole(h1, bar.FCHoleCount) || !IsHole(h2, bar.FCHoleCount)
                     || SideOf(HoleX1[std::size_t(h1)], c) == SideOf(HoleX1[std::size_t(h2)], c));
    } else if (threeHooks) {
        ImpossibleMechanicalConfig =
            ToVbBool(!IsHole(h1, bar.FSHoleCount) || !IsHole(h2, bar.FCHoleCount)
                     || SideOf(HoleX2[std::size_t(h1)], c) == SideOf(HoleX1[std::size_t(h2)], c));
    }

    // Each support carries the weight in proportion to the other support's distance from the centre
    // of gravity; supports that close to it cannot share the weight at all.
    double d1 = 0, d2 = 0, s = 0;
    if (!IsTrue(ImpossibleMechanicalConfig) && centralPair) {
        d1 = std::abs(HoleX1[std::size_t(h1)] - c);
        d2 = std::abs(HoleX1[std::size_t(h2)] - c);
        s = RoundHalfEven(d1 + d2);
    } else if (!IsTrue(ImpossibleMechanicalConfig) && threeHooks) {
        d1 = RoundHalfEven(std::abs(HoleX2[std::size_t(h1)] - c));
        d2 = RoundHalfEven(std::abs(HoleX1[std::size_t(h2)] - c));
        s = d1 + d2;
    }
    if ((centralPair || threeHooks) && s == 0)
        SetImpossible();
    if (IsTrue(ImpossibleMechanicalConfig)) {
        ShowImpossible();
        return;
    }

    const double w = ArrayWeight;
    if (HooksNumber == 1) {
        HookLoad[0] = ArrayWeight;
    } else if (HooksNumber == 2 && !hook2Placed) {
        HookLoad[0] = Round16(w / 2);
    } else if (centralPair) {
        HookLoad[0] = Round16(d2 / s * w);
        HookLoad[1] = Round16(d1 / s * w);
    } else if (threeHooks) {
        HookLoad[0] = Round16(RoundHalfEven(d2 / s * w) / 2);
        HookLoad[1] = Round16(d1 / s * w);
    }
}

void CalculateManualTilt()
{
    auto& form = Principale();
    const ModuleRecord& bar = RowModule(0);
    const bool sideRow = HooksNumber != 1;
    const int h = FlyingBarHooks[0].FBarHooks;
    if (!IsHole(h, sideRow ? bar.FSHoleCount : bar.FCHoleCount)) {
        SetImpossible();
        return;
    }

    // The array axis z = t x + q through the bar's front-top at the top box's angle, in millimetres.
    const double t = std::tan(Val(form.Position[0].Text()) * DegToRad);
    const double x0 = ClusterCorners[0][0] / 0.001;
    const double z0 = ClusterCorners[0][4] / 0.001;
    const double q = z0 - t * x0;
    const PointXZ g{SystemCoG.X / 0.001, SystemCoG.Z / 0.001};
    PointXZ foot{g.X, z0};
    if (t != 0) {
        const double p = g.Z + g.X / t;
        foot = {t * (p - q) / (t * t + 1), q + t * t * (p - q) / (1 + t * t)};
    }
    const PointXZ hook = sideRow ? PointXZ{HoleX2[std::size_t(h)], HoleZ2[std::size_t(h)]}
                                 : PointXZ{HoleX1[std::size_t(h)], HoleZ1[std::size_t(h)]};
    double a = std::sqrt((hook.X - foot.X) * (hook.X - foot.X) + (hook.Z - foot.Z) * (hook.Z - foot.Z));
    const double b = std::sqrt((g.X - foot.X) * (g.X - foot.X) + (g.Z - foot.Z) * (g.Z - foot.Z));
    if (hook.X < foot.X)
        a = -a;
    if (foot.Z < g.Z)
        a = -a;
    // A centre of gravity on the axis itself gives no hanging angle.
    if (b == 0) {
        SetImpossible();
        return;
    }

    const double angle = Round16(std::atan(a / b) / DegToRad * 10) / 10.0;
    if (angle < -60 || angle > 60) {
        ImpossibleMechanicalConfig = VbTrue;
        return;
    }
    DoEvents();
    if (angle != Val(form.Area[3].Text()))
        form.Area[3].SetText(CStr(angle));
    // Cleared also when the field already holds the angle: that hang is possible too.
    ImpossibleMechanicalConfig = VbFalse;
}
