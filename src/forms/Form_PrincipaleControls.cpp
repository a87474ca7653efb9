#include "forms/Form_PrincipaleControls.h"
#include "forms/FrameHooks.h"

#include "core/NumberRules.h"
#include "core/Settings.h"

#include <algorithm>
#include <utility>

namespace {
std::unique_ptr<Form_PrincipaleControls>& instance()
{
    static std::unique_ptr<Form_PrincipaleControls> form;
    return form;
}
std::function<std::unique_ptr<Form_PrincipaleControls>()>& factory()
{
    static std::function<std::unique_ptr<Form_PrincipaleControls>()> f;
    return f;
}
}

Form_PrincipaleControls::Form_PrincipaleControls()
{
    SetCaption(QStringLiteral("Vertical View"));
    // Grid lines come first so that the venue, the array and the rays are painted over them.
    const auto addLines = [](auto& pool, Picture& picture) {
        for (auto& l : pool)
            l = &picture.AddLine();
    };
    addLines(XLine, Diagramma_Area);
    addLines(YLine, Diagramma_Area);
    addLines(SplXLine, Diagramma_SPL);
    addLines(SplYLine, Diagramma_SPL);
    for (auto& l : Linea)
        l = &Diagramma_Area.AddLine();
    for (auto& l : Linea_Stand_Seats)
        l = &Diagramma_Area.AddLine();
    for (auto& r : Raggio)
        r = &Diagramma_Area.AddLine();
    // The band list names the band blocks of the module files, so it is filled by the design.
    const std::pair<const char*, int> bands[] = {
        {"20 Hz", 20}, {"25 Hz", 25}, {"31.5 Hz", 31}, {"40 Hz", 40}, {"50 Hz", 50}, {"63 Hz", 63},
        {"80 Hz", 80}, {"100 Hz", 100}, {"125 Hz", 125}, {"160 Hz", 160}, {"200 Hz", 200}, {"250 Hz", 250},
        {"315 Hz", 315}, {"400 Hz", 400}, {"500 Hz", 500}, {"630 Hz", 630}, {"800 Hz", 800}, {"1 kHz", 1000},
        {"1.25 kHz", 1250}, {"1.6 kHz", 1600}, {"2 kHz", 2000}, {"2.5 kHz", 2500}, {"3.15 kHz", 3150},
        {"4 kHz", 4000}, {"5 kHz", 5000}, {"6.3 kHz", 6300}, {"8 kHz", 8000}, {"10 kHz", 10000},
        {"12.5 kHz", 12500}, {"16 kHz", 16000}, {"20 kHz", 20000}};
    for (const auto& [name, hz] : bands)
        Frequency.AddItem(QString::fromLatin1(name), hz);
    Frequency.SetText(QStringLiteral("1 kHz"));
    Bandwidth.AddItem(QStringLiteral("1/3 Octave"), 8);
    Bandwidth.AddItem(QStringLiteral("1/6 Octave"), 4);
    Bandwidth.SetText(QStringLiteral("1/3 Octave"));
    Frequency_Num.AddItem(QStringLiteral("Low"), 1);
    Frequency_Num.AddItem(QStringLiteral("Medium"), 5);
    Frequency_Num.AddItem(QStringLiteral("High"), 9);
    Frequency_Num.SetText(QStringLiteral("Medium"));

    // Mounting fields as designed. Each spinner holds its field's value negated (by tenths for the
    // fields with a 0.1 step) and starts in step with its field, since the handlers restore from it.
    const struct {
        const char* text;
        int min, max, value;
    } mounting[] = {{"0", -1000, 50, 0}, {"8", -1000, 0, -80}, {"1", -20, 0, -1}, {"0", -600, 600, 0}, {"1", -26, -1, -1}};
    for (std::size_t i = 0; i < Area.size(); ++i) {
        Area[i].SetText(QString::fromLatin1(mounting[i].text));
        VScroll_Area[i].SetMin(mounting[i].min);
        VScroll_Area[i].SetMax(mounting[i].max);
        VScroll_Area[i].SetValue(mounting[i].value);
    }
    AutoConfigure.SetCaption(QStringLiteral("Auto Splay"));
    // SPL parameter spinners as designed: the map resolution in tenths and the source resolution in
    // hundredths of a metre, the temperature in degrees, each negated. A project's values are checked
    // against these ranges before they reach the spinners.
    const struct {
        Spinner& spinner;
        int min, max, value;
    } splSpinners[] = {{VScroll_MapRes, -50, -1, -5}, {VScroll_SourceRes, -10, -1, -2}, {VScroll_Temperature, -60, 25, 10}};
    for (const auto& s : splSpinners) {
        s.spinner.SetMin(s.min);
        s.spinner.SetMax(s.max);
        s.spinner.SetValue(s.value);
    }

    // ---- Grids, axes and pointer readouts ----
    // Captions are centred on the value they mark, so every label of a pool has the same size.
    const auto sizeCaptions = [](auto& pool) {
        for (Label& l : pool) {
            l.Move(l.Left(), l.Top(), 390, 210);
            l.SetAlignment(2);
            l.SetVisible(false);
        }
    };
    sizeCaptions(Label_Area_X);
    sizeCaptions(Label_Area_Z);
    sizeCaptions(Label_SPL_X);
    sizeCaptions(Label_SPL_Z);
    sizeCaptions(Label_SPL_scale);
    H_Pointer = &Diagramma_Area.AddLine();
    V_Pointer = &Diagramma_Area.AddLine();
    H_Pointer->SetVisible(false);
    V_Pointer->SetVisible(false);
    SPL_Pointer = &Diagramma_SPL.AddLine();
    Posizione_Mouse_Valore.SetCaption(QStringLiteral("0.00m ; 0.00m"));
    // ---- end of grids, axes and pointer readouts ----

    Timer_TempConfigChange.SetInterval(500);
    TimerVenueSPL.SetInterval(300);

    // ---- Venue section and SPL parameters as designed ----
    // The edges are laid over the venue and the rays; each redraw of the array shows the rows in use.
    for (auto* edges : {&Linea_destra, &Linea_sinistra, &Linea_inferiore, &Linea_superiore}) {
        addLines(*edges, Diagramma_Area);
        for (LineElement* l : *edges)
            l->SetVisible(false);
    }
    addLines(Linea_stage, Diagramma_Area);
    Last_module_height.SetAutoSize(true);
    for (ShapeElement** marker : {&System_CoG_Circle, &System_Zero_Circle}) {
        *marker = &Anteprima_Cluster.AddShape();
        (*marker)->SetShape(ShapeElement::Circle);
        (*marker)->SetFillStyle(0);
    }

    // The starting venue; the outlines stand on it and the listeners stand 1.75 m above them.
    const int venue[4][4] = {{5, 0, 35, 0}, {35, 0, 55, 4}, {55, 10, 65, 12}, {55, 16, 75, 20}};
    const std::int32_t areaColours[4] = {0x800000, 0xC0, 0x8000, 0x4040};
    for (int k = 0; k < 4; ++k) {
        const auto i = std::size_t(k);
        const int* v = venue[k];
        for (std::size_t j = 0; j < 4; ++j)
            AudienceFields(k)[j].SetText(QString::number(v[j]));
        Linea[i]->SetEnds(v[0], v[1], v[2], v[3]);
        Linea_Stand_Seats[i]->SetEnds(v[0], v[1] + 1.75, v[2], v[3] + 1.75);
        Elemento_Venue_Pulsante[i].SetCaption(QStringLiteral("On"));
        Stand_Seats[i].SetCaption(QStringLiteral("Stand"));
        Elemento_Venue_Colore[i].SetBackColor(areaColours[k]);
        Linea[i]->SetBorderColor(areaColours[k]);
        Linea_Stand_Seats[i]->SetBorderColor(areaColours[k]);
        Label_spalto[i].SetCaption(QString::number(k + 1));
    }
    const std::int32_t stageColour = static_cast<std::int32_t>(0x80000007);  // window frame
    Stage_color.SetBackColor(stageColour);
    for (LineElement* l : Linea_stage)
        l->SetBorderColor(stageColour);

    // The SPL fields start in step with their spinners, since leaving a field restores from its spinner.
    MapRes.SetText(CStr(-VScroll_MapRes.Value() / 10.0));
    SourceRes.SetText(CStr(-VScroll_SourceRes.Value() / 100.0));
    Temperature.SetText(CStr(-VScroll_Temperature.Value()) + QStringLiteral(" °C"));
    Temperature.SetLocked(true);
    Temperature.SetBackColor(0xD0D0D0);
    StartSimulate.SetCaption(QStringLiteral("Start"));
    StopSimulate.SetCaption(QStringLiteral("Stop"));
    StopSimulate.SetEnabled(false);
    // ---- end of venue section and SPL parameters ----
}

Form_PrincipaleControls::~Form_PrincipaleControls() = default;

std::array<TextField, 4>& Form_PrincipaleControls::AudienceFields(int k)
{
    switch (k) {
    case 0: return Audience1;
    case 1: return Audience2;
    case 2: return Audience3;
    default: return Audience4;
    }
}

int Form_PrincipaleControls::SelectedAudience() { return std::clamp<int>(SPL_SelectedAudience, 0, 3); }

std::function<void(Form_PrincipaleControls&)>& PrincipaleCreated()
{
    static std::function<void(Form_PrincipaleControls&)> created;
    return created;
}

Form_PrincipaleControls& Principale()
{
    auto& form = instance();
    if (!form) {
        form = factory() ? factory()() : std::make_unique<Form_PrincipaleControls>();
        if (PrincipaleCreated())
            PrincipaleCreated()(*form);
        form->Form_Load();
    }
    return *form;
}

bool PrincipaleLoaded() { return instance() != nullptr; }

void SetPrincipaleFactory(std::function<std::unique_ptr<Form_PrincipaleControls>()> f) { factory() = std::move(f); }

void UnloadPrincipale()
{
    if (instance())
        instance()->NotifyUnloaded();
    instance().reset();
}

FrameHooks& FrameCalls()
{
    static FrameHooks hooks;
    return hooks;
}
