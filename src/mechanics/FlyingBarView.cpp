#include "mechanics/FlyingBarView.h"
#include "library/Catalogue.h"
#include "core/ArrayState.h"
#include "core/NumberRules.h"
#include "core/Settings.h"
#include "forms/Form_PrincipaleControls.h"
#include "mechanics/Form_MecView.h"
#include "mechanics/MecViewHooks.h"

#include <algorithm>

namespace {

constexpr int HoleRadius = 10;
constexpr std::int32_t Black = 0x000000;
constexpr std::int32_t White = 0xFFFFFF;
constexpr std::int32_t Blue = 0xFF0000;
constexpr int FillSolid = 0;
constexpr int FillTransparent = 1;
// Window units between the two hook-load texts, and of the texts from the window's left edge.
constexpr int LoadTextGap = 500;
constexpr int LoadTextLeft = 200;

// The bar's horizontal span in the array, metres: front-top X minus back-top X of row 0.
double BarSpan() { return ClusterCorners[0][0] - ClusterCorners[0][3]; }

bool CarriesHook(const FlyingBarHook& hook, int hole, int row)
{
    return hook.FBarHooks == hole && hook.HoleRow == row && IsTrue(hook.SelHook);
}

void HoleCircle(Picture& pic, double x, double y, bool hooked)
{
    pic.SetFillColor(hooked ? Black : White);
    pic.SetFillStyle(hooked ? FillSolid : FillTransparent);
    pic.Circle(x, y, HoleRadius);
}

// A hole number with its right edge touching the circle left of (x, y), centred on it.
void NumberHole(LabelElement& label, const QString& caption, double x, double y)
{
    label.SetCaption(caption);
    label.SetTop(y - label.Height() / 2);
    label.SetLeft(x - (label.Width() + HoleRadius));
    label.SetVisible(true);
}

void DrawOutline(Form_MecView& f, const ModuleRecord& bar)
{
    const double len = bar.FLen;
    const double wid = bar.FY_Len;
    const double ends[4][4] = {{0, 0, 0, len}, {0, len, wid, len}, {wid, len, wid, 0}, {wid, 0, 0, 0}};
    for (int k = 0; k < 4; ++k) {
        LineElement& line = *f.PicHooksLine[k];
        line.SetEnds(ends[k][0], ends[k][1], ends[k][2], ends[k][3]);
        line.SetVisible(true);
    }
    f.PicHooksLine[3]->SetBorderColor(Blue);
}

void DrawHoles(Form_MecView& f, const ModuleRecord& bar)
{
    Picture& pic = f.Anteprima_Flying_Bar;
    const auto& hook1 = FlyingBarHooks[0];
    const auto& hook2 = FlyingBarHooks[1];
    const double centre = bar.FY_Len / 2.0;
    const int central = CentralHoleCount(bar);
    for (int i = 0; i < central; ++i) {
        HoleCircle(pic, centre, bar.FCHole[i], CarriesHook(hook1, i, 0) || CarriesHook(hook2, i, 0));
        NumberHole(*f.LabelCentral[i], CStr(i + 1), centre, bar.FCHole[i]);
    }
    for (int i = central; i < Form_MecView::HoleLabelCount; ++i)
        f.LabelCentral[i]->SetVisible(false);

    const double nearLine = bar.FSHole_Y;
    const double farLine = bar.FY_Len - bar.FSHole_Y;
    const int side = SideHoleCount(bar);
    for (int j = 0; j < side; ++j) {
        const bool hooked = CarriesHook(hook1, j, 1);
        HoleCircle(pic, nearLine, bar.FSHole[j], hooked);
        HoleCircle(pic, farLine, bar.FSHole[j], hooked);
        NumberHole(*f.LabelSide1[j], CStr(j + 1), nearLine, bar.FSHole[j]);
        NumberHole(*f.LabelSide2[j], CStr(j + 1), farLine, bar.FSHole[j]);
    }
    for (int j = side; j < Form_MecView::HoleLabelCount; ++j) {
        f.LabelSide1[j]->SetVisible(false);
        f.LabelSide2[j]->SetVisible(false);
    }
}

void HideBar(Form_MecView& f)
{
    for (LineElement* line : f.PicHooksLine)
        line->SetVisible(false);
    for (int i = 0; i < Form_MecView::HoleLabelCount; ++i) {
        f.LabelCentral[i]->SetVisible(false);
        f.LabelSide1[i]->SetVisible(false);
        f.LabelSide2[i]->SetVisible(false);
    }
    f.MecView_CoG_Line.SetVisible(false);
}

// The arrow beside an end of the bar: its shaft starts at `base` and its tip lies 50 mm further on
// in the direction `dir` (+1 below the back end, -1 above the front end).
void PlaceArrow(Form_MecView& f, const ModuleRecord& bar, double base, double dir)
{
    const double c = bar.FY_Len / 2.0;
    const double s = 12.5 * f.Anteprima_Flying_Bar.ScaleWidth() / 800;
    f.LineCoGOutOfBar[0]->SetEnds(c - s, base, c - s, base + dir * 37.5);
    f.LineCoGOutOfBar[1]->SetEnds(c - 2 * s, base + dir * 25, c, base + dir * 50);
    f.LineCoGOutOfBar[2]->SetEnds(c + s, base, c + s, base + dir * 37.5);
    f.LineCoGOutOfBar[3]->SetEnds(c + 2 * s, base + dir * 25, c, base + dir * 50);
    f.LabelFBarCog.SetTop(base + dir * 25 - f.LabelFBarCog.Height() / 2);
    f.LabelFBarCog.SetLeft(c + 2 * s);
}

// Draws the centre-of-gravity line and decides CoGOutOfBar; true when the rigging then needs a
// bottom strap, which the hook-load texts give way to.
bool MarkCentreOfGravity(Form_MecView& f, const ModuleRecord& bar)
{
    const Picture& pic = f.Anteprima_Flying_Bar;
    const double yc = RoundHalfEven((ClusterCorners[0][0] - SystemCoG.X) / BarSpan() * bar.FLen);
    LineElement& line = f.MecView_CoG_Line;
    line.SetBorderColor(CoGColor);
    line.SetEnds(pic.ScaleLeft(), yc, pic.ScaleWidth(), yc);
    line.SetVisible(true);

    if (static_cast<float>(yc) >= static_cast<float>(bar.FLen + 50)) {
        CoGOutOfBar = VbTrue;
        PlaceArrow(f, bar, bar.FLen, 1);
    } else if (static_cast<float>(yc) <= -50.0f) {
        CoGOutOfBar = VbTrue;
        PlaceArrow(f, bar, 0, -1);
    } else {
        CoGOutOfBar = VbFalse;
        return false;
    }
    return HooksNumber == 1 || (HooksNumber == 2 && FlyingBarHooks[0].HoleRow == 1);
}

// Centred in the band between the window's top and the array picture.
void PlaceLoadTexts(Form_MecView& f)
{
    Label& l0 = f.Label_Weight_Hook[0];
    l0.SetLeft(LoadTextLeft);
    l0.SetTop(static_cast<int>(RoundHalfEven(f.Anteprima_Cluster.Top() / 2.0 - l0.Height() / 2.0)));
    f.Label_Weight_Hook[1].SetTop(l0.Top());
}

void WriteStrapWarning(Form_MecView& f)
{
    Label& l0 = f.Label_Weight_Hook[0];
    PlaceLoadTexts(f);
    l0.SetCaption(QStringLiteral("This configuration requires an additional bottom strap!"));
    l0.SetVisible(true);
    f.Label_Weight_Hook[1].SetVisible(false);
}

void WriteHookLoads(Form_MecView& f)
{
    Label& l0 = f.Label_Weight_Hook[0];
    Label& l1 = f.Label_Weight_Hook[1];
    PlaceLoadTexts(f);
    if (IsTrue(ImpossibleMechanicalConfig)) {
        // Its visibility is the blink timer's while the configuration stays impossible.
        l0.SetCaption(QStringLiteral("Impossible mechanical configuration!"));
        l1.SetVisible(false);
        return;
    }
    const QString h0 = CStr(HookLoad[0]);
    const QString h1 = CStr(HookLoad[1]);
    const auto& hook1 = FlyingBarHooks[0];
    const auto& hook2 = FlyingBarHooks[1];
    bool second = false;
    if (HooksNumber == 1) {
        l0.SetCaption(h0 + QStringLiteral(" kg on selected hook"));
    } else if (HooksNumber == 2 && !IsTrue(hook2.SelHook)) {
        l0.SetCaption(h0 + QStringLiteral(" kg on each side hook"));
    } else if (HooksNumber == 2) {
        l0.SetCaption(h0 + QStringLiteral(" kg on hook ") + CStr(hook1.FBarHooks + 1));
        l1.SetCaption(h1 + QStringLiteral(" kg on hook ") + CStr(hook2.FBarHooks + 1));
        second = true;
    } else {
        l0.SetCaption(h0 + QStringLiteral(" kg on each side hook"));
        l1.SetCaption(h1 + QStringLiteral(" kg on central hook"));
        second = true;
    }
    l0.SetVisible(true);
    l1.SetVisible(second);
    if (second)
        l1.SetLeft(l0.Left() + l0.Width() + LoadTextGap);
}

} // namespace

const ModuleRecord& FlyingBarModule()
{
    const int m = GetModuleIndex(Principale().Tipo[0].Text()).Index;
    return Modules[m >= 0 && m < MaxModules ? m : 0];
}

bool FlyingBarShown(const ModuleRecord& bar)
{
    return bar.FLen > 0 && bar.FY_Len > 0 && BarSpan() != 0;
}

int CentralHoleCount(const ModuleRecord& bar)
{
    return std::min<int>(bar.FCHoleCount, static_cast<int>(bar.FCHole.size()));
}

int SideHoleCount(const ModuleRecord& bar)
{
    return std::min<int>(bar.FSHoleCount, static_cast<int>(bar.FSHole.size()));
}

void ScaleFlyingBar(Form_MecView& f, const ModuleRecord& bar)
{
    Picture& pic = f.Anteprima_Flying_Bar;
    const double w = pic.Width();
    const double h = pic.Height();
    if (!FlyingBarShown(bar) || w <= 0 || h <= 0)
        return;
    const double height = bar.FLen + 100;
    if (h / bar.FLen <= w / bar.FY_Len) {
        const double width = w / h * height;
        pic.SetScaleHeight(height);
        pic.SetScaleWidth(width);
        pic.SetScaleTop(-50);
        pic.SetScaleLeft(-(width - bar.FY_Len) / 2);
    } else {
        pic.SetScaleHeight(height);
        pic.SetScaleWidth(bar.FY_Len + 100);
        pic.SetScaleLeft(-50);
        pic.SetScaleTop(-50);
    }
}

void DrawFlyingBar(Form_MecView& f, const ModuleRecord& bar)
{
    f.Anteprima_Flying_Bar.Cls();
    if (!FlyingBarShown(bar)) {
        HideBar(f);
        CoGOutOfBar = VbFalse;
    } else {
        DrawOutline(f, bar);
        DrawHoles(f, bar);
        if (MarkCentreOfGravity(f, bar)) {
            WriteStrapWarning(f);
            return;
        }
    }
    WriteHookLoads(f);
}
