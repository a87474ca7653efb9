#include "vertical_view/Form_Principale.h"
#include "acoustics/MapRun.h"
#include "acoustics/Simulation.h"
#include "acoustics/SplDiagram.h"
#include "core/NumberRules.h"
#include "core/Settings.h"
#include "library/ListLookups.h"
#include "mechanics/Geometry.h"
#include "mechanics/Mechanics.h"
#include "platform/Services.h"
#include "vertical_view/VerticalViewHooks.h"

namespace {

// "31.5 Hz" is listed with the whole value 31.
constexpr int ThirtyOneAndAHalfHz = 2;
// An edit made by the recomputation itself (the manual tilt writes the array angle) asks for one more
// round; the angle settles after one write, so a third round is only a safeguard.
constexpr int MaxRecalcRounds = 3;

} // namespace

Form_Principale::ResolutionField Form_Principale::MapResolution() { return {MapRes, VScroll_MapRes, 0.1, 5, 10}; }

Form_Principale::ResolutionField Form_Principale::SourceResolution()
{
    return {SourceRes, VScroll_SourceRes, 0.01, 0.1, 100};
}

void Form_Principale::MarkSplParameterChanged()
{
    ConfigChanged = VbTrue;
    TempConfigChange = VbTrue;
    SplRecalcPending = VbTrue;
    Diagramma_Area.Cls();
}

void Form_Principale::SplList_Change(ComboList& list)
{
    MarkSplParameterChanged();
    // Every keystroke lands here, so a partly typed entry goes back at once to the remembered one.
    if (!IsTrue(FindComboText(list, list.Text(), true).Found))
        list.SetText(ComboEntryOrFirst(list, PreviousValue));
    PreviousValue = FindComboText(list, list.Text(), true).Index;
}

void Form_Principale::SplList_GotFocus(const ComboList& list)
{
    PreviousValue = FindComboText(list, list.Text(), true).Index;
}

void Form_Principale::SplList_Click(ComboList& list)
{
    MarkSplParameterChanged();
    PreviousValue = FindComboText(list, list.Text(), true).Index;
}

void Form_Principale::Frequency_Num_Click()
{
    ConfigChanged = VbTrue;
    TempConfigChange = VbTrue;
    SplRecalcPending = VbTrue;
    PreviousValue = FindComboText(Frequency_Num, Frequency_Num.Text(), true).Index;
    if (Frequency_Num.ListCount() > 0)
        FreqPerBand = std::int16_t(Frequency_Num.ItemData(PreviousValue));
}

void Form_Principale::Resolution_GotFocus(const ResolutionField& r)
{
    r.field.SelectAll();
    PreviousValue = std::int16_t(r.spinner.Value());
}

void Form_Principale::Resolution_LostFocus(const ResolutionField& r)
{
    double v = 0;
    if (!TryParseNumber(r.field.Text(), v) || v < r.low || v > r.high) {
        MsgBox(QStringLiteral("Please insert a value from ") + CStr(r.low) + QStringLiteral(" to ") + CStr(r.high),
               vbOKOnly | vbExclamation, QStringLiteral("Invalid data insert"));
        // PreviousValue is shared by the window's fields: when another field set it last it need not
        // be a position of this spinner, and the spinner's own value stands in.
        const int restored = r.spinner.InRange(PreviousValue) ? PreviousValue : r.spinner.Value();
        r.field.SetText(CStr(-restored / r.scale));
    }
    const double number = ResolutionValue(r);
    if (number * r.scale != -r.spinner.Value()) {
        r.spinner.SetValue(CInt(-number * r.scale));
        // A spinner already on the nearest step does not move, and so does not rewrite the field:
        // the value is put on the grid here all the same.
        VScroll_Resolution_Change(r);
    }
}

void Form_Principale::VScroll_Resolution_Change(const ResolutionField& r)
{
    // Only a text off the spinner's value is rewritten, so that field and spinner do not chase each other.
    double v = 0;
    if (!TryParseNumber(r.field.Text(), v) || v * r.scale != -r.spinner.Value())
        r.field.SetText(CStr(-r.spinner.Value() / r.scale));
}

void Form_Principale::VScroll_Temperature_Change()
{
    Temperature.SetText(CStr(-VScroll_Temperature.Value()) + QStringLiteral(" °C"));
}

double Form_Principale::ResolutionValue(const ResolutionField& r)
{
    double v = 0;
    return TryParseNumber(r.field.Text(), v) ? v : -r.spinner.Value() / r.scale;
}

void Form_Principale::SettlePendingRecalc()
{
    // The flag is cleared before the round, so that a request made during it is seen.
    for (int round = 0; round < MaxRecalcRounds && IsTrue(SplRecalcPending); ++round) {
        SplRecalcPending = VbFalse;
        Diagramma_SPL.Cls();
        CalculateSplDiagram();
        CalculateArrayGeometry();
        UpdateMechanics();
    }
}

void Form_Principale::StartSimulate_Click()
{
    // Start stays off from here: what runs before the map may let events through. Recomputations
    // the timer still owes run now, since the timer's would wipe the fresh map.
    StartSimulate.SetEnabled(false);
    try {
        ApplyOpenWindows();
        SettlePendingRecalc();

        const int bandwidthIndex = FindComboText(Bandwidth, Bandwidth.Text(), true).Index;
        const int frequencyIndex = FindComboText(Frequency, Frequency.Text(), true).Index;
        const int linesIndex = FindComboText(Frequency_Num, Frequency_Num.Text(), true).Index;
        const double bandwidth = Bandwidth.ItemData(bandwidthIndex) / 24.0;
        const auto lines = std::int16_t(Frequency_Num.ItemData(linesIndex));
        const double centre = Frequency.ItemData(frequencyIndex) + (frequencyIndex == ThirtyOneAndAHalfHz ? 0.5 : 0.0);
        SetBandLines(bandwidth, lines, centre);
        const double c = SpeedOfSound(-VScroll_Temperature.Value());
        ViewHooks().RunSPLMapSimulation(lines, c, ResolutionValue(MapResolution()), ResolutionValue(SourceResolution()));
    } catch (...) {
        StartSimulate.SetEnabled(true);
        throw;
    }
}
