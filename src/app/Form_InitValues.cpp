#include "app/Form_InitValues.h"
#include "app/FormSlot.h"
#include "core/NumberRules.h"
#include "core/Settings.h"
#include "forms/Form_PrincipaleControls.h"
#include "forms/FrameHooks.h"
#include "platform/Services.h"
#include "platform/VbColor.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace {

FormSlot<Form_InitValues>& slot()
{
    static FormSlot<Form_InitValues> s;
    return s;
}

constexpr double MinLevel = -100, MaxLevel = 0;
constexpr double MinDelay = 0, MaxDelay = 3000;

// The number of boxes of the vertical view, 0 to 16: the box-count field's number, or the count its
// spinner holds while the field holds no number.
int BoxCount()
{
    const Form_PrincipaleControls& view = Principale();
    double count = 0;
    if (!TryParseNumber(view.Area[4].Text(), count))
        count = -view.VScroll_Area[4].Value();
    return int(std::clamp(RoundHalfEven(count), 0.0, double(Form_InitValues::UsedRows)));
}

// The number in a field when it lies in the range; a text that is no number never does.
bool InRange(const QString& text, double low, double high, double& value)
{
    return TryParseNumber(text, value) && value >= low && value <= high;
}

void RangeMessage(double first, double second)
{
    MsgBox(QStringLiteral("Please insert a value from ") + CStr(first) + QStringLiteral(" to ") + CStr(second),
           vbOKOnly | vbExclamation, QStringLiteral("Invalid data insert"));
}

// A stored value brought into the range of the dialog's spinners; a value that is no number is 0.
double Bounded(double v, double low, double high) { return std::isnan(v) ? 0.0 : std::clamp(v, low, high); }

// Rows in twips inside the frame.
constexpr int RowTop = 540, RowStep = 300, RowHeight = 285;

} // namespace

Form_InitValues::Form_InitValues()
{
    SetCaption(QStringLiteral("Modules Advanced Settings"));
    Move(0, 0, 5340, 6240);
    Configurazione_Array.SetCaption(QStringLiteral("Array Configuration"));
    Configurazione_Array.Move(120, 120, 5100, 5460);

    const std::tuple<Label*, const char*, int, int> headings[] = {
        {&Label_cella_aa, "#", 120, 360},         {&Label_tipo_aa, "Element", 540, 1920},
        {&Label_angolo_aa, "Angle", 2520, 600},   {&Label_position_aa, "Abs", 3180, 600},
        {&Label_InitPower, "Box Level[dB]", 3840, 1140}, {&Label_Delay, "Delay[\u00b5s]", 5040, 1140}};
    for (const auto& [label, caption, left, width] : headings) {
        label->SetCaption(QString::fromUtf8(caption));
        label->Move(left, 240, width, 255);
    }
    Label_Delay.SetVisible(false);

    for (int r = 0; r < RowCount; ++r) {
        const auto i = std::size_t(r);
        const int top = RowTop + r * RowStep;
        Cella[i].SetCaption(QString::number(r + 1));
        Cella[i].Move(120, top + 30, 360, RowHeight);
        Tipo[i].Move(540, top, 1920, RowHeight);
        Angolo[i].Move(2520, top, 600, RowHeight);
        Position[i].Move(3180, top, 600, RowHeight);
        for (TextField* copy : {&Tipo[i], &Angolo[i], &Position[i]})
            copy->SetLocked(true);
        Power[i].Move(3840, top, 840, RowHeight);
        // The level is typed in; the copies beside it are only shown.
        Power[i].SetBackColor(WindowBackground);
        VScroll_Power[i].Move(4680, top, 255, RowHeight);
        Delay[i].Move(5040, top, 840, RowHeight);
        VScroll_Delay[i].Move(5880, top, 255, RowHeight);
        Power[i].SetText(QStringLiteral("0"));
        Delay[i].SetText(QStringLiteral("0"));
        VScroll_Power[i].SetMin(0);
        VScroll_Power[i].SetMax(-100);
        VScroll_Power[i].SetLargeChange(10);
        VScroll_Delay[i].SetMin(-3000);
        VScroll_Delay[i].SetMax(0);
        VScroll_Delay[i].SetLargeChange(100);

        Delay[i].SetVisible(false);
        VScroll_Delay[i].SetVisible(false);
        if (r > 0) {
            for (Control* c : std::initializer_list<Control*>{&Cella[i], &Tipo[i], &Angolo[i], &Position[i],
                                                               &Power[i], &VScroll_Power[i]})
                c->SetVisible(false);
        }

        Power[i].GotFocus = [this, r] { Power_GotFocus(r); };
        Delay[i].GotFocus = [this, r] { Delay_GotFocus(r); };
        Power[i].Change = [this, r] { Power_Change(r); };
        Delay[i].Change = [this, r] { Delay_Change(r); };
        VScroll_Power[i].Change = [this, r] { VScroll_Power_Change(r); };
        VScroll_Delay[i].Change = [this, r] { VScroll_Delay_Change(r); };
    }
    AdoptAll(Tipo);
    AdoptAll(Angolo);
    AdoptAll(Position);
    AdoptAll(Delay);
    AdoptAll(VScroll_Delay);
    AdoptAll(Power);
    AdoptAll(VScroll_Power);

    SaveInitValues.SetCaption(QStringLiteral("Ok"));
    SaveInitValues.Move(1500, 5700, 1200, 375);
    cmdCancel.SetCaption(QStringLiteral("Cancel"));
    cmdCancel.Move(2820, 5700, 1200, 375);
    Adopt(SaveInitValues, cmdCancel);
    SaveInitValues.Click = [this] { SaveInitValues_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };
}

void Form_InitValues::Show()
{
    FormBase::Show();
    Form_Activate();
}

void Form_InitValues::Form_Load()
{
    for (std::size_t i = 0; i < UsedRows; ++i) {
        VScroll_Delay[i].SetValue(-CInt(Val(Delay[i].Text())));
        VScroll_Power[i].SetValue(CInt(Val(Power[i].Text())));
    }
}

void Form_InitValues::Form_Activate()
{
    const Form_PrincipaleControls& view = Principale();
    const int count = BoxCount();
    for (int r = 0; r < UsedRows; ++r) {
        const auto i = std::size_t(r);
        const bool used = r < count;
        for (Control* c : std::initializer_list<Control*>{&Cella[i], &Tipo[i], &Angolo[i], &Position[i],
                                                           &Power[i], &VScroll_Power[i]})
            c->SetVisible(used);
        if (used) {
            Tipo[i].SetText(view.Tipo[i].Text());
            Angolo[i].SetText(view.Angolo[i].Text());
            Position[i].SetText(view.Position[i].Text());
        } else {
            Delay[i].SetVisible(false);
            VScroll_Delay[i].SetVisible(false);
        }
    }
}

void Form_InitValues::Form_Unload()
{
    Hide();
    if (const auto& showFrame = FrameCalls().Show)
        showFrame();
}

void Form_InitValues::Power_GotFocus(int row)
{
    Power[std::size_t(row)].SelectAll();
    focusText_ = Power[std::size_t(row)].Text();
}

void Form_InitValues::Delay_GotFocus(int row)
{
    Delay[std::size_t(row)].SelectAll();
    focusText_ = Delay[std::size_t(row)].Text();
}

// A lone "-" is a level still being typed. Any other text that is no level from -100 to 0, an empty
// one or letters included, is refused: the field gets back its text from when it took the focus.
void Form_InitValues::Power_Change(int row)
{
    const auto i = std::size_t(row);
    ConfigChanged = VbTrue;
    TempConfigChange = VbTrue;
    SplRecalcPending = VbTrue;
    const QString unfinished = QStringLiteral("-");
    double level = 0;
    if (Power[i].Text() != unfinished && !InRange(Power[i].Text(), MinLevel, MaxLevel, level)) {
        Power[i].SetText(focusText_);
        RangeMessage(MaxLevel, MinLevel);
    }
    if (Power[i].Text() != unfinished && InRange(Power[i].Text(), MinLevel, MaxLevel, level)
        && level != VScroll_Power[i].Value())
        VScroll_Power[i].SetValue(CInt(level));
}

void Form_InitValues::Delay_Change(int row)
{
    const auto i = std::size_t(row);
    ConfigChanged = VbTrue;
    TempConfigChange = VbTrue;
    SplRecalcPending = VbTrue;
    double delay = 0;
    if (!InRange(Delay[i].Text(), MinDelay, MaxDelay, delay)) {
        Delay[i].SetText(focusText_);
        RangeMessage(MinDelay, MaxDelay);
    }
    if (InRange(Delay[i].Text(), MinDelay, MaxDelay, delay) && delay != -VScroll_Delay[i].Value())
        VScroll_Delay[i].SetValue(-CInt(delay));
}

void Form_InitValues::VScroll_Power_Change(int row)
{
    const auto i = std::size_t(row);
    if (Val(Power[i].Text()) != VScroll_Power[i].Value())
        Power[i].SetText(CStr(VScroll_Power[i].Value()));
}

void Form_InitValues::VScroll_Delay_Change(int row)
{
    const auto i = std::size_t(row);
    if (Val(Delay[i].Text()) != -VScroll_Delay[i].Value())
        Delay[i].SetText(CStr(-VScroll_Delay[i].Value()));
}

void Form_InitValues::SaveInitValues_Click() { SaveCurrValues(); }

void Form_InitValues::cmdCancel_Click() { UnloadInitValuesDialog(); }

void Form_InitValues::SaveCurrValues()
{
    const int count = BoxCount();
    for (int r = 0; r < UsedRows; ++r) {
        const auto i = std::size_t(r);
        InitValue& stored = InitValues[i];
        double delay = 0, level = 0;
        stored.Delay = r < count && InRange(Delay[i].Text(), MinDelay, MaxDelay, delay) ? CInt(delay) : 0;
        stored.Abs = r < count && InRange(Power[i].Text(), MinLevel, MaxLevel, level) ? CInt(level) : 0;
    }
    ConfigChanged = VbTrue;
    SplRecalcPending = VbTrue;
    TempConfigChange = VbTrue;
    UnloadInitValuesDialog();
}

void LoadInitValues()
{
    Form_InitValues& dialog = InitValuesDialog();
    const int count = BoxCount();
    for (int r = 0; r < count; ++r) {
        const auto i = std::size_t(r);
        const double delay = Bounded(InitValues[i].Delay, MinDelay, MaxDelay);
        dialog.Delay[i].SetText(CStr(delay));
        dialog.VScroll_Delay[i].SetValue(-CInt(delay));
        const double level = Bounded(InitValues[i].Abs, MinLevel, MaxLevel);
        dialog.Power[i].SetText(CStr(level));
        dialog.VScroll_Power[i].SetValue(CInt(level));
    }
}

Form_InitValues& InitValuesDialog() { return slot().Get(); }

bool InitValuesDialogLoaded() { return slot().Loaded(); }

void UnloadInitValuesDialog() { slot().Unload(); }
