#pragma once
#include <functional>
#include "platform/ComboList.h"
#include "platform/Control.h"
#include "platform/FormBase.h"
#include "platform/Picture.h"

#include <array>
#include <cstdint>

// The mechanical view: the array from the side and the flying bar from above, with the three rigging
// settings (working mode, number of hooks, reverse mounting). UpdateMecView draws its content; this
// class holds its controls, its layout and its handlers.
class Form_MecView : public FormBase {
public:
    static constexpr int MechLabelCount = 27;
    static constexpr int HoleLabelCount = 60;
    // The pointer style of the flying-bar picture over a hole a click can take.
    static constexpr int HandPointer = 99;

    Form_MecView();

    // Options strip, top right.
    Picture PictureMecOptions;
    Label Label_Mode;
    ComboList Mode;
    Label Label_Hooks_Num;
    ComboList Hooks_Num;
    Label Label_Reverse_Mode;
    CheckBox ReverseModeOn;

    // The array from the side, in metres with Z upwards.
    Picture Anteprima_Cluster;
    std::array<LabelElement*, MechLabelCount> Label_Mech_Tipo{};
    std::array<LabelElement*, MechLabelCount> Label_Mech_Angolo{};
    LabelElement& Label_Cluster_xMax = Anteprima_Cluster.AddLabel();
    LabelElement& Label_Cluster_xMin = Anteprima_Cluster.AddLabel();
    LabelElement& Label_Cluster_DeltaX = Anteprima_Cluster.AddLabel();
    LabelElement& Label_Cluster_yMax = Anteprima_Cluster.AddLabel();
    LabelElement& Label_Cluster_yMin = Anteprima_Cluster.AddLabel();
    LabelElement& Label_Cluster_DeltaY = Anteprima_Cluster.AddLabel();
    LabelElement& LabelGroundMecView = Anteprima_Cluster.AddLabel();
    LabelElement& Label_Error = Anteprima_Cluster.AddLabel();
    LineElement& LineMaxX = Anteprima_Cluster.AddLine();
    LineElement& LineMinX = Anteprima_Cluster.AddLine();
    LineElement& LineMaxY = Anteprima_Cluster.AddLine();
    LineElement& LineMinY = Anteprima_Cluster.AddLine();
    LineElement& LineGroundMecView = Anteprima_Cluster.AddLine();

    // The flying bar from above, in millimetres: x across the bar, y along it from its front end down.
    Picture Anteprima_Flying_Bar;
    std::array<LineElement*, 4> PicHooksLine{};
    std::array<LabelElement*, HoleLabelCount> LabelCentral{};
    std::array<LabelElement*, HoleLabelCount> LabelSide1{};
    std::array<LabelElement*, HoleLabelCount> LabelSide2{};
    LineElement& MecView_CoG_Line = Anteprima_Flying_Bar.AddLine();
    std::array<LineElement*, 4> LineCoGOutOfBar{};
    LabelElement& LabelFBarCog = Anteprima_Flying_Bar.AddLabel();

    // Hook loads, the bottom-strap warning or the impossible configuration, above the array picture.
    std::array<Label, 2> Label_Weight_Hook;

    // The hole under the pointer (-1 none) and its row (0 central, 1 side), as the last move found it.
    std::int16_t FocusedHook = -1;
    std::int32_t FocusedHookRow = 0;
    // The list position of the last accepted text of the list that last had the focus.
    int SavedListIndex = 0;

    // The narrowest width (twips) at which the options strip, a third of the window, holds its controls.
    int LeastWidth() const;

    // Handlers.
    void Form_Load();
    void Form_Resize();
    void Anteprima_Cluster_Click();
    void Anteprima_Flying_Bar_MouseMove(int button, int shift, double x, double y);
    void Anteprima_Flying_Bar_Click();
    void Hooks_Num_Change();
    void Mode_Change();
    void Hooks_Num_Click();
    void Mode_Click();
    void Hooks_Num_GotFocus();
    void Mode_GotFocus();
    void ReverseModeOn_Click();

    // Finds the hole under a point of the flying-bar picture, the coordinate along the bar first, and
    // shows the hand pointer over a hole that a click would commit.
    void FocusHook(float alongBar, float acrossBar);

    // Shows the stored WorkingMode, HooksNumber and ReverseMode in the three controls, as the project
    // reader and the preferences do. Their handlers run as usual, but showing a stored setting does not
    // count as a change of the project, so ConfigChanged keeps its value.
    void LoadRiggingSettings();

private:
    // Puts back the entry at SavedListIndex when a typed text is no entry of the list.
    void CheckTypedText(ComboList& list);
    void RecomputeRigging();
};

// The mechanical view, created (and loaded) on first use.
Form_MecView& MecView();
// Runs when MecView() has created the window, before its load: the program gives it its Qt view here.
std::function<void(Form_MecView&)>& MecViewCreated();
bool MecViewLoaded();
// Destroys the window; the next MecView() creates a new one.
void UnloadMecView();
