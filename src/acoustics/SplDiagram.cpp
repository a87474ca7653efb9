#include "acoustics/SplDiagram.h"
#include "acoustics/FastSpl.h"
#include "acoustics/Simulation.h"
#include "core/Settings.h"
#include "forms/Form_PrincipaleControls.h"
#include "library/ListLookups.h"

#include <algorithm>

std::array<SplLinePoint, MaxSplLinePoints> SplLinePoints{};

namespace {

// The table holds 151 receivers, the most any accuracy setting asks for.
int CurveSteps() { return std::min<int>(SplDiagramSteps, MaxSplLinePoints - 1); }

}

void ComputeSplCurve()
{
    Form_PrincipaleControls& form = Principale();
    const auto selected = std::size_t(SPL_SelectedAudience);
    const std::int16_t band = FindComboText(form.Frequency, form.Frequency.Text(), true).Index;
    const std::int16_t count = BuildSourcePoints(SplDiagramSourceRes, band);
    const LineElement& listeners = *form.Linea_Stand_Seats[selected];
    const double x1 = listeners.X1();
    const double y1 = listeners.Y1();
    const double x2 = listeners.X2();
    const double y2 = listeners.Y2();

    const double bandwidth =
        form.Bandwidth.ItemData(FindComboText(form.Bandwidth, form.Bandwidth.Text(), true).Index) / 24.0;
    const double centre = form.Frequency.ItemData(band) + (band == 2 ? 0.5 : 0.0);
    SetBandLines(bandwidth, FreqPerBand, centre);

    // Nothing runs between the receivers, so the temperature read once holds for all of them.
    const FastSpl fast(
        CopySplSources(count, FreqPerBand, SplDiagramSourceRes, SpeedOfSound(-form.VScroll_Temperature.Value())));

    const double slope = (y2 - y1) / (x2 - x1);
    const double dx = (x2 - x1) / SplDiagramSteps;
    for (int k = 0; k <= CurveSteps(); ++k) {
        SplLinePoint& point = SplLinePoints[std::size_t(k)];
        point.X = x1 + k * dx;
        point.Z = y1 + k * dx * slope;
        point.Level = fast.Level(point.X, point.Z);
    }
}

void CalculateSplDiagram()
{
    Form_PrincipaleControls& form = Principale();
    form.ScaleSplDiagram();
    form.Diagramma_SPL.SetBackColor(SplBackColor);
    const auto selected = std::size_t(SPL_SelectedAudience);
    if (form.Elemento_Venue_Pulsante[selected].Caption() != QStringLiteral("On"))
        return;
    ComputeSplCurve();

    SplForeColor = form.Elemento_Venue_Colore[selected].BackColor();
    const LineElement& listeners = *form.Linea_Stand_Seats[selected];
    const double dx = (listeners.X2() - listeners.X1()) / SplDiagramSteps;
    Picture& diagram = form.Diagramma_SPL;
    for (int k = 1; k <= CurveSteps(); ++k) {
        diagram.SetDrawWidth(2);
        diagram.Line(float((k - 1) * dx), float(SplLinePoints[std::size_t(k - 1)].Level / 100.0), float(k * dx),
                     float(SplLinePoints[std::size_t(k)].Level / 100.0), SplForeColor);
    }
}
