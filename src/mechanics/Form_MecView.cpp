#include "mechanics/Form_MecView.h"
#include "library/ListLookups.h"
#include "core/ArrayState.h"
#include "core/NumberRules.h"
#include "core/Settings.h"
#include "forms/Form_PrincipaleControls.h"
#include "mechanics/FlyingBarView.h"
#include "mechanics/MecViewDrawing.h"
#include "mechanics/MecViewHooks.h"

#include <algorithm>
#include <memory>

namespace {

std::unique_ptr<Form_MecView>& instance()
{
    static std::unique_ptr<Form_MecView> form;
    return form;
}

constexpr std::int32_t White = 0xFFFFFF;
constexpr std::int32_t Black = 0x000000;
constexpr int DesignWidth = 13500;
constexpr int DesignHeight = 7500;
constexpr int OptionsHeight = 375;
constexpr int HitRadius = 10;
// The frame keeps this much of its outer size for its own border, caption and menu bar.
constexpr int FrameBorderHeight = 750;
constexpr int FrameBorderWidth = 200;

int Twips(float v) { return static_cast<int>(RoundHalfEven(v)); }

void MakeCaptionLabel(LabelElement& label, bool visible)
{
    label.SetAutoSize(true);
    label.SetBackStyle(LabelElement::Transparent);
    label.SetVisible(visible);
}

// Puts hook k at the focused hole: it becomes the placed, active hook of that row.
void PutHook(int k, std::int16_t hole, std::int32_t row)
{
    FlyingBarHook& hook = FlyingBarHooks[k];
    hook.FBarHooks = hole;
    hook.HoleRow = row;
    hook.SelHook = VbTrue;
    hook.Active = VbTrue;
    FlyingBarHooks[1 - k].Active = VbFalse;
}

FindResult FindText(const ComboList& list) { return FindComboText(list, list.Text(), true); }

} // namespace

Form_MecView::Form_MecView()
{
    SetCaption(QStringLiteral("Mechanical View"));

    PictureMecOptions.SetHeight(OptionsHeight);
    Label_Mode.SetCaption(QStringLiteral("Mode"));
    Label_Mode.Move(90, 90, 480, 195);
    Mode.Move(600, 30, 1000, 315);
    Mode.AddItem(QStringLiteral("Auto"), 0);
    Mode.AddItem(QStringLiteral("Manual"), 1);
    Mode.SetText(QStringLiteral("Auto"));
    Label_Hooks_Num.SetCaption(QStringLiteral("Hooks"));
    Label_Hooks_Num.Move(1710, 90, 480, 195);
    Hooks_Num.Move(2220, 30, 600, 315);
    Hooks_Num.AddItem(QStringLiteral("1"));
    Hooks_Num.AddItem(QStringLiteral("2"));
    Hooks_Num.AddItem(QStringLiteral("3"));
    Hooks_Num.SetText(QStringLiteral("1"));
    Label_Reverse_Mode.SetCaption(QStringLiteral("Reverse Mode"));
    Label_Reverse_Mode.Move(2940, 90, 1200, 195);
    ReverseModeOn.Move(4170, 90, 195, 195);
    for (Label* l : {&Label_Mode, &Label_Hooks_Num, &Label_Reverse_Mode})
        l->SetTransparent(true);

    for (Picture* pic : {&Anteprima_Cluster, &Anteprima_Flying_Bar}) {
        pic->SetBackColor(White);
        pic->SetForeColor(Black);
    }
    for (int i = 0; i < MechLabelCount; ++i) {
        Label_Mech_Tipo[i] = &Anteprima_Cluster.AddLabel();
        Label_Mech_Angolo[i] = &Anteprima_Cluster.AddLabel();
        MakeCaptionLabel(*Label_Mech_Tipo[i], false);
        MakeCaptionLabel(*Label_Mech_Angolo[i], false);
    }
    for (LabelElement* l : {&Label_Cluster_xMax, &Label_Cluster_xMin, &Label_Cluster_DeltaX, &Label_Cluster_yMax,
                            &Label_Cluster_yMin, &Label_Cluster_DeltaY, &LabelGroundMecView, &Label_Error})
        MakeCaptionLabel(*l, true);
    LabelGroundMecView.SetCaption(QStringLiteral("Ground"));
    // The widths sit on their dimension lines and break them.
    for (LabelElement* l : {&Label_Cluster_DeltaX, &Label_Cluster_DeltaY}) {
        l->SetBackStyle(LabelElement::Opaque);
        l->SetBackColor(White);
    }
    for (LineElement* l : {&LineMaxX, &LineMinX, &LineMaxY, &LineMinY})
        l->SetBorderStyle(3);

    for (auto& l : PicHooksLine)
        l = &Anteprima_Flying_Bar.AddLine();
    for (int i = 0; i < HoleLabelCount; ++i) {
        LabelCentral[i] = &Anteprima_Flying_Bar.AddLabel();
        LabelSide1[i] = &Anteprima_Flying_Bar.AddLabel();
        LabelSide2[i] = &Anteprima_Flying_Bar.AddLabel();
        MakeCaptionLabel(*LabelCentral[i], false);
        MakeCaptionLabel(*LabelSide1[i], false);
        MakeCaptionLabel(*LabelSide2[i], false);
    }
    for (auto& l : LineCoGOutOfBar) {
        l = &Anteprima_Flying_Bar.AddLine();
        l->SetVisible(false);
    }
    MakeCaptionLabel(LabelFBarCog, false);
    LabelFBarCog.SetCaption(QStringLiteral("CoG"));

    for (Label& l : Label_Weight_Hook) {
        l.SetAutoSize(true);
        l.SetFontBold(true);
        l.SetTransparent(true);
        l.SetLeft(200);
    }
    Label_Weight_Hook[1].SetVisible(false);

    Adopt(Mode, Hooks_Num, ReverseModeOn);
    Mode.Change = [this] { Mode_Change(); };
    Mode.Click = [this] { Mode_Click(); };
    Mode.GotFocus = [this] { Mode_GotFocus(); };
    Hooks_Num.Change = [this] { Hooks_Num_Change(); };
    Hooks_Num.Click = [this] { Hooks_Num_Click(); };
    Hooks_Num.GotFocus = [this] { Hooks_Num_GotFocus(); };
    ReverseModeOn.Click = [this] { ReverseModeOn_Click(); };
    Anteprima_Cluster.Click = [this] { Anteprima_Cluster_Click(); };
    Anteprima_Flying_Bar.MouseMove = [this](int button, int shift, double x, double y) {
        Anteprima_Flying_Bar_MouseMove(button, shift, x, y);
    };
    Anteprima_Flying_Bar.Click = [this] { Anteprima_Flying_Bar_Click(); };
    Resize = [this] { Form_Resize(); };

    Move(0, 0, DesignWidth, DesignHeight);
}

void Form_MecView::Form_Load()
{
    const MecViewHooks& calls = MecViewCalls();
    if (calls.ScreenWidth)
        Move((calls.ScreenWidth() - Width()) / 2, 0, Width(), Height());
    if (calls.FrameWidth && calls.FrameHeight)
        Move(Left(), Top(), std::max(0, calls.FrameWidth() - FrameBorderWidth),
             std::max(0, calls.FrameHeight() - FrameBorderHeight));
}

// The array takes the left two thirds below the options strip's height, the flying bar the right
// third below the strip.
void Form_MecView::Form_Resize()
{
    const float w = static_cast<float>(Width());
    const float h = static_cast<float>(Height());
    const int o = PictureMecOptions.Height();
    const int below = std::max(0, Twips(h - static_cast<float>(o)));
    Anteprima_Cluster.SetLeft(0);
    Anteprima_Cluster.SetTop(o);
    Anteprima_Cluster.SetSize(std::max(0, Twips(2 * w / 3)), below);
    const int column = Anteprima_Cluster.Width();
    PictureMecOptions.SetLeft(column);
    PictureMecOptions.SetTop(0);
    PictureMecOptions.SetWidth(std::max(0, Twips(w / 3)));
    Anteprima_Flying_Bar.SetLeft(column);
    Anteprima_Flying_Bar.SetTop(o);
    Anteprima_Flying_Bar.SetSize(std::max(0, Twips(w / 3)), below);
}

int Form_MecView::LeastWidth() const
{
    // The strip keeps the margin on the right that its first caption has on the left.
    int right = 0;
    for (const Control* c : std::initializer_list<const Control*>{&Label_Mode, &Mode, &Label_Hooks_Num, &Hooks_Num,
                                                                  &Label_Reverse_Mode, &ReverseModeOn})
        right = std::max(right, c->Left() + c->Width());
    return 3 * (right + Label_Mode.Left());
}

void Form_MecView::Anteprima_Cluster_Click()
{
    const MecViewHooks& calls = MecViewCalls();
    CurrentView = 0;
    CallIfSet(calls.ShowVerticalView);
    CallIfSet(calls.HideInstructions);
    Hide();
    CallIfSet(calls.SwitchMnuVertical, false);
    CallIfSet(calls.SwitchMnuMechanical, true);
    CallIfSet(calls.SetFrameCaption,
              AppTitle + QStringLiteral(" - [") + Principale().Caption() + QStringLiteral("] - ") + ProjectFileName);
    CallIfSet(calls.HidePrinterProperties);
    CallIfSet(calls.SwitchMnuFilePrint, false);
}

void Form_MecView::Anteprima_Flying_Bar_MouseMove(int, int, double x, double y)
{
    FocusHook(static_cast<float>(RoundHalfEven(y)), static_cast<float>(RoundHalfEven(x)));
}

void Form_MecView::FocusHook(float alongBar, float acrossBar)
{
    const MecViewHooks& calls = MecViewCalls();
    FocusedHook = -1;
    const ModuleRecord& bar = FlyingBarModule();
    if (FlyingBarShown(bar)) {
        const int central = CentralHoleCount(bar);
        for (int i = 0; i < central; ++i) {
            if (calls.PointDistance(alongBar, acrossBar, bar.FCHole[i], bar.FY_Len / 2.0) <= HitRadius) {
                if (HooksNumber == 2 || WorkingMode == 1)
                    Anteprima_Flying_Bar.SetMousePointer(HandPointer);
                FocusedHook = static_cast<std::int16_t>(i);
                FocusedHookRow = 0;
                return;
            }
        }
        const int side = SideHoleCount(bar);
        for (int j = 0; j < side; ++j) {
            if (calls.PointDistance(alongBar, acrossBar, bar.FSHole[j], bar.FY_Len - bar.FSHole_Y) <= HitRadius ||
                calls.PointDistance(alongBar, acrossBar, bar.FSHole[j], bar.FSHole_Y) <= HitRadius) {
                if (HooksNumber != 1 && (HooksNumber == 2 || WorkingMode == 1))
                    Anteprima_Flying_Bar.SetMousePointer(HandPointer);
                FocusedHook = static_cast<std::int16_t>(j);
                FocusedHookRow = 1;
                return;
            }
        }
    }
    Anteprima_Flying_Bar.SetMousePointer(0);
}

void Form_MecView::Anteprima_Flying_Bar_Click()
{
    const std::int16_t hole = FocusedHook;
    const std::int32_t row = FocusedHookRow;
    const int hooks = HooksNumber;
    const int mode = WorkingMode;
    if (hole == -1 || (mode == 0 && hooks != 2))
        return;

    FlyingBarHook& hook1 = FlyingBarHooks[0];
    FlyingBarHook& hook2 = FlyingBarHooks[1];
    const std::array<FlyingBarHook, 2> before = FlyingBarHooks;
    if (mode == 0) {
        // The mechanics search the pair themselves, among the central holes or the side ones.
        hook1.HoleRow = row;
        hook2.SelHook = row == 0 ? VbTrue : VbFalse;
    } else if (mode == 1 && hooks == 1) {
        if (row == 0)
            PutHook(0, hole, row);
    } else if (mode == 1 && hooks == 2 && row == 1) {
        PutHook(0, hole, row);
        hook2.SelHook = VbFalse;
    } else if (mode == 1 && hooks == 2) {
        // Hook 1 leaves the side row first; then the hooks take turns, an unplaced hook 2 first.
        const bool second = hook1.HoleRow != 1 && (!IsTrue(hook2.SelHook) || IsTrue(hook1.Active));
        PutHook(second ? 1 : 0, hole, row);
        if (IsTrue(hook1.SelHook) && IsTrue(hook2.SelHook) && hook2.FBarHooks < hook1.FBarHooks)
            std::swap(hook1, hook2);
    } else if (mode == 1 && hooks == 3 && row == 0) {
        if (hook1.HoleRow == 0)
            hook1.SelHook = VbFalse;
        PutHook(1, hole, 0);
    } else if (mode == 1 && hooks == 3) {
        if (!IsTrue(hook2.SelHook)) {
            hook2.FBarHooks = hook1.FBarHooks;
            hook2.SelHook = VbTrue;
        }
        PutHook(0, hole, 1);
    }
    // A committed hook is part of the project.
    if (before != FlyingBarHooks)
        ConfigChanged = VbTrue;

    const MecViewHooks& calls = MecViewCalls();
    CallIfSet(calls.CalculateArrayGeometry);
    CallIfSet(calls.UpdateMechanics);
    CallIfSet(calls.CalculateSplDiagram);
    UpdateMecView();
}

void Form_MecView::CheckTypedText(ComboList& list)
{
    ConfigChanged = VbTrue;
    TempConfigChange = VbTrue;
    SplRecalcPending = VbTrue;
    if (!IsTrue(FindText(list).Found) && list.ListCount() > 0) {
        // Both lists share the remembered position, so it may lie beyond this list's end.
        const int saved = SavedListIndex < list.ListCount() && SavedListIndex >= 0 ? SavedListIndex : 0;
        list.SetText(list.List(saved));
    }
    SavedListIndex = FindText(list).Index;
}

void Form_MecView::Hooks_Num_Change() { CheckTypedText(Hooks_Num); }

void Form_MecView::Mode_Change()
{
    CheckTypedText(Mode);
    Principale().AutoConfigure.SetEnabled(WorkingMode == 0);
}

void Form_MecView::Hooks_Num_GotFocus() { SavedListIndex = FindText(Hooks_Num).Index; }

void Form_MecView::Mode_GotFocus() { SavedListIndex = FindText(Mode).Index; }

void Form_MecView::Hooks_Num_Click()
{
    ConfigChanged = VbTrue;
    if (!IsTrue(FindText(Hooks_Num).Found))
        Hooks_Num.SetText(QStringLiteral("1"));
    if (Val(Hooks_Num.Text()) == 1) {
        FlyingBarHook& hook1 = FlyingBarHooks[0];
        if (hook1.HoleRow == 1) {
            hook1.FBarHooks = FlyingBarHooks[1].FBarHooks;
            hook1.HoleRow = 0;
            hook1.SelHook = VbTrue;
        }
        FlyingBarHooks[1].SelHook = VbFalse;
    }
    SavedListIndex = FindText(Hooks_Num).Index;
    HooksNumber = CByte(Val(Hooks_Num.Text()));
    RecomputeRigging();
}

void Form_MecView::Mode_Click()
{
    ConfigChanged = VbTrue;
    if (!IsTrue(FindText(Mode).Found))
        Mode.SetText(Mode.List(FindComboItemData(Mode, 0, 0).Index));
    const int position = FindText(Mode).Index;
    SavedListIndex = position;
    WorkingMode = Mode.ItemData(position);
    RecomputeRigging();
    Principale().AutoConfigure.SetEnabled(WorkingMode == 0);
}

void Form_MecView::ReverseModeOn_Click()
{
    ReverseMode = ToVbBool(ReverseModeOn.Value() == 1);
    ConfigChanged = VbTrue;
    // The boxes hang elsewhere now, so the SPL curve along the audience follows at the next quiet tick.
    SplRecalcPending = VbTrue;
    RecomputeRigging();
}

void Form_MecView::LoadRiggingSettings()
{
    const VbBool changed = ConfigChanged;
    Mode.SetText(Mode.List(FindComboItemData(Mode, static_cast<std::int16_t>(std::clamp(WorkingMode, -32768, 32767)), 0).Index));
    Hooks_Num.SetText(CStr(HooksNumber));
    ReverseModeOn.SetValue(IsTrue(ReverseMode) ? 1 : 0);
    ConfigChanged = changed;
}

void Form_MecView::RecomputeRigging()
{
    const MecViewHooks& calls = MecViewCalls();
    CallIfSet(calls.CalculateArrayGeometry);
    CallIfSet(calls.UpdateMechanics);
    UpdateMecView();
}

std::function<void(Form_MecView&)>& MecViewCreated()
{
    static std::function<void(Form_MecView&)> created;
    return created;
}

Form_MecView& MecView()
{
    auto& form = instance();
    if (!form) {
        form = std::make_unique<Form_MecView>();
        if (MecViewCreated())
            MecViewCreated()(*form);
        form->Form_Load();
    }
    return *form;
}

bool MecViewLoaded() { return instance() != nullptr; }

void UnloadMecView()
{
    if (instance())
        instance()->NotifyUnloaded();
    instance().reset();
}
