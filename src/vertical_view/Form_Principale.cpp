#include "vertical_view/Form_Principale.h"
#include "acoustics/RenderSim.h"
#include "acoustics/SplDiagram.h"
#include "core/ArrayState.h"
#include "core/ModuleRecord.h"
#include "core/NumberRules.h"
#include "core/Settings.h"
#include "core/SplState.h"
#include "forms/FrameHooks.h"
#include "library/Catalogue.h"
#include "library/ListLookups.h"
#include "library/Storage.h"
#include "mechanics/AutoSplay.h"
#include "mechanics/Form_MecView.h"
#include "mechanics/Geometry.h"
#include "mechanics/MecViewDrawing.h"
#include "mechanics/MecViewHooks.h"
#include "mechanics/Mechanics.h"
#include "mechanics/Round16.h"
#include "platform/Services.h"
#include "vertical_view/PointerReadouts.h"
#include "vertical_view/VenueDrawing.h"
#include "vertical_view/VerticalViewHooks.h"

#include <algorithm>

namespace {

struct FieldRange {
    int low;
    int high;
};
constexpr FieldRange AreaRanges[5] = {{-5, 100}, {0, 100}, {0, 20}, {-60, 60}, {1, 16}};
constexpr int BoxCountField = 4;
constexpr int ArrayAngleField = 3;
constexpr int StageField = 2;
constexpr std::int32_t Red = 255;
constexpr std::int32_t Black = 0;

void ShowRangeMessage(FieldRange range)
{
    MsgBox(QStringLiteral("Please insert a value from ") + QString::number(range.low) + QStringLiteral(" to ")
               + QString::number(range.high) + QStringLiteral("!"),
           vbOKOnly | vbExclamation, QStringLiteral("Invalid data insert"));
}

// The stage height and the box count step by whole units; the other mounting fields by tenths.
double SpinnerScale(int Index) { return Index == StageField || Index == BoxCountField ? 1.0 : 10.0; }

bool IsEntry(const ComboList& list, const QString& text) { return IsTrue(FindComboText(list, text, true).Found); }

} // namespace

Form_Principale::Form_Principale()
{
    for (int i = 0; i < int(Area.size()); ++i) {
        const auto f = std::size_t(i);
        Area[f].Change = [this, i] { Area_Change(i); };
        Area[f].GotFocus = [this, i] { Area_GotFocus(i); };
        Area[f].LostFocus = [this, i] { Area_LostFocus(i); };
        VScroll_Area[f].Change = [this, i] { VScroll_Area_Change(i); };
        Minus[f].Click = [this, i] { Minus_Click(i); };
        Plus[f].Click = [this, i] { Plus_Click(i); };
    }
    for (int i = 0; i < RowCount; ++i) {
        Angolo[std::size_t(i)].Change = [this, i] { Angolo_Change(i); };
        Angolo[std::size_t(i)].Click = [this, i] { Angolo_Click(i); };
        Angolo[std::size_t(i)].GotFocus = [this, i] { Angolo_GotFocus(i); };
    }
    // Only the rows of the array take types; the lists and names behind them stop at MaxBoxes.
    for (int i = 0; i < MaxBoxes; ++i) {
        Tipo[std::size_t(i)].Change = [this, i] { Tipo_Change(i); };
        Tipo[std::size_t(i)].Click = [this, i] { Tipo_Click(i); };
    }
    AutoConfigure.Click = [this] { AutoConfigure_Click(); };
    Advanced.Click = [this] { Advanced_Click(); };
    StopSimulate.Click = [this] { StopSimulate_Click(); };
    Anteprima_Cluster.Click = [this] { Anteprima_Cluster_Click(); };
    Anteprima_Cluster.MouseMove = [this](int b, int s, double x, double y) { Anteprima_Cluster_MouseMove(b, s, x, y); };
    Diagramma_Area.MouseMove = [this](int b, int s, double x, double y) { Diagramma_Area_MouseMove(b, s, x, y); };
    Diagramma_SPL.MouseMove = [this](int b, int s, double x, double y) { Diagramma_SPL_MouseMove(b, s, x, y); };
    Timer_TempConfigChange.OnTimer = [this] { Timer_TempConfigChange_Timer(); };
    TimerVenueSPL.OnTimer = [this] { TimerVenueSPL_Timer(); };
    splashWait_.SetInterval(6000);
    splashWait_.OnTimer = [this] {
        SplashTimeElapsed = VbTrue;
        splashWait_.SetEnabled(false);
    };
    WireVenueAndSplHandlers();
    Form_Initialize();
}

void Form_Principale::Anteprima_Cluster_MouseMove(int Button, int Shift, double X, double Y)
{
    AnteprimaClusterMouseMove(Button, Shift, X, Y);
}

void Form_Principale::Diagramma_Area_MouseMove(int Button, int Shift, double X, double Y)
{
    DiagrammaAreaMouseMove(Button, Shift, X, Y);
}

void Form_Principale::Diagramma_SPL_MouseMove(int Button, int Shift, double X, double Y)
{
    DiagrammaSplMouseMove(Button, Shift, X, Y);
}

// ---- Window shell ----

void Form_Principale::Form_Initialize()
{
    ArrayTilt = 0;
    FreqPerBand = 9;
}

void Form_Principale::Form_Load()
{
    CallIfSet(FrameCalls().LoadAndHide);

    const struct {
        FrameBox& frame;
        int left, top;
    } layout[] = {{Configurazione_Array, 45, 0},         {Diagramma_Area_Titolo, 2850, 0},
                  {Spl_Titolo, 2850, 5430},              {Anteprima_Cluster_Titolo, 12690, 0},
                  {Configurazione_Area, 2850, 8640},     {Pannello_Simulazione_Titolo, 5805, 8640},
                  {Audience, 10305, 8640}};
    for (const auto& [frame, left, top] : layout)
        frame.Move(left, top, frame.Width(), frame.Height());

    SourceRes.SetText(CStr(0.02));
    MapRes.SetText(CStr(0.5));
    TempConfigChange = VbFalse;
    SplRecalcPending = VbTrue;

    const VerticalViewHooks& up = ViewHooks();
    if (!IsTrue(ModulesLoaded)) {
        // The first start always shows the unsaved project's name, whatever name was held before.
        ProjectFileName = QStringLiteral("new.lac");
        CallIfSet(FrameCalls().SetTitle, Caption());
        LoadModules();
        // The frame's splash timer ends the wait; ours stands in when no frame runs one.
        splashWait_.SetEnabled(!IsTrue(SplashTimeElapsed));
        while (!IsTrue(SplashTimeElapsed))
            DoEvents();
        splashWait_.SetEnabled(false);
        CallIfSet(up.UnloadSplash);
        DoEvents();
        CallIfSet(up.InizializePreferences, false);
    } else if (Tipo[0].ListCount() == 0) {
        // The library is read once, into the first window's list; a window loaded again offers the
        // same types, record k at entry k - 1.
        for (int k = 1; k < ModuleCount; ++k)
            Tipo[0].AddItem(Modules[std::size_t(k)].Model);
    }

    System_CoG_Circle->SetFillColor(CoGColor);
    System_Zero_Circle->SetFillColor(ZeroColor);
    DrawColorScale();
    CurrentView = 0;
    SPL_SelectedAudience = 0;
    Label_spalto[0].SetForeColor(Red);
    ProjectFileName = QStringLiteral("new.lac");
    for (std::int16_t i = 1; i < MaxBoxes; ++i)
        FillAngleCombo(i);

    Temperature.SetText(QStringLiteral("25") + QString::fromUtf8(" °C"));
    Temperature.SetSelStart(0);
    Temperature.SetSelLength(int(Temperature.Text().size()) - 3);
    VScroll_Temperature.SetValue(-CInt(Val(Temperature.SelText())));
    Position[0].SetText(CStr(ArrayTilt));

    UpdateVenueExtents();
    CalculateArrayGeometry();
    DrawStageLines();
    Audience1_LostFocus(0);
    Audience2_LostFocus(0);
    Audience3_LostFocus(0);
    Audience4_LostFocus(0);
    MecView();
    Show();
    DoEvents();
    CallIfSet(FrameCalls().Show);

    TimerVenueSPL.SetEnabled(true);
    Timer_TempConfigChange.SetEnabled(true);
    ConfigChanged = VbFalse;
    UpdateVenueExtents();

    // The loader puts record k at entry k - 1 of the top row's list, so the entry is found by name.
    if (ModuleCount > 1) {
        const QString model = Modules[1].Model;
        Tipo[0].SetText(model);
        const FindResult entry = FindComboText(Tipo[0], model, true);
        if (IsTrue(entry.Found))
            PickType(0, entry.Index);
    }
}

void Form_Principale::Timer_TempConfigChange_Timer()
{
    TempConfigChange = VbFalse;
    Form_MecView& mec = MecView();
    Label& weight = mec.Label_Weight_Hook[0];
    bool warn = false;
    if (IsTrue(ImpossibleMechanicalConfig)) {
        LabelImpossMechConfig.SetCaption(QStringLiteral("Impossible configuration!"));
        LabelImpossMechConfig.SetLeft(
            CLng(Anteprima_Cluster.Left() + Anteprima_Cluster.Width() / 2.0 - LabelImpossMechConfig.Width() / 2.0));
        warn = weight.ForeColor() == Black;
    }
    LabelImpossMechConfig.SetVisible(warn);
    weight.SetForeColor(warn ? Red : Black);

    const bool markCoG = IsTrue(CoGOutOfBar) && !mec.LineCoGOutOfBar[0]->Visible();
    for (LineElement* line : mec.LineCoGOutOfBar)
        line->SetVisible(markCoG);
    mec.LabelFBarCog.SetVisible(markCoG);
}

void Form_Principale::TimerVenueSPL_Timer()
{
    if (IsTrue(VenueSplRecalcPending)) {
        CalculateSplDiagram();
        VenueSplRecalcPending = VbFalse;
    }
    if (!IsTrue(TempConfigChange) && IsTrue(SplRecalcPending)) {
        Diagramma_SPL.Cls();
        CalculateSplDiagram();
        CalculateArrayGeometry();
        UpdateMechanics();
        SplRecalcPending = VbFalse;
    }
}

void Form_Principale::StopSimulate_Click() { StopSimulation = VbTrue; }

void Form_Principale::Advanced_Click()
{
    const VerticalViewHooks& up = ViewHooks();
    CallIfSet(up.ShowInitValues);
    CallIfSet(up.LoadInitValues);
}

void Form_Principale::AutoConfigure_Click() { AutoConfigureArray(); }

void Form_Principale::Anteprima_Cluster_Click()
{
    const VerticalViewHooks& up = ViewHooks();
    CurrentView = 1;
    Form_MecView& mec = MecView();
    mec.Move(0, 0, mec.Width(), mec.Height());
    mec.Show();
    Hide();
    CallIfSet(up.HideInstructions);
    CallIfSet(up.SwitchMnuMechanical, false);
    CallIfSet(up.SwitchMnuVertical, true);
    CallIfSet(FrameCalls().SetTitle, mec.Caption());
    UpdateMechanics();
    UpdateMecView();
    CallIfSet(up.SwitchMnuFilePrint, true);
}

// ---- Array rows ----

void Form_Principale::MarkArrayEdited()
{
    ConfigChanged = VbTrue;
    TempConfigChange = VbTrue;
    SplRecalcPending = VbTrue;
    Diagramma_Area.Cls();
}

void Form_Principale::ApplySplay(int Index)
{
    const ComboList& list = Angolo[std::size_t(Index)];
    PreviousValue = FindComboText(list, list.Text(), true).Index;
    UpdateBoxPositions(Index);
    CalculateArrayGeometry();
}

void Form_Principale::Angolo_Change(int Index)
{
    ComboList& list = Angolo[std::size_t(Index)];
    MarkArrayEdited();
    // PreviousValue is shared by every field of the window and may point past this list.
    if (!IsTrue(FindComboText(list, list.Text(), true).Found))
        list.SetText(ComboEntryOrFirst(list, PreviousValue));
    ApplySplay(Index);
}

void Form_Principale::Angolo_Click(int Index)
{
    MarkArrayEdited();
    ApplySplay(Index);
}

void Form_Principale::Angolo_GotFocus(int Index)
{
    ComboList& list = Angolo[std::size_t(Index)];
    list.SelectAll();
    PreviousValue = FindComboText(list, list.Text(), true).Index;
}

void Form_Principale::Tipo_Change(int Index)
{
    const auto row = std::size_t(Index);
    ComboList& list = Tipo[row];
    Diagramma_Area.Cls();
    ConfigChanged = VbTrue;
    TempConfigChange = VbTrue;
    SplRecalcPending = VbTrue;
    if (!IsEntry(list, list.Text()))
        list.SetText(ComboEntryOrFirst(list, 0));
    Angolo[row].SetText(QStringLiteral("0"));
    FillAngleCombo(std::int16_t(Index));
    CalculateArrayGeometry();
    if (Index == 0)
        UpdateMecView();
    // A typed type on the last row, or one that cannot hang above the box below, is handled like a
    // picked one: the lists below then offer what fits under it, and the array never holds a pair
    // that a saved project could not be opened with.
    if (ReadingProject || typeClickRunning_)
        return;
    const bool lastRow = Index >= ArrayBoxCount() - 1;
    if (lastRow || !MayHangBelow(Modules[std::size_t(GetModuleIndex(Tipo[row + 1].Text()).Index)],
                                 Modules[std::size_t(GetModuleIndex(list.Text()).Index)]))
        Tipo_Click(Index);
}

void Form_Principale::PickType(int Index, int entry)
{
    ComboList& list = Tipo[std::size_t(Index)];
    if (list.ListIndex() == entry)
        Tipo_Click(Index);
    else
        list.SetListIndex(entry);
}

void Form_Principale::Tipo_Click(int Index)
{
    const bool nested = typeClickRunning_;
    typeClickRunning_ = true;
    struct Restore {
        bool& flag;
        bool value;
        ~Restore() { flag = value; }
    } restore{typeClickRunning_, nested};
    const auto row = std::size_t(Index);
    ComboList& list = Tipo[row];
    if (!IsEntry(list, list.Text()))
        list.SetText(QString());
    ConfigChanged = VbTrue;
    SplRecalcPending = VbTrue;
    TempConfigChange = VbTrue;
    Angolo[row].SetText(QStringLiteral("0"));
    const std::int16_t m = GetModuleIndex(list.Text()).Index;
    FillAngleCombo(std::int16_t(Index));
    // Items without an acoustic box have no splay; the top row's splay is never edited.
    const bool acoustic = Modules[std::size_t(m)].BoxType < 100;
    Angolo[row].SetVisible(acoustic);
    Angolo[row].SetLocked(!acoustic || Index == 0);

    // A type that cannot hang above the box below is either refused or cuts the array below it.
    bool refill = Index >= ArrayBoxCount() - 1;
    if (!refill) {
        const ModuleRecord& below = Modules[std::size_t(GetModuleIndex(Tipo[row + 1].Text()).Index)];
        if (!MayHangBelow(below, Modules[std::size_t(m)])) {
            const int answer = MsgBox(QStringLiteral("This action will cancel current array configuration!\rContinue?"),
                                      vbYesNo, QStringLiteral("Boxes configuration changed"));
            if (answer == vbNo) {
                list.SetText(BoxTypeNames[row]);
                const FindResult entry = FindComboText(list, list.Text(), true);
                if (IsTrue(entry.Found))
                    PickType(Index, entry.Index);
            } else {
                Area[BoxCountField].SetText(CStr(Index + 1));
                refill = true;
            }
        }
    }
    if (refill) {
        FillTypeCombo(m, std::int16_t(Index));
        CalculateArrayGeometry();
    }
    CheckTypeCompatibility();
    UpdateMecView();
}

void Form_Principale::UpdateArrayRows(int areaIndex)
{
    const int n = std::clamp<int>(Round16(Val(Area[std::size_t(areaIndex)].Text())), 1, MaxBoxes);
    Cella[0].SetVisible(true);
    Tipo[0].SetVisible(true);
    Tipo[0].SetLocked(false);
    if (RowModule(0).BoxType < 100)
        Angolo[0].SetVisible(true);
    Angolo[0].SetLocked(true);
    Position[0].SetVisible(true);

    for (int i = 1; i < n; ++i) {
        const auto row = std::size_t(i);
        if (Tipo[row].Visible())
            continue;
        Cella[row].SetVisible(true);
        Tipo[row].SetVisible(true);
        Tipo[row].SetLocked(false);
        FillTypeCombo(GetModuleIndex(Tipo[row - 1].Text()).Index, std::int16_t(i));
        Tipo[row].SetText(Tipo[row - 1].Text());
        const bool acoustic = RowModule(i).BoxType < 100;
        Angolo[row].SetVisible(acoustic);
        Angolo[row].SetLocked(!acoustic);
        Position[row].SetVisible(true);
        Position[row].SetText(CStr(Val(Position[row - 1].Text()) - Val(Angolo[row].Text())));
    }
    for (int i = n; i < MaxBoxes; ++i) {
        const auto row = std::size_t(i);
        Cella[row].SetVisible(false);
        Tipo[row].SetVisible(false);
        Angolo[row].SetVisible(false);
        Position[row].SetVisible(false);
        Tipo[row].SetLocked(true);
        Angolo[row].SetLocked(true);
        Angolo[row].SetText(QStringLiteral("0"));
    }
    CalculateArrayGeometry();
}

void Form_Principale::UpdateBoxPositions(int firstRow)
{
    if (firstRow == 0)
        return;
    const int n = ArrayBoxCount();
    for (int i = firstRow; i < n; ++i) {
        const int above = Round16(10 * Val(Position[std::size_t(i - 1)].Text()));
        const int splay = Round16(10 * Val(Angolo[std::size_t(i)].Text()));
        Position[std::size_t(i)].SetText(CStr((above - splay) / 10.0));
    }
}

// ---- Mounting fields ----

double Form_Principale::AcceptedValue(int Index) const
{
    double v = 0;
    if (TryParseNumber(Area[std::size_t(Index)].Text(), v))
        return v;
    return -VScroll_Area[std::size_t(Index)].Value() / SpinnerScale(Index);
}

void Form_Principale::Area_Change(int Index)
{
    const auto f = std::size_t(Index);
    ConfigChanged = VbTrue;
    if (Index != StageField) {
        Diagramma_Area.Cls();
        SplRecalcPending = VbTrue;
    }
    TempConfigChange = VbTrue;

    TextField& field = Area[f];
    Spinner& spinner = VScroll_Area[f];
    const FieldRange range = AreaRanges[Index];
    // A lone "-" is a negative angle being typed: it waits for its digits.
    if (!(Index == ArrayAngleField && field.Text() == QStringLiteral("-"))) {
        double v = 0;
        const bool valid = TryParseNumber(field.Text(), v) && v >= range.low && v <= range.high;
        if (Index == BoxCountField) {
            const int held = -spinner.Value();
            if (valid && held >= range.low && held <= range.high) {
                spinner.SetValue(Round16(-v));
            } else {
                ShowRangeMessage(range);
                if (valid)
                    spinner.SetValue(Round16(-v));
                else
                    field.SetText(CStr(held));
                VScroll_Area_Change(BoxCountField);
            }
            CheckTypeCompatibility();
        } else if (valid) {
            // The spinner's follow-up aims row 0 at ArrayTilt, so the angle is taken over first.
            if (Index == ArrayAngleField)
                ArrayTilt = v;
            spinner.SetValue(Round16(-SpinnerScale(Index) * v));
            if (Index == StageField)
                DrawStageLines();
        } else {
            ShowRangeMessage(range);
            if (Index == ArrayAngleField)
                VScroll_Area_Change(ArrayAngleField);
            else
                field.SetText(CStr(-spinner.Value() / SpinnerScale(Index)));
        }
    }
    if (Index != StageField)
        UpdateVenueExtents();
}

void Form_Principale::Area_GotFocus(int Index)
{
    Area[std::size_t(Index)].SelectAll();
    PreviousValue = Round16(AcceptedValue(Index));
}

void Form_Principale::Area_LostFocus(int Index)
{
    TextField& field = Area[std::size_t(Index)];
    if (Index == ArrayAngleField && field.Text() == QStringLiteral("-"))
        field.SetText(QStringLiteral("0"));
}

void Form_Principale::VScroll_Area_Change(int Index)
{
    Spinner& spinner = VScroll_Area[std::size_t(Index)];
    const int held = -spinner.Value();
    if (Index == BoxCountField && (held < AreaRanges[Index].low || held > AreaRanges[Index].high)) {
        // The spinner reaches 26 boxes; a count beyond the rows goes back to the field's count.
        spinner.SetValue(-ArrayBoxCount());
    } else {
        Area[std::size_t(Index)].SetText(CStr(held / SpinnerScale(Index)));
    }
    AfterMountingStep(Index);
}

void Form_Principale::AfterMountingStep(int Index)
{
    if (Index == BoxCountField)
        UpdateArrayRows(BoxCountField);
    if (Index == ArrayAngleField) {
        Position[0].SetText(CStr(ArrayTilt));
        UpdateBoxPositions(1);
    }
    if (Index != StageField)
        UpdateVenueExtents();
}

void Form_Principale::StepMounting(int Index, int direction)
{
    TextField& field = Area[std::size_t(Index)];
    const double v = AcceptedValue(Index);
    switch (Index) {
    case StageField:
        field.SetText(CStr(Round16(v) + direction));
        break;
    case BoxCountField:
        // The count stays within the rows; at either end the text is left as it is.
        if ((direction < 0 && v >= 2 && v <= 16) || (direction > 0 && v >= 1 && v <= 15))
            field.SetText(CStr(Round16(v) + direction));
        break;
    default:
        field.SetText(CStr(v + 0.1 * direction));
        break;
    }
    AfterMountingStep(Index);
}

void Form_Principale::Minus_Click(int Index) { StepMounting(Index, -1); }

void Form_Principale::Plus_Click(int Index) { StepMounting(Index, 1); }

void InstallVerticalView()
{
    SetPrincipaleFactory([] { return std::make_unique<Form_Principale>(); });
}
