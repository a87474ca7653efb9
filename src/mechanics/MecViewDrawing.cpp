#include "mechanics/MecViewDrawing.h"
#include "core/ArrayState.h"
#include "core/NumberRules.h"
#include "forms/Form_PrincipaleControls.h"
#include "mechanics/FlyingBarView.h"
#include "mechanics/Form_MecView.h"
#include "mechanics/MecViewHooks.h"

#include <cmath>

namespace {

constexpr std::int32_t Blue = 0xFF0000;
const QString Degree = QString(QChar(0x00B0));
const QString CR = QString(QChar(13));

struct Corner {
    double X;
    double Z;
};

// Corners of a row of ClusterCorners: front-top, front-bottom, back-bottom, back-top.
Corner FT(int r) { return {ClusterCorners[r][0], ClusterCorners[r][4]}; }
Corner FB(int r) { return {ClusterCorners[r][1], ClusterCorners[r][5]}; }
Corner BB(int r) { return {ClusterCorners[r][2], ClusterCorners[r][6]}; }
Corner BT(int r) { return {ClusterCorners[r][3], ClusterCorners[r][7]}; }

// Shown numbers are rounded to hundredths. The rounding has no range limit: an extent beyond the
// 16-bit hundredths of a metre is shown, not turned into an error that stops the redraw.
double Hundredths(double v) { return RoundHalfEven(v * 100) / 100; }

void Stroke(Picture& pic, Corner a, Corner b) { pic.Line(a.X, a.Z, b.X, b.Z); }

// Strict overlap of two labels on a Z-up picture, where a label spans Top - Height .. Top.
bool Overlap(const LabelElement& a, const LabelElement& b)
{
    return a.Top() - a.Height() < b.Top() && b.Top() - b.Height() < a.Top() && a.Left() + a.Width() > b.Left() &&
           b.Left() + b.Width() > a.Left();
}

// The number of boxes drawn: the box-count field, at most 16, rounded half to even. Anything below
// zero draws nothing at all, as -1 does.
int BoxesDrawn(const Form_PrincipaleControls& p)
{
    const double v = Val(p.Area[4].Text());
    if (v > MaxBoxes)
        return MaxBoxes;
    if (!(v >= -1))
        return -1;
    return CInt(v);
}

void StoreArrayAngles(const Form_PrincipaleControls& p)
{
    const double position = Val(p.Position[0].Text());
    ActualArrayAngle = -position - HangTiltOffset;
    SelectedArrayAngle = -position;
}

// Equal scales on both axes, the array centred with a 1 m margin across the governing direction.
void ScaleArrayPicture(Picture& pic, double w, double h)
{
    const double W = pic.Width();
    const double H = pic.Height();
    if (W <= 0 || H <= 0)
        return;
    const ArrayExtentsType& e = ArrayExtents;
    double sw, sh, st, sl;
    if (H / h <= W / w) {
        sh = -(h + 2);
        sw = -(W * sh / H);
        st = e.MaxZ + 1;
        sl = e.MinX - (sw - w) / 2;
    } else {
        sw = w + 2;
        sh = -(H / W * sw);
        st = e.MaxZ + (std::abs(sh) - h) / 2;
        sl = e.MinX - 1;
    }
    pic.SetScaleHeight(sh);
    pic.SetScaleWidth(sw);
    pic.SetScaleTop(st);
    pic.SetScaleLeft(sl);
}

void DrawArrayOutline(Form_MecView& f, const Form_PrincipaleControls& p, int boxes)
{
    Picture& pic = f.Anteprima_Cluster;
    pic.Cls();
    for (int i = 0; i <= MaxBoxes; ++i) {
        f.Label_Mech_Tipo[i]->SetVisible(false);
        f.Label_Mech_Angolo[i]->SetVisible(false);
    }
    for (int r = 0; r <= boxes; ++r) {
        if (r == 0) {
            // The bar's front face is blue, as the front end of the bar seen from above.
            const int width = pic.DrawWidth();
            const std::int32_t colour = pic.ForeColor();
            pic.SetDrawWidth(3);
            pic.SetForeColor(Blue);
            Stroke(pic, FT(0), FB(0));
            pic.SetDrawWidth(width);
            pic.SetForeColor(colour);
            Stroke(pic, FB(0), BB(0));
            Stroke(pic, BB(0), BT(0));
            Stroke(pic, BT(0), FT(0));
            continue;
        }
        Stroke(pic, FT(r), FB(r));
        Stroke(pic, FB(r), BB(r));
        Stroke(pic, BB(r), BT(r));
        Stroke(pic, BT(r), FT(r));

        LabelElement& type = *f.Label_Mech_Tipo[r - 1];
        type.SetCaption(p.Tipo[r - 1].Text());
        type.SetLeft((BT(r).X + BB(r).X) / 2 - type.Width() - type.Height() / 2);
        type.SetTop((BT(r).Z + BB(r).Z) / 2 + type.Height() / 2);
        type.SetVisible(true);

        if (r < boxes) {
            LabelElement& splay = *f.Label_Mech_Angolo[r - 1];
            splay.SetCaption(p.Angolo[r].Text() + Degree);
            splay.SetLeft((FB(r + 1).X + FT(r + 1).X) / 2 + splay.Height() / 2);
            splay.SetTop((FB(r + 1).Z + FT(r + 1).Z) / 2 + splay.Height() / 2);
            splay.SetVisible(true);
        }
    }
}

QString ExtentText(const char* name, double value, const char* otherAxis, double other)
{
    return QString::fromLatin1(name) + CStr(Hundredths(value)) + QStringLiteral("m(") + QString::fromLatin1(otherAxis) +
           CStr(Hundredths(other)) + QStringLiteral("m)");
}

QString SpanText(double high, double low)
{
    return CStr(Hundredths(Hundredths(high) - Hundredths(low))) + QStringLiteral(" m");
}

void PlaceHorizontalExtents(Form_MecView& f)
{
    Picture& pic = f.Anteprima_Cluster;
    const ArrayExtentsType& e = ArrayExtents;
    LabelElement& X = f.Label_Cluster_xMax;
    LabelElement& Y = f.Label_Cluster_xMin;
    LabelElement& D = f.Label_Cluster_DeltaX;

    X.SetCaption(ExtentText("Max X: ", e.MaxX, "Z: ", e.ZAtMaxX));
    X.SetLeft(e.MaxX + X.Height() / 2);
    X.SetTop(pic.ScaleTop() - X.Height() / 2);
    Y.SetCaption(ExtentText("Min X: ", e.MinX, "Z: ", e.ZAtMinX));
    Y.SetLeft(e.MinX - Y.Width() - Y.Height() / 2);
    Y.SetTop(X.Top());
    D.SetCaption(SpanText(e.MaxX, e.MinX));
    D.SetLeft((e.MaxX + e.MinX) / 2 - D.Width() / 2);
    D.SetTop(X.Top());

    const double y = X.Top() - X.Height() / 2;
    const double a = X.Height() / 2;
    pic.Line(e.MinX, y, e.MaxX, y);
    pic.Line(e.MinX, y, e.MinX + a, y - a);
    pic.Line(e.MinX, y, e.MinX + a, y + a);
    pic.Line(e.MaxX, y, e.MaxX - a, y - a);
    pic.Line(e.MaxX, y, e.MaxX - a, y + a);
    f.LineMaxX.SetEnds(e.MaxX, y, e.MaxX, e.ZAtMaxX);
    f.LineMinX.SetEnds(e.MinX, y, e.MinX, e.ZAtMinX);

    // Labels that would leave the picture come back inside, one line lower.
    const double right = pic.ScaleLeft() + pic.ScaleWidth();
    if (X.Left() + X.Width() > right) {
        X.SetLeft(right - X.Width());
        X.SetTop(X.Top() - X.Height());
    }
    if (Y.Left() < pic.ScaleLeft()) {
        Y.SetLeft(pic.ScaleLeft());
        Y.SetTop(Y.Top() - X.Height());
    }
}

void PlaceVerticalExtents(Form_MecView& f)
{
    Picture& pic = f.Anteprima_Cluster;
    const ArrayExtentsType& e = ArrayExtents;
    LabelElement& U = f.Label_Cluster_yMax;
    LabelElement& V = f.Label_Cluster_yMin;
    LabelElement& E = f.Label_Cluster_DeltaY;
    LabelElement& Y = f.Label_Cluster_xMin;

    U.SetCaption(ExtentText("Max Z: ", e.MaxZ, "X: ", e.XAtMaxZ));
    U.SetLeft(pic.ScaleLeft() + U.Height() / 2);
    U.SetTop(e.MaxZ + U.Height());
    V.SetCaption(ExtentText("Min Z: ", e.MinZ, "X: ", e.XAtMinZ));
    V.SetLeft(U.Left());
    V.SetTop(e.MinZ);
    E.SetCaption(SpanText(e.MaxZ, e.MinZ));
    E.SetLeft(U.Left() + U.Width() / 2 - E.Width() / 2);
    E.SetTop((e.MaxZ + e.MinZ) / 2 + E.Height() / 2);

    const double x = U.Left() + U.Width() / 2;
    const double a = f.Label_Cluster_xMax.Height() / 2;
    pic.Line(x, e.MaxZ, x, e.MinZ);
    pic.Line(x, e.MaxZ, x - a, e.MaxZ - a);
    pic.Line(x, e.MaxZ, x + a, e.MaxZ - a);
    pic.Line(x, e.MinZ, x - a, e.MinZ + a);
    pic.Line(x, e.MinZ, x + a, e.MinZ + a);
    f.LineMaxY.SetEnds(x, e.MaxZ, e.XAtMaxZ, e.MaxZ);
    f.LineMinY.SetEnds(x, e.MinZ, e.XAtMinZ, e.MinZ);

    const double right = pic.ScaleLeft() + pic.ScaleWidth();
    f.LineGroundMecView.SetEnds(pic.ScaleLeft(), 0, right, 0);
    f.LabelGroundMecView.SetTop(f.LabelGroundMecView.Height());
    f.LabelGroundMecView.SetLeft(right - f.LabelGroundMecView.Width());

    if (Overlap(Y, U))
        Y.SetTop(U.Top() - U.Height());
}

// The array angles beside the bar's front-top corner, kept clear of the extent labels.
void PlaceArrayAngleText(Form_MecView& f)
{
    const Picture& pic = f.Anteprima_Cluster;
    LabelElement& G = f.Label_Error;
    const LabelElement& X = f.Label_Cluster_xMax;
    const LabelElement& Y = f.Label_Cluster_xMin;
    const LabelElement& U = f.Label_Cluster_yMax;

    G.SetCaption(QStringLiteral("Array Angle") + CR + QStringLiteral("Selected: ") + CStr(SelectedArrayAngle) + Degree +
                 CR + QStringLiteral("Actual: ") + CStr(ActualArrayAngle) + Degree);
    G.SetLeft(FT(0).X + G.Height() / 4);
    G.SetTop(FT(0).Z + G.Height());

    if (Overlap(G, X)) {
        G.SetLeft(X.Left() + X.Width());
        G.SetTop(X.Top() - X.Height());
    }
    const double left = pic.ScaleLeft();
    const double right = left + pic.ScaleWidth();
    if (G.Left() < left) {
        G.SetLeft(left);
    } else if (right < G.Left() + G.Width()) {
        G.SetLeft(right - G.Width());
        G.SetTop(G.Top() - 2 * G.Height());
    }
    if (U.Left() + U.Width() > G.Left()) {
        if (Y.Left() + Y.Width() < U.Left() + U.Width())
            G.SetLeft(U.Left() + U.Width() + U.Height());
        else
            G.SetLeft(Y.Left() + Y.Width() + U.Height());
    }
}

} // namespace

void UpdateMecView()
{
    Form_MecView& f = MecView();
    const Form_PrincipaleControls& p = Principale();
    const ModuleRecord& bar = FlyingBarModule();
    const double w = ArrayExtents.MaxX - ArrayExtents.MinX;
    const double h = ArrayExtents.MaxZ - ArrayExtents.MinZ;
    const bool drawable = std::isfinite(w) && std::isfinite(h) && w != 0 && h != 0;

    // The preview shows the angles, so they are brought up to date first.
    if (drawable)
        StoreArrayAngles(p);
    CallIfSet(MecViewCalls().PrintClusterConfiguration);
    if (!drawable)
        return;

    const int boxes = BoxesDrawn(p);
    ScaleArrayPicture(f.Anteprima_Cluster, w, h);
    ScaleFlyingBar(f, bar);
    DrawArrayOutline(f, p, boxes);
    PlaceHorizontalExtents(f);
    PlaceVerticalExtents(f);
    PlaceArrayAngleText(f);
    DrawFlyingBar(f, bar);
}
