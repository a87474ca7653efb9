#include "vertical_view/VenuePointing.h"
#include "core/Settings.h"
#include "forms/Form_PrincipaleControls.h"
#include "vertical_view/DistancePointToLine.h"

namespace {
constexpr std::int32_t Yellow = 0xFFFF;
constexpr int AreaCount = 4;
}

void ApplyVenueElementVisibility(std::int16_t i)
{
    if (i < 0 || i >= AreaCount)
        return;
    auto& form = Principale();
    const bool on = form.Elemento_Venue_Pulsante[i].Caption() != QStringLiteral("Off");
    form.Linea[i]->SetVisible(on);
    form.Linea_Stand_Seats[i]->SetVisible(on);
}

void FindVenueElementAt(double X, double Y)
{
    auto& form = Principale();
    const double threshold = 0.01 * VenueMaxX;
    for (std::int16_t k = 0; k < AreaCount; ++k) {
        const LineElement& outline = *form.Linea[k];
        if (outline.Visible() && DistancePointToLine(X, Y, outline) < threshold) {
            PointedStand = k;
            RestoreVenueElementColors();
            HighlightPointedVenueElement();
            return;
        }
        if (PointedStand != -1) {
            PointedStand = -1;
            RestoreVenueElementColors();
        }
    }
}

void HighlightPointedVenueElement()
{
    if (PointedStand < 0 || PointedStand >= AreaCount)
        return;
    Principale().Linea[PointedStand]->SetBorderColor(Yellow);
}

void RestoreVenueElementColors()
{
    auto& form = Principale();
    for (int i = 0; i < AreaCount; ++i)
        form.Linea[i]->SetBorderColor(form.Elemento_Venue_Colore[i].BackColor());
}
