#include "acoustics/SplDiagram.h"
#include "acoustics/Simulation.h"
#include "core/Settings.h"
#include "forms/Form_PrincipaleControls.h"
#include "library/ListLookups.h"

#include <algorithm>

std::array<SplLinePoint, MaxSplLinePoints> SplLinePoints{};

void CalculateSplDiagram()
{
    Form_PrincipaleControls& form = Principale();
    form.ScaleSplDiagram();
    form.Diagramma_SPL.SetBackColor(SplBackColor);
    const auto selected = std::size_t(SPL_SelectedAudience);
    if (form.Elemento_Venue_Pulsante[selected].Caption() != QStringLiteral("On"))
        return;

    const std::int16_t band = FindComboText(form.Frequency, form.Frequency.Text(), true).Index;
    const std::int16_t sources = BuildSourcePoints(SplDiagramSourceRes, band);
    const LineElement& listeners = *form.Linea_Stand_Seats[selected];
    const double x1 = listeners.X1();
    const double y1 = listeners.Y1();
    const double x2 = listeners.X2();
    const double y2 = listeners.Y2();

    const double bandwidth =
        form.Bandwidth.ItemData(FindComboText(form.Bandwidth, form.Bandwidth.Text(), true).Index) / 24.0;
    const std::int16_t lines = FreqPerBand;
    const double centre = form.Frequency.ItemData(band) + (band == 2 ? 0.5 : 0.0);
    SetBandLines(bandwidth, lines, centre);

    const double slope = (y2 - y1) / (x2 - x1);
    const double dx = (x2 - x1) / SplDiagramSteps;
    // The table holds 151 receivers, the most any accuracy setting asks for.
    const int steps = std::min<int>(SplDiagramSteps, MaxSplLinePoints - 1);
    for (int k = 0; k <= steps; ++k) {
        SplLinePoint& point = SplLinePoints[std::size_t(k)];
        point.X = x1 + k * dx;
        point.Z = y1 + k * dx * slope;
        const double c = SpeedOfSound(-form.VScroll_Temperature.Value());
        point.Level = CalcPointSPL(sources, SplDiagramSourceRes, lines, c, point.X, point.Z);
    }

    SplForeColor = form.Elemento_Venue_Colore[selected].BackColor();
    Picture& diagram = form.Diagramma_SPL;
    for (int k = 1; k <= steps; ++k) {
        diagram.SetDrawWidth(2);
        diagram.Line(float((k - 1) * dx), float(SplLinePoints[std::size_t(k - 1)].Level / 100.0), float(k * dx),
                     float(SplLinePoints[std::size_t(k)].Level / 100.0), SplForeColor);
    }
}
