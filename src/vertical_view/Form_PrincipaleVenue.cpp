#include "vertical_view/Form_Principale.h"
#include "acoustics/SplDiagram.h"
#include "core/NumberRules.h"
#include "core/Settings.h"
#include "core/SplState.h"
#include "library/ListLookups.h"
#include "mechanics/Geometry.h"
#include "mechanics/Round16.h"
#include "platform/Services.h"
#include "vertical_view/BoxRays.h"
#include "vertical_view/DiagramAxes.h"
#include "vertical_view/VenueDrawing.h"

namespace {

constexpr int AreaCount = 4;
constexpr int EnterKey = 13;
constexpr std::int32_t White = 0xFFFFFF;
constexpr std::int32_t Red = 255;

bool IsHeight(int Index) { return Index == 1 || Index == 3; }

// All four values of the area are numbers within the venue.
bool AreaInRange(const std::array<TextField, 4>& fields)
{
    for (int j = 0; j < 4; ++j) {
        double v = 0;
        if (!TryParseNumber(fields[std::size_t(j)].Text(), v) || !Form_PrincipaleControls::AudienceInRange(j, v))
            return false;
    }
    return true;
}

// Cancel ends the pick quietly, as the dialog reports it as an error.
bool PickColour(CommonDialog& dialog)
{
    dialog.CancelError = true;
    dialog.Flags = 1;
    try {
        dialog.ShowColor();
    } catch (const VbError& e) {
        if (e.code() == VbError::CancelError)
            return false;
        throw;
    }
    return true;
}

} // namespace

void Form_Principale::WireVenueAndSplHandlers()
{
    for (int k = 0; k < AreaCount; ++k) {
        auto& fields = AudienceFields(k);
        AdoptAll(fields);
        for (int j = 0; j < 4; ++j) {
            TextField& f = fields[std::size_t(j)];
            f.GotFocus = [this, k, j] { Audience_GotFocus(k, j); };
            f.KeyDown = [this, k, j](int keyCode, int shift) { Audience_KeyDown(k, j, keyCode, shift); };
            f.Change = [this, k, j] { Audience_Change(k, j); };
            f.LostFocus = [this, k, j] { Audience_LostFocus(k, j); };
        }
        const auto i = std::size_t(k);
        Elemento_Venue_Pulsante[i].Click = [this, k] { Elemento_Venue_Pulsante_Click(k); };
        Stand_Seats[i].Click = [this, k] { Stand_Seats_Click(k); };
        Elemento_Venue_Colore[i].Click = [this, k] { Elemento_Venue_Colore_Click(k); };
        Label_spalto[i].Click = [this, k] { Label_spalto_Click(k); };
    }
    Stage_color.Click = [this] { Stage_color_Click(); };
    Diagramma_Area.Click = [this] { Diagramma_Area_Click(); };

    Adopt(Bandwidth, Frequency, Frequency_Num, MapRes, SourceRes, StartSimulate);
    Bandwidth.Change = [this] { Bandwidth_Change(); };
    Bandwidth.Click = [this] { Bandwidth_Click(); };
    Bandwidth.GotFocus = [this] { Bandwidth_GotFocus(); };
    Frequency.Change = [this] { Frequency_Change(); };
    Frequency.Click = [this] { Frequency_Click(); };
    Frequency.GotFocus = [this] { Frequency_GotFocus(); };
    Frequency_Num.Change = [this] { Frequency_Num_Change(); };
    Frequency_Num.Click = [this] { Frequency_Num_Click(); };
    Frequency_Num.GotFocus = [this] { Frequency_Num_GotFocus(); };
    MapRes.Change = [this] { MapRes_Change(); };
    MapRes.GotFocus = [this] { MapRes_GotFocus(); };
    MapRes.LostFocus = [this] { MapRes_LostFocus(); };
    VScroll_MapRes.Change = [this] { VScroll_MapRes_Change(); };
    SourceRes.Change = [this] { SourceRes_Change(); };
    SourceRes.GotFocus = [this] { SourceRes_GotFocus(); };
    SourceRes.LostFocus = [this] { SourceRes_LostFocus(); };
    VScroll_SourceRes.Change = [this] { VScroll_SourceRes_Change(); };
    Temperature.Change = [this] { Temperature_Change(); };
    VScroll_Temperature.Change = [this] { VScroll_Temperature_Change(); };
    StartSimulate.Click = [this] { StartSimulate_Click(); };
}

void Form_Principale::Audience_GotFocus(int area, int Index)
{
    AudienceFields(area)[std::size_t(Index)].SelectAll();
    // From the outline, not the text: a refused value comes back as the area last accepted it.
    PreviousValue = Round16(OutlineCoordinate(area, Index));
}

void Form_Principale::Audience_KeyDown(int area, int Index, int KeyCode, int)
{
    if (KeyCode != EnterKey)
        return;
    if (Index < 3)
        AudienceFields(area)[std::size_t(Index + 1)].SetFocus();
    else
        AudienceFields((area + 1) % AreaCount)[0].SetFocus();
}

void Form_Principale::Audience_Change(int, int)
{
    ConfigChanged = VbTrue;
    TempConfigChange = VbTrue;
}

void Form_Principale::Audience_LostFocus(int area, int Index)
{
    if (area < 0 || area >= AreaCount || Index < 0 || Index > 3)
        return;
    auto& fields = AudienceFields(area);
    LineElement& outline = *Linea[std::size_t(area)];
    TextField& left = fields[std::size_t(Index)];

    // A text that is no number counts as out of range, like a value outside the venue.
    if (!AreaInRange(fields)) {
        left.SetText(CStr(PreviousValue));
        ReportAudienceOutOfRange(Index);
        Audience_GotFocus(area, Index);
    }
    if (RoundHalfEven(AudienceValue(area, 2)) <= RoundHalfEven(AudienceValue(area, 0))) {
        left.SetText(CStr(PreviousValue));
        MsgBox(QStringLiteral("The final X cannot be smaller or equal than the initial one!"), vbOKOnly | vbExclamation,
               InvalidAudienceTitle);
    }

    std::array<double, 4> v{};
    for (int j = 0; j < 4; ++j) {
        v[std::size_t(j)] = RoundHalfEven(AudienceValue(area, j));
        fields[std::size_t(j)].SetText(CStr(v[std::size_t(j)]));
    }
    outline.SetEnds(v[0], v[1], v[2], v[3]);

    if (outline.Visible()) {
        const VenueLimits limits = VenueViewLimits();
        const double value = v[std::size_t(Index)];
        const bool changed = value != PreviousValue;
        // Moving the start of an area never widens the view.
        const bool grew = changed
                          && ((IsHeight(Index) && value > limits.Zlim - 1) || (Index == 2 && value > limits.Xlim - 1));
        if (grew) {
            UpdateVenueExtents();
        } else if (changed) {
            int nZ = 0, nX = 0;
            for (const LineElement* l : Linea) {
                if (!l->Visible())
                    continue;
                if (RoundHalfEven(l->Y1()) >= PreviousValue || RoundHalfEven(l->Y2()) >= PreviousValue)
                    ++nZ;
                if (RoundHalfEven(l->X2()) >= PreviousValue)
                    ++nX;
            }
            if ((limits.widthBound && nX == 0) || (!limits.widthBound && nZ == 0))
                UpdateVenueExtents();
        }
    }

    DrawAudienceAreas();
    CalculateSplDiagram();
    if (!IsTrue(SplMapValid))
        RedrawRays();
}

void Form_Principale::RedrawRays()
{
    const int n = ArrayBoxCount();
    for (int row = 1; row <= n; ++row)
        DrawBoxRay(std::int16_t(row));
}

void Form_Principale::Elemento_Venue_Pulsante_Click(int Index)
{
    ConfigChanged = VbTrue;
    TempConfigChange = VbTrue;

    const VenueLimits limits = VenueViewLimits();
    const double topZ = VenueMaxZ - 1;
    const double rightX = VenueMaxX - 1;
    const auto reachesTop = [topZ](const LineElement& l) {
        return RoundHalfEven(l.Y1()) == topZ || RoundHalfEven(l.Y2()) == topZ;
    };
    const auto reachesRight = [rightX](const LineElement& l) { return RoundHalfEven(l.X2()) == rightX; };
    int nZ = 0, nX = 0;
    for (const LineElement* l : Linea) {
        if (!l->Visible())
            continue;
        nZ += reachesTop(*l) ? 1 : 0;
        nX += reachesRight(*l) ? 1 : 0;
    }

    const auto i = std::size_t(Index);
    LineElement& outline = *Linea[i];
    if (outline.Visible()) {
        outline.SetVisible(false);
        Linea_Stand_Seats[i]->SetVisible(false);
        Elemento_Venue_Pulsante[i].SetCaption(QStringLiteral("Off"));
        // Refit only when this area alone set the extent that bounds the view.
        const bool aloneAtTop = !limits.widthBound && nZ == 1 && reachesTop(outline);
        const bool aloneAtRight = limits.widthBound && nX == 1 && reachesRight(outline);
        if (aloneAtTop || aloneAtRight) {
            Diagramma_Area.Cls();
            UpdateVenueExtents();
        }
    } else {
        outline.SetVisible(true);
        Linea_Stand_Seats[i]->SetVisible(true);
        Elemento_Venue_Pulsante[i].SetCaption(QStringLiteral("On"));
        if (RoundHalfEven(outline.X2()) >= limits.Xlim || RoundHalfEven(outline.Y1()) >= limits.Zlim
            || RoundHalfEven(outline.Y2()) >= limits.Zlim) {
            Diagramma_Area.Cls();
            UpdateVenueExtents();
        }
    }

    if (!IsTrue(SplMapValid))
        RedrawRays();
    for (int k = 0; k < AreaCount; ++k)
        Audience_LostFocus(k, 0);
}

void Form_Principale::Stand_Seats_Click(int Index)
{
    ConfigChanged = VbTrue;
    TempConfigChange = VbTrue;
    CommandButton& button = Stand_Seats[std::size_t(Index)];
    button.SetCaption(button.Caption() == QStringLiteral("Stand") ? QStringLiteral("Seats") : QStringLiteral("Stand"));
    DrawAudienceAreas();
}

void Form_Principale::Elemento_Venue_Colore_Click(int Index)
{
    if (!PickColour(Colori))
        return;
    Elemento_Venue_Colore[std::size_t(Index)].SetBackColor(Colori.Color);
    // Colours are saved with the project, so a new one must not be lost without the prompt at exit.
    ConfigChanged = VbTrue;
    Elemento_Venue_Colore_Change(Index);
}

void Form_Principale::Elemento_Venue_Colore_Change(int Index)
{
    const auto i = std::size_t(Index);
    const std::int32_t colour = Elemento_Venue_Colore[i].BackColor();
    Linea[i]->SetBorderColor(colour);
    Linea_Stand_Seats[i]->SetBorderColor(colour);
}

void Form_Principale::Stage_color_Click()
{
    if (!PickColour(Colori))
        return;
    Stage_color.SetBackColor(Colori.Color);
    ConfigChanged = VbTrue;
    Stage_color_Change();
}

void Form_Principale::Stage_color_Change()
{
    for (LineElement* l : Linea_stage)
        l->SetBorderColor(Stage_color.BackColor());
}

void Form_Principale::Label_spalto_Click(int Index)
{
    if (!Linea[std::size_t(Index)]->Visible())
        return;
    PointedStand = std::int16_t(Index);
    Diagramma_Area_Click();
}

void Form_Principale::Diagramma_Area_Click()
{
    if (PointedStand < 0 || PointedStand >= AreaCount || PointedStand == SPL_SelectedAudience)
        return;
    SPL_SelectedAudience = PointedStand;
    VenueSplRecalcPending = VbTrue;
    for (Label& l : Label_spalto)
        l.SetForeColor(White);
    Label_spalto[std::size_t(SPL_SelectedAudience)].SetForeColor(Red);
    UpdateDiagramAxes();
}

void Form_Principale::DrawArrayInVenue() { ::DrawArrayInVenue(); }

void Form_Principale::ScaleSplDiagram() { ::ScaleSplDiagram(); }
