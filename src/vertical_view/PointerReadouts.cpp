#include "vertical_view/PointerReadouts.h"
#include "core/NumberRules.h"
#include "forms/Form_PrincipaleControls.h"
#include "vertical_view/VenuePointing.h"
#include "vertical_view/VerticalViewHooks.h"

#include <cmath>

namespace {

void ShowPosition(double x, double z, const QString& pattern)
{
    Principale().Posizione_Mouse_Valore.SetCaption(Format(x, pattern) + QStringLiteral("m ;") + Format(z, pattern)
                                                   + QStringLiteral("m"));
}

} // namespace

void AnteprimaClusterMouseMove(int, int, double X, double Y)
{
    ShowPosition(X, Y, QStringLiteral("##0.00"));
}

void DiagrammaAreaMouseMove(int, int, double X, double Y)
{
    auto& form = Principale();
    form.V_Pointer->SetVisible(false);
    form.H_Pointer->SetVisible(false);
    FindVenueElementAt(X, Y);
    // The swatch shows the colour of the whole-metre square under the pointer.
    form.PointedColor = form.Diagramma_Area.Point(Int(X), Int(Y));
    if (form.PointedColor != -1)
        form.Colore_Corrente.SetBackColor(form.PointedColor);
    if (ViewHooks().ShowSPLAtCursor)
        ViewHooks().ShowSPLAtCursor(X, Y);
    ShowPosition(X, Y, QStringLiteral("##0.0"));
}

void DiagrammaSplMouseMove(int, int, double X, double)
{
    auto& form = Principale();
    form.V_Pointer->SetVisible(true);
    form.H_Pointer->SetVisible(true);

    const Picture& spl = form.Diagramma_SPL;
    const double f = (X - spl.ScaleLeft()) / spl.ScaleWidth();
    double px = 0, pz = 0;
    const int area = Form_PrincipaleControls::SelectedAudience();
    if (form.Linea[area]->Visible()) {
        const LineElement& listeners = *form.Linea_Stand_Seats[area];
        px = listeners.X1() + f * std::abs(listeners.X2() - listeners.X1());
        pz = listeners.Y1() + f * (listeners.Y2() - listeners.Y1());
    }

    // Both strokes reach 2 % of the venue view either side of the point.
    const Picture& venue = form.Diagramma_Area;
    const double dz = 0.02 * venue.ScaleHeight();
    const double dx = 0.02 * venue.ScaleWidth();
    form.V_Pointer->SetX1(px);
    form.V_Pointer->SetY1(pz - dz);
    form.V_Pointer->SetX2(px);
    form.V_Pointer->SetY2(pz + dz);
    form.H_Pointer->SetX1(px - dx);
    form.H_Pointer->SetY1(pz);
    form.H_Pointer->SetX2(px + dx);
    form.H_Pointer->SetY2(pz);

    // The diagram's height in twips lies far above any level scale, so the line crosses the diagram.
    form.SPL_Pointer->SetX1(X);
    form.SPL_Pointer->SetY1(0);
    form.SPL_Pointer->SetX2(X);
    form.SPL_Pointer->SetY2(spl.Height());

    ShowPosition(px, pz, QStringLiteral("##0.0"));
}
