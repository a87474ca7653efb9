#include "acoustics/RenderSim.h"
#include "acoustics/modColor.h"
#include "core/ArrayState.h"
#include "core/NumberRules.h"
#include "core/Settings.h"
#include "forms/Form_PrincipaleControls.h"
#include "platform/Services.h"

#include <algorithm>

namespace {

// (a / q) * 255 to the nearest whole number, in 32 bits: levels far outside the scale give values
// that the ramp then holds at its ends.
std::int32_t Fraction255(double a, double q) { return CLng((a / q) * 255); }

std::int16_t Byte(std::int32_t v) { return static_cast<std::int16_t>(std::clamp(v, 0, 255)); }

int Pixels(int twips, int twipsPerPixel) { return CLng(double(twips) / twipsPerPixel); }

// The pointer's top that puts its middle at `fraction` of the bar's height from the bar's top.
void PlacePointer(Form_PrincipaleControls& form, double fraction)
{
    const Picture& bar = form.Scala;
    form.ScalePointer.SetTop(CLng(bar.Top() + fraction * bar.Height() - form.ScalePointer.Height() / 2.0));
}

}

SplRamp SetSplRamp()
{
    SplRamp r;
    r.Top = CInt(SplScaleMax * 100.0);
    r.Q = CInt(DeltaSpl * 100.0) / 4.0;
    r.T3 = r.Top - r.Q;
    r.T2 = r.T3 - r.Q;
    r.T1 = r.T2 - r.Q;
    r.Floor = r.T1 - r.Q;
    SplFloor = static_cast<std::int32_t>(r.Floor);
    return r;
}

RGBColor SplRampRGB(double v, const SplRamp& ramp)
{
    // A scale without span has no segments to spread over: below its top is below its floor.
    if (ramp.Q <= 0)
        return v < ramp.Top ? RGBColor{0, 0, 32} : RGBColor{255, 0, 0};
    if (v < ramp.T1) {
        const std::int32_t g = std::max(Fraction255(v - ramp.Floor, ramp.Q), 0);
        return {0, Byte(g), Byte(g + 32)};
    }
    if (v < ramp.T2)
        return {0, 255, Byte(255 - Fraction255(v - ramp.T1, ramp.Q))};
    if (v < ramp.T3)
        return {Byte(Fraction255(v - ramp.T2, ramp.Q)), 255, 0};
    return {255, Byte(255 - Fraction255(v - ramp.T3, ramp.Q)), 0};
}

RGBColor ScaleRowRGB(int y, int Q)
{
    if (y <= Q)
        return {255, Byte(Fraction255(y, Q)), 0};
    if (y <= 2 * Q)
        return {Byte(Fraction255(2 * Q - y, Q)), 255, 0};
    if (y <= 3 * Q)
        return {0, 255, Byte(Fraction255(y - 2 * Q, Q))};
    const std::int32_t g = std::max(Fraction255(4 * Q - y, Q), 0);
    return {0, Byte(g), Byte(g + 32)};
}

void RenderSPLMap()
{
    const SplRamp ramp = SetSplRamp();
    Form_PrincipaleControls& form = Principale();
    Picture& view = form.Diagramma_Area;
    const int wpx = Pixels(view.Width(), Picture::TwipsPerPixel);
    const int hpx = Pixels(view.Height(), Picture::TwipsPerPixel);

    const double typed = Val(form.Area[4].Text());
    const double boxes = typed > MaxBoxes ? MaxBoxes : RoundHalfEven(typed);
    for (int r = 0; r < boxes; ++r)
        form.Raggio[std::size_t(r)]->SetVisible(false);

    // The map starts 1 m in front of the array, MaxX + 11 m from the view's left edge at -10 m.
    const double wleft = double(wpx) * CInt(ArrayExtents.MaxX + 11) / view.ScaleWidth();
    const double wmap = wpx - wleft;
    if (wmap == 0) {
        MsgBox(QStringLiteral("Map Resolution Error!"), vbOKOnly | vbExclamation,
               QStringLiteral("Unable to calculate SPL Map"));
        return;
    }
    for (int y = 0; y < hpx; ++y) {
        const int i = CLng((double(y) / hpx) * MapSize[0]);
        for (int x = 0;; ++x) {
            const double column = RoundHalfEven(wleft + x);
            if (column > wpx - 1)
                break;
            const int j = CLng((x / wmap) * MapSize[1]);
            view.SetPixel(int(column), y, PaintedColor(SplRampRGB(SPLMap(i, j), ramp)));
        }
    }
    view.Refresh();
}

void DrawColorScale()
{
    Form_PrincipaleControls& form = Principale();
    PlacePointer(form, 1.0);
    Picture& bar = form.Scala;
    const int wpx = Pixels(bar.Width(), Picture::TwipsPerPixel);
    const int hpx = Pixels(bar.Height(), Picture::TwipsPerPixel);
    const int q = CLng(hpx / 4.0);
    for (int y = 0; y < hpx; ++y) {
        const std::int32_t colour = PaintedColor(ScaleRowRGB(y, q));
        for (int x = 0; x < wpx; ++x)
            bar.SetPixel(x, y, colour);
    }
    // Pixels set on the picture reach the screen only when the view hears of them.
    bar.Refresh();
}

void ShowSPLAtCursor(float X, float Y)
{
    Form_PrincipaleControls& form = Principale();
    const double floor = std::int16_t(SplScaleMax - DeltaSpl);
    const double mapLeft = ArrayExtents.MaxX + 1;
    if (IsTrue(SplMapValid) && X > mapLeft) {
        const float across = float(X - mapLeft);
        const float depth = float(-form.Diagramma_Area.ScaleHeight() - (Y + 1.0));
        const double i = RoundHalfEven(depth / 0.1);
        const double j = RoundHalfEven(across / 0.1);
        // Only cells of the last run's grid hold a level that belongs to this view.
        if (i >= 0 && i <= std::min<int>(SplMapRows - 1, MapSize[0]) && j >= 0
            && j <= std::min<int>(SplMapCols - 1, MapSize[1])) {
            const double v = std::clamp(SPLMap(int(i), int(j)) / 100.0, floor, double(SplScaleMax));
            PlacePointer(form, 1 - (v - floor) / (SplScaleMax - floor));
            return;
        }
    }
    PlacePointer(form, 1.0);
}
