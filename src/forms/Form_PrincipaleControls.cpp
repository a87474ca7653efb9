#include "forms/Form_PrincipaleControls.h"
#include "forms/FrameHooks.h"
#include "platform/Services.h"
#include "platform/VbColor.h"

#include "core/NumberRules.h"
#include "core/Settings.h"

#include <algorithm>
#include <initializer_list>
#include <tuple>
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
    Move(0, 0, 15300, 11190);
    AdoptControls();
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

    // Edge lines lie over the venue and the rays; each redraw of the array shows the rows in use.
    for (auto* edges : {&Linea_destra, &Linea_sinistra, &Linea_inferiore, &Linea_superiore}) {
        addLines(*edges, Diagramma_Area);
        for (LineElement* l : *edges)
            l->SetVisible(false);
    }
    addLines(Linea_stage, Diagramma_Area);

    DesignRows();
    DesignVenueAndSpl();
    DesignMounting();
    DesignSimulation();
    DesignAudience();
    DesignArrayView();
}

namespace {

void Captioned(Label& l, const char* text, int left, int top, int width, int height = 225)
{
    l.SetCaption(QString::fromUtf8(text));
    l.Move(left, top, width, height);
}

void Titled(FrameBox& f, const char* caption, int left, int top, int width, int height)
{
    f.SetCaption(QString::fromLatin1(caption));
    f.Move(left, top, width, height);
}

void PlacePicture(Picture& p, int left, int top, int width, int height)
{
    p.SetLeft(left);
    p.SetTop(top);
    p.SetSize(width, height);
}

// A diagram of its panel: the picture with its vertical axis captions to its left and the horizontal
// ones below it.
template <std::size_t NX, std::size_t NZ>
void PlaceDiagram(Picture& p, int height, std::array<Label, NX>& xCaptions, std::array<Label, NZ>& zCaptions)
{
    PlacePicture(p, 465, 360, 8490, height);
    p.SetBackColor(0xFFFFFF);
    for (Label& l : zCaptions)
        l.SetLeft(60);
    for (Label& l : xCaptions)
        l.SetTop(360 + height + 15);
}

// A field the user types into, on the window-background colour.
void Entry(TextField& f, int left, int top, int width, int height)
{
    f.Move(left, top, width, height);
    f.SetBackColor(WindowBackground);
}

// A swatch is a locked field whose background is the colour it stands for.
void Swatch(TextField& f, std::int32_t colour, int left, int top, int width, int height)
{
    f.Move(left, top, width, height);
    f.SetBackColor(colour);
    f.SetLocked(true);
}

void Numeric(Spinner& s, int min, int max, int value)
{
    s.SetMin(min);
    s.SetMax(max);
    s.SetValue(value);
}

} // namespace

// Controls are placed in twips inside their panel; the view puts each into its panel's widget.
void Form_PrincipaleControls::AdoptControls()
{
    AdoptAll(Cella);
    AdoptAll(Tipo);
    AdoptAll(Angolo);
    AdoptAll(Position);
    AdoptAll(Area);
    AdoptAll(VScroll_Area);
    AdoptAll(Minus);
    AdoptAll(Plus);
    AdoptAll(Audience1);
    AdoptAll(Audience2);
    AdoptAll(Audience3);
    AdoptAll(Audience4);
    AdoptAll(Elemento_Venue_Pulsante);
    AdoptAll(Elemento_Venue_Colore);
    AdoptAll(Stand_Seats);
    AdoptAll(Label_spalto);
    Adopt(Stage_color, Frequency, Bandwidth, Frequency_Num, MapRes, SourceRes, Temperature, VScroll_MapRes,
          VScroll_SourceRes, VScroll_Temperature, StartSimulate, StopSimulate, Advanced, AutoConfigure);
}

// "Array Configuration": the column headers, sixteen rows (the other ten never show), the two array
// commands and the array's weight, centre of gravity and lowest point.
void Form_PrincipaleControls::DesignRows()
{
    Titled(Configurazione_Array, "Array Configuration", 45, 0, 2760, 11130);
    Captioned(Label_cella, "#", 45, 240, 240, 210);
    Label_cella.SetAlignment(2);
    Captioned(Label_tipo, "Element", 300, 240, 1245, 210);
    Captioned(Label_angolo, "Angle", 1560, 240, 630, 210);
    Captioned(Label_position, "Abs", 2205, 240, 510, 210);
    for (int i = 0; i < RowCount; ++i) {
        const auto r = std::size_t(i);
        const int top = 480 + 330 * i;
        Cella[r].SetCaption(QString::number(i + 1));
        Cella[r].SetAlignment(2);
        Cella[r].Move(45, top + 45, 240, 225);
        Tipo[r].Move(300, top, 1245, 315);
        Angolo[r].Move(1560, top, 630, 315);
        Entry(Position[r], 2205, top, 510, 315);
        Position[r].SetLocked(true);
        // Only the top box exists until the box count asks for more.
        const bool shown = i == 0;
        for (Control* c : std::initializer_list<Control*>{&Cella[r], &Tipo[r], &Angolo[r], &Position[r]})
            c->SetVisible(shown);
        Tipo[r].SetLocked(!shown);
        Angolo[r].SetLocked(true);
        Angolo[r].SetText(QStringLiteral("0"));
        Position[r].SetText(QStringLiteral("0"));
    }
    AutoConfigure.Move(60, 5880, 1290, 375);
    Advanced.SetCaption(QStringLiteral("Advanced"));
    Advanced.Move(1410, 5880, 1290, 375);
    Captioned(Label_Peso, "Array Weight:", 60, 6420, 1290);
    Captioned(Peso_Cluster_Valore, "0 Kg", 1410, 6420, 1290);
    Captioned(Label_CoG, "CoG [x ; z]:", 60, 6720, 2640);
    Captioned(LabelCoG, "", 60, 6945, 2640);
    Captioned(Label_BottomZ, "BottomZ:", 60, 7245, 1290);
    Captioned(Last_module_height, "", 1410, 7245, 1290);
    Last_module_height.SetAutoSize(true);
}

// "Venue" holds the venue section with its axis captions and the colour bar with its pointer and
// level captions; "SPL" the SPL diagram with its captions. The venue view keeps the height-to-width
// ratio of the section's fits; the load gives both pictures their scales. The pictures stand low
// enough that the captions centred on their top lines clear the panels' titles.
void Form_PrincipaleControls::DesignVenueAndSpl()
{
    Titled(Diagramma_Area_Titolo, "Venue", 2850, 0, 9780, 5400);
    PlaceDiagram(Diagramma_Area, 4575, Label_Area_X, Label_Area_Z);
    Captioned(ScalePointer, ">", 8970, 360, 120, 210);
    PlacePicture(Scala, 9090, 360, 210, 4575);
    for (Label& l : Label_SPL_scale)
        l.SetLeft(9315);

    Titled(Spl_Titolo, "SPL", 2850, 5430, 9780, 3180);
    PlaceDiagram(Diagramma_SPL, 2520, Label_SPL_X, Label_SPL_Z);
}

// "Array": the five mounting fields, each with its spinner and minus and plus buttons, and the stage
// colour.
void Form_PrincipaleControls::DesignMounting()
{
    Titled(Configurazione_Area, "Array", 2850, 8640, 2925, 2490);
    const char* names[] = {"Flying Bar X", "Flying Bar Z", "Stage Height", "Array Angle", "Boxes (max 24)"};
    for (std::size_t i = 0; i < Area.size(); ++i) {
        const int top = 240 + 330 * int(i);
        Captioned(Label_Area[i], names[i], 90, top + 45, 1380);
        Entry(Area[i], 1485, top, 555, 315);
        VScroll_Area[i].Move(2055, top, 240, 315);
        Minus[i].SetCaption(QStringLiteral("-"));
        Minus[i].Move(2310, top, 270, 315);
        Plus[i].SetCaption(QStringLiteral("+"));
        Plus[i].Move(2595, top, 270, 315);
    }
    Captioned(Label_Stage_color, "Stage Color", 90, 1995, 1380);
    const auto stageColour = static_cast<std::int32_t>(0x80000007);  // window frame
    Swatch(Stage_color, stageColour, 1485, 1950, 555, 315);
    for (LineElement* l : Linea_stage)
        l->SetBorderColor(stageColour);
}

// "Simulation": the band, its width and accuracy beside the map and source resolutions and the
// temperature, then Start, Stop and the run's progress. Every spinner starts at its field's value.
void Form_PrincipaleControls::DesignSimulation()
{
    Titled(Pannello_Simulazione_Titolo, "Simulation", 5805, 8640, 4440, 2490);
    Captioned(Label_Frequency, "Frequency", 90, 210, 2025, 210);
    Frequency.Move(90, 420, 1500, 315);
    Captioned(Label_Bandwidth, "Bandwidth", 90, 780, 2025, 210);
    Bandwidth.Move(90, 990, 1500, 315);
    Captioned(Label_Frequency_Num, "BW Accuracy", 90, 1350, 2025, 210);
    Frequency_Num.Move(90, 1560, 1500, 315);

    Captioned(Label_MapRes, "Map Resolution [m]", 2205, 210, 2145, 210);
    MapRes.SetText(CStr(0.5));
    Entry(MapRes, 2205, 420, 900, 315);
    Numeric(VScroll_MapRes, -50, -1, -5);
    VScroll_MapRes.Move(3105, 420, 240, 315);
    Captioned(Label_SourceRes, "Source Res.[m]", 2205, 780, 2145, 210);
    SourceRes.SetText(CStr(0.02));
    Entry(SourceRes, 2205, 990, 900, 315);
    Numeric(VScroll_SourceRes, -10, -1, -2);
    VScroll_SourceRes.Move(3105, 990, 240, 315);
    Captioned(Label_Temperature, "Temperature", 2205, 1350, 2145, 210);
    // Only its spinner changes the temperature. The field is empty until the load writes the
    // temperature, an edit like any other.
    Temperature.SetLocked(true);
    Temperature.SetBackColor(0xD0D0D0);
    Temperature.Move(2205, 1560, 900, 315);
    Numeric(VScroll_Temperature, -60, 25, -25);
    VScroll_Temperature.Move(3105, 1560, 240, 315);

    StartSimulate.SetCaption(QStringLiteral("Start"));
    StartSimulate.Move(90, 1995, 1005, 375);
    StopSimulate.SetCaption(QStringLiteral("Stop"));
    StopSimulate.Move(1140, 1995, 975, 375);
    StopSimulate.SetEnabled(false);
    Frame_Miscellaneous.Move(2205, 1905, 2145, 525);
    ProgressBar.Move(60, 135, 2025, 150);
    // As wide as the panel, so the run centres it where it stands and its text centres itself.
    TimeToComplete.Move(60, 300, 2025, 195);
    TimeToComplete.SetAlignment(2);
}

// "Venue": one row per audience area, from left to right stand or seats, colour, on or off, the
// area's number and its four coordinates. The outlines and listener lines start where the fields
// put them, in the areas' colours.
void Form_PrincipaleControls::DesignAudience()
{
    Titled(Audience, "Venue", 10305, 8640, 4935, 2490);
    Captioned(Label11, "     x     1     z", 1815, 240, 1455, 210);
    Captioned(Label12, "     x     2     z", 3315, 240, 1455, 210);
    const std::int32_t colours[4] = {0x800000, 0xC0, 0x8000, 0x4040};
    const int venue[4][4] = {{5, 0, 35, 0}, {35, 0, 55, 4}, {55, 10, 65, 12}, {55, 16, 75, 20}};
    for (std::size_t k = 0; k < 4; ++k) {
        const int top = 480 + 390 * int(k);
        Stand_Seats[k].SetCaption(QStringLiteral("Stand"));
        Stand_Seats[k].Move(90, top, 660, 315);
        Swatch(Elemento_Venue_Colore[k], colours[k], 780, top, 300, 315);
        Elemento_Venue_Pulsante[k].SetCaption(QStringLiteral("On"));
        Elemento_Venue_Pulsante[k].Move(1110, top, 450, 315);
        Label_spalto[k].SetCaption(QString::number(k + 1));
        Label_spalto[k].SetAlignment(2);
        Label_spalto[k].SetMousePointer(99);
        Label_spalto[k].Move(1590, top + 45, 195, 225);
        auto& fields = AudienceFields(int(k));
        for (std::size_t j = 0; j < 4; ++j) {
            fields[j].SetText(QString::number(venue[k][j]));
            Entry(fields[j], 1815 + 750 * int(j), top, 720, 315);
        }
        const int* v = venue[k];
        Linea[k]->SetEnds(v[0], v[1], v[2], v[3]);
        Linea_Stand_Seats[k]->SetEnds(v[0], v[1] + 1.75, v[2], v[3] + 1.75);
        Linea[k]->SetBorderColor(colours[k]);
        Linea_Stand_Seats[k]->SetBorderColor(colours[k]);
    }
}

// "Array View": the array preview with the impossible-configuration warning over it, the legend of
// its markers and the pointer readouts.
void Form_PrincipaleControls::DesignArrayView()
{
    Titled(Anteprima_Cluster_Titolo, "Array View", 12690, 0, 2550, 8610);
    PlacePicture(Anteprima_Cluster, 360, 240, 1815, 4815);
    Anteprima_Cluster.SetBackColor(0xFFFFFF);
    LabelImpossMechConfig.SetCaption(QStringLiteral("Impossible configuration!"));
    LabelImpossMechConfig.SetForeColor(255);
    LabelImpossMechConfig.SetFontBold(true);
    LabelImpossMechConfig.SetAutoSize(true);
    LabelImpossMechConfig.SetTop(2460);
    LabelImpossMechConfig.SetLeft(360);
    LabelImpossMechConfig.SetVisible(false);

    PlacePicture(Legenda, 360, 5160, 1815, 450);
    const auto marker = [this](std::int32_t colour, double left) {
        ShapeElement& circle = Legenda.AddShape();
        circle.SetShape(ShapeElement::Circle);
        circle.SetLeft(left);
        circle.SetTop(9);
        circle.SetWidth(12);
        circle.SetHeight(12);
        circle.SetFillStyle(0);
        circle.SetFillColor(colour);
        return &circle;
    };
    System_CoG_Circle = marker(0xFF00, 6);
    System_Zero_Circle = marker(0x8100, 62);
    for (auto [label, text, left] : {std::tuple{&Legenda_CoG, "CoG", 22.0}, std::tuple{&Legenda_Zero, "Origin", 78.0}}) {
        label->SetCaption(QString::fromLatin1(text));
        label->SetAutoSize(true);
        label->SetLeft(left);
        label->SetTop(7);
    }

    Captioned(Label_Pointer, "Pointer [x ; z]:", 120, 5715, 2310, 210);
    Posizione_Mouse_Valore.Move(120, 5940, 2310, 225);
    Colore_Corrente.Move(120, 6225, 2310, 285);
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

const std::array<TextField, 4>& Form_PrincipaleControls::AudienceFields(int k) const
{
    return const_cast<Form_PrincipaleControls*>(this)->AudienceFields(k);
}

double Form_PrincipaleControls::OutlineCoordinate(int area, int Index) const
{
    const LineElement& l = *Linea[std::size_t(area)];
    switch (Index) {
    case 0: return l.X1();
    case 1: return l.Y1();
    case 2: return l.X2();
    default: return l.Y2();
    }
}

double Form_PrincipaleControls::AudienceValue(int area, int Index) const
{
    double v = 0;
    if (TryParseNumber(AudienceFields(area)[std::size_t(Index)].Text(), v) && AudienceInRange(Index, v))
        return v;
    return OutlineCoordinate(area, Index);
}

bool Form_PrincipaleControls::AudienceInRange(int Index, double v)
{
    constexpr double MaxX = 500;
    constexpr double MaxZ = 100;
    const bool height = Index == 1 || Index == 3;
    return v >= 0 && v <= (height ? MaxZ : MaxX);
}

void Form_PrincipaleControls::ReportAudienceOutOfRange(int Index)
{
    const bool height = Index == 1 || Index == 3;
    MsgBox(height ? QStringLiteral("Z has to be greater or equal than 0 And less or equal than 100!")
                  : QStringLiteral("X has to be greater or equal than 0 And less or equal than 500!"),
           vbOKOnly | vbExclamation, InvalidAudienceTitle);
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
