#include "vertical_view/VenueDrawing.h"
#include "core/ArrayState.h"
#include "core/NumberRules.h"
#include "core/Settings.h"
#include "core/SplState.h"
#include "forms/Form_PrincipaleControls.h"
#include "mechanics/Geometry.h"
#include "mechanics/Round16.h"
#include "vertical_view/BoxRays.h"
#include "vertical_view/DiagramAxes.h"

#include <cmath>
#include <limits>

namespace {

constexpr int AreaCount = 4;
constexpr double MarkerRadius = 0.07;  // m
// The preview's width and height (twips), whose ratio its scale keeps.
constexpr double PreviewWidth = 1815;
constexpr double PreviewHeight = 4815;

enum Corner { FrontTop = 0, FrontBottom = 1, BackBottom = 2, BackTop = 3 };

struct Point {
    double x = 0;
    double z = 0;
};

Point CornerOf(int row, Corner c) { return {ClusterCorners[row][c], ClusterCorners[row][c + 4]}; }

void PlaceLine(LineElement& line, Point a, Point b) { line.SetEnds(a.x, a.z, b.x, b.z); }

// The whole metres the extents keep. A venue read from a damaged file may reach beyond 16 bits; the
// extents then stop at the largest height the view can be asked for.
std::int16_t NextHeight(std::int16_t z)
{
    return z < std::numeric_limits<std::int16_t>::max() ? std::int16_t(z + 1) : z;
}

void SetVenueScale(double width, double height)
{
    Picture& venue = Principale().Diagramma_Area;
    venue.SetScaleWidth(width);
    venue.SetScaleHeight(height);
    venue.SetScaleTop(std::abs(height) - 1);
    venue.SetScaleLeft(-10);
}

// The fits hand over to each other at most once; `handOver` is false for the fit handed to, so
// that rounding at the edge of a test can never make them call each other for ever.
void FitToWidth(bool handOver);
void FitToHeight(bool handOver);

void FitToWidth(bool handOver)
{
    const double width = RoundHalfEven(VenueMaxX) + 10;
    SetVenueScale(width, -(width * VenueViewRatio));
    if (handOver && Principale().Diagramma_Area.ScaleTop() + 1 < VenueMaxZ)
        FitToHeight(false);
    DrawAudienceAreas();
    DrawStageLines();
}

void FitToHeight(bool handOver)
{
    const double height = -(1.0 + VenueMaxZ);
    SetVenueScale(std::abs(height) / VenueViewRatio, height);
    if (handOver && VenueMaxX > Principale().Diagramma_Area.ScaleWidth() - 10)
        FitToWidth(false);
    DrawAudienceAreas();
    DrawStageLines();
}

// The SPL diagram spans the selected area in whole metres; an area shorter than half a metre
// still gets a width of 1.
void SetSplDiagramWidth()
{
    auto& form = Principale();
    const LineElement& selected = *form.Linea[Form_PrincipaleControls::SelectedAudience()];
    const std::int16_t d = Round16(selected.X2() - selected.X1());
    form.Diagramma_SPL.SetScaleWidth(d > 0 ? d : 1);
}

void SetEdge(LineElement& edge, Point a, Point b)
{
    PlaceLine(edge, a, b);
    edge.SetVisible(true);
    edge.SetBorderColor(ArrayColor);
}

void DrawMarker(Picture& picture, Point centre, std::int32_t colour)
{
    picture.SetFillColor(colour);
    picture.SetForeColor(colour);
    picture.SetFillStyle(0);
    picture.Circle(centre.x, centre.z, MarkerRadius);
}

} // namespace

VenueLimits VenueViewLimits()
{
    VenueLimits l;
    l.widthBound = (VenueMaxX + 10) * VenueViewRatio > VenueMaxZ + 1;
    if (l.widthBound) {
        l.Xlim = VenueMaxX;
        l.Zlim = (VenueMaxX + 10) * VenueViewRatio - 1;
    } else {
        l.Zlim = VenueMaxZ;
        l.Xlim = (VenueMaxZ + 1) / VenueViewRatio - 10;
    }
    return l;
}

void UpdateVenueExtents()
{
    auto& form = Principale();
    // Only the bar counts for the height; the boxes hang below it.
    VenueMaxX = 0;
    VenueMaxZ = Round16(std::max(ClusterCorners[0][FrontTop + 4], ClusterCorners[0][BackTop + 4]));

    const int n = ArrayBoxCount();
    for (int r = 0; r <= n; ++r) {
        const double frontTop = ClusterCorners[r][FrontTop];
        const double frontBottom = ClusterCorners[r][FrontBottom];
        if (frontTop > frontBottom && frontTop > VenueMaxX)
            VenueMaxX = frontTop;
        else if (frontBottom > VenueMaxX)
            VenueMaxX = frontBottom;
    }

    for (int k = 0; k < AreaCount; ++k) {
        const LineElement& l = *form.Linea[std::size_t(k)];
        if (!l.Visible())
            continue;
        if (Int(l.X2()) > VenueMaxX)
            VenueMaxX = l.X2();
        if (Int(l.Y2()) > VenueMaxZ || Int(l.Y1()) > VenueMaxZ)
            VenueMaxZ = Round16(Int(l.Y2()) > Int(l.Y1()) ? l.Y2() : l.Y1());
    }

    VenueMaxX = RoundHalfEven(VenueMaxX + 1);
    VenueMaxZ = NextHeight(VenueMaxZ);

    if (VenueMaxX > form.Diagramma_Area.ScaleWidth() - 10)
        FitVenueScaleToWidth();
    else
        FitVenueScaleToHeight();
    SetSplDiagramWidth();
    CalculateArrayGeometry();
}

void FitVenueScaleToWidth() { FitToWidth(true); }

void FitVenueScaleToHeight() { FitToHeight(true); }

void DrawAudienceAreas()
{
    auto& form = Principale();
    for (int k = 0; k < AreaCount; ++k) {
        const auto i = std::size_t(k);
        LineElement& outline = *form.Linea[i];
        outline.SetEnds(form.AudienceValue(k, 0), form.AudienceValue(k, 1), form.AudienceValue(k, 2),
                        form.AudienceValue(k, 3));
        const double h = form.Stand_Seats[i].Caption() == QStringLiteral("Stand") ? 1.75 : 1.2;
        form.Linea_Stand_Seats[i]->SetEnds(outline.X1(), outline.Y1() + h, outline.X2(), outline.Y2() + h);
    }
}

void DrawStageLines()
{
    auto& form = Principale();
    // A stage height being typed may be no number yet; the spinner holds the last accepted one.
    double h = 0;
    if (!TryParseNumber(form.Area[2].Text(), h))
        h = -form.VScroll_Area[2].Value();
    PlaceLine(*form.Linea_stage[0], {-10, h}, {0, h});
    PlaceLine(*form.Linea_stage[1], {0, h}, {0, -1});
    ShowLastModuleHeight();
}

void DrawArrayInVenue()
{
    auto& form = Principale();
    Picture& venue = form.Diagramma_Area;
    venue.Cls();
    venue.SetBackColor(VenueBackColor);

    const int n = ArrayBoxCount();
    for (int r = 0; r <= n; ++r) {
        const auto i = std::size_t(r);
        SetEdge(*form.Linea_destra[i], CornerOf(r, FrontTop), CornerOf(r, FrontBottom));
        SetEdge(*form.Linea_sinistra[i], CornerOf(r, BackBottom), CornerOf(r, BackTop));
        SetEdge(*form.Linea_inferiore[i], CornerOf(r, FrontBottom), CornerOf(r, BackBottom));
        SetEdge(*form.Linea_superiore[i], CornerOf(r, FrontTop), CornerOf(r, BackTop));
        if (r < n)
            DrawBoxRay(std::int16_t(r + 1));
    }
    for (int r = n + 1; r <= MaxBoxes; ++r) {
        const auto i = std::size_t(r);
        form.Linea_destra[i]->SetVisible(false);
        form.Linea_sinistra[i]->SetVisible(false);
        form.Linea_inferiore[i]->SetVisible(false);
        form.Linea_superiore[i]->SetVisible(false);
        form.Raggio[i - 1]->SetVisible(false);
    }

    // The axis point is always marked; the centre of gravity only when asked for.
    DrawMarker(venue, {CoGAxisPoint.X, CoGAxisPoint.Z}, CoGColor);
    if (IsTrue(CoGOn)) {
        const PointXZ cog = CalculateCoG();
        DrawMarker(venue, {cog.X, cog.Z}, CoGColor);
    }

    form.TimeToComplete.SetCaption(QString());
    SplMapValid = VbFalse;

    DrawArrayPreview();
    ShowLastModuleHeight();
    UpdateDiagramAxes();
}

void DrawArrayPreview()
{
    auto& form = Principale();
    Picture& preview = form.Anteprima_Cluster;
    const ArrayExtentsType& e = ArrayExtents;
    const double w = e.MaxX - e.MinX;
    const double h = e.MaxZ - e.MinZ;
    // Compared cross-multiplied: an array without width or height (nothing loaded) still draws.
    if (PreviewHeight * w <= PreviewWidth * h) {
        const double scaleHeight = -(h + 1);
        const double scaleWidth = std::abs(scaleHeight) * PreviewWidth / PreviewHeight;
        preview.SetScaleHeight(scaleHeight);
        preview.SetScaleWidth(scaleWidth);
        preview.SetScaleTop(e.MaxZ + 0.5);
        preview.SetScaleLeft(e.MinX - (scaleWidth - w) / 2);
    } else {
        const double scaleWidth = w + 1;
        const double scaleHeight = -(scaleWidth * PreviewHeight / PreviewWidth);
        preview.SetScaleWidth(scaleWidth);
        preview.SetScaleHeight(scaleHeight);
        preview.SetScaleTop(e.MaxZ + (std::abs(scaleHeight) - h) / 2);
        preview.SetScaleLeft(e.MinX - 0.5);
    }

    preview.Cls();
    preview.SetBackColor(VenueBackColor);
    const int n = ArrayBoxCount();
    for (int r = 0; r <= n; ++r) {
        const Point ft = CornerOf(r, FrontTop), fb = CornerOf(r, FrontBottom);
        const Point bb = CornerOf(r, BackBottom), bt = CornerOf(r, BackTop);
        preview.Line(ft.x, ft.z, fb.x, fb.z, ArrayColor);
        preview.Line(fb.x, fb.z, bb.x, bb.z, ArrayColor);
        preview.Line(bb.x, bb.z, bt.x, bt.z, ArrayColor);
        preview.Line(bt.x, bt.z, ft.x, ft.z, ArrayColor);
    }

    DrawMarker(preview, {CoGAxisPoint.X, CoGAxisPoint.Z}, CoGColor);
    if (IsTrue(CoGOn)) {
        const PointXZ cog = CalculateCoG();
        DrawMarker(preview, {cog.X, cog.Z}, CoGColor);
    }
    DrawMarker(preview, CornerOf(0, FrontTop), ZeroColor);
}

void ShowLastModuleHeight()
{
    Principale().Last_module_height.SetCaption(Format(ArrayExtents.MinZ, QStringLiteral("##0.##")) + QStringLiteral(" m"));
}

void ScaleSplDiagram()
{
    UpdateSplZAxis();
    UpdateDiagramAxes();
    SetSplDiagramWidth();
}
