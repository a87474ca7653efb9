#pragma once
#include "forms/Form_PrincipaleControls.h"
#include "platform/Timer.h"

// The vertical view window: the controls of Form_PrincipaleControls with their handlers. Writing a
// field or list from code runs the same handler as a user's edit, and the computation code relies on
// that cascade to recompute the array at once.
class Form_Principale : public Form_PrincipaleControls {
public:
    Form_Principale();

    // ---- Window shell ----
    // On creation: the array angle and the frequencies per band of the SPL curve start afresh.
    void Form_Initialize();
    // Lays the window out and fills it with a new project. Only the first load of the process reads
    // the module library, waits for the splash time and reads the preferences file.
    void Form_Load() override;
    // Every 500 ms: ends the edit pause and blinks the impossible-configuration and
    // centre-of-gravity warnings.
    void Timer_TempConfigChange_Timer();
    // Every 300 ms: recomputes the SPL curve of a newly selected area, and once the edits pause, the
    // curve, the geometry and the mechanics.
    void TimerVenueSPL_Timer();
    // "Stop": asks the running map to stop.
    void StopSimulate_Click();
    // "Advanced": the initial-values window, filled from InitValues.
    void Advanced_Click();
    // "Auto Splay".
    void AutoConfigure_Click();
    // A click on the array preview switches the frame to the mechanical view.
    void Anteprima_Cluster_Click();

    // ---- Array rows ----
    // A splay list's text changed: a text that is not one of its entries is replaced by the remembered
    // entry; the rows below are re-aimed and the geometry recomputed.
    void Angolo_Change(int Index);
    // An entry was picked from a splay list.
    void Angolo_Click(int Index);
    void Angolo_GotFocus(int Index);
    // A type text changed: an unknown name becomes the list's first entry, and the row's splay list
    // is refilled for the module now named.
    void Tipo_Change(int Index);
    // A type was picked: its splay list, and a prompt when it cannot hang above the box below; the
    // rows below then offer only the types that fit.
    void Tipo_Click(int Index);
    // Shows the rows 0..N-1 for the box count of mounting field areaIndex and hides the others. A row
    // that appears takes the type of the row above.
    void UpdateArrayRows(int areaIndex);
    // Absolute angle of rows firstRow..N-1: the row above minus the row's splay, to 0.1 degree.
    // Row 0 takes the array angle instead, so firstRow 0 changes nothing.
    void UpdateBoxPositions(int firstRow);

    // ---- Mounting fields: flying bar X and Z, stage height, array angle, number of boxes ----
    // Validates the edited value and takes it over into the spinner; a refused value comes back from
    // the spinner. The array angle also becomes ArrayTilt and re-aims the rows.
    void Area_Change(int Index);
    void Area_GotFocus(int Index);
    void Area_LostFocus(int Index);
    // A spinner moved: its field takes the value, then rows, angles and venue follow.
    void VScroll_Area_Change(int Index);
    // One step down or up: 0.1 (whole metres for the stage, whole boxes for the count).
    void Minus_Click(int Index);
    void Plus_Click(int Index);

private:
    void MarkArrayEdited();
    void ApplySplay(int Index);
    // Selects the entry of a type list and makes sure Tipo_Click runs for it, also when writing the
    // text has already selected that entry.
    void PickType(int Index, int entry);
    // The mounting field's number, or the value its spinner holds when the text is no number.
    double AcceptedValue(int Index) const;
    // One step of a mounting field (direction -1 or 1), then what a spinner move sets off.
    void StepMounting(int Index, int direction);
    // What follows a new spinner position or a minus or plus step of a mounting field.
    void AfterMountingStep(int Index);

    // True while Tipo_Click runs: the type texts it writes are checked by the click itself.
    bool typeClickRunning_ = false;

    // Ends the splash wait when nothing else does (a frame without its own splash timer).
    ::Timer splashWait_;

    // ---- Venue panel, venue drawing and SPL parameters ----
public:
    // Audience fields of area `area` (0..3 for Audience1..Audience4); Index 0..3 is X start, Z start,
    // X end, Z end. Leaving a field validates the area, rounds its fields to whole metres, moves its
    // outline, refits the view when the area grew past it or may have stopped bounding it, and
    // recomputes the SPL curve and, without a valid map, the rays.
    void Audience_GotFocus(int area, int Index);
    void Audience_KeyDown(int area, int Index, int KeyCode, int Shift);
    void Audience_Change(int area, int Index);
    void Audience_LostFocus(int area, int Index);
    void Audience1_LostFocus(int Index) { Audience_LostFocus(0, Index); }
    void Audience2_LostFocus(int Index) { Audience_LostFocus(1, Index); }
    void Audience3_LostFocus(int Index) { Audience_LostFocus(2, Index); }
    void Audience4_LostFocus(int Index) { Audience_LostFocus(3, Index); }

    // Switches area Index + 1 on or off, refitting the view when the area bounds it.
    void Elemento_Venue_Pulsante_Click(int Index);
    // "Stand" <-> "Seats": the listener line moves at once.
    void Stand_Seats_Click(int Index);
    // The shared colour dialog; a picked colour recolours the area's lines (or the stage's) and marks
    // the project changed, a cancel changes nothing.
    void Elemento_Venue_Colore_Click(int Index);
    void Elemento_Venue_Colore_Change(int Index);
    void Stage_color_Click();
    void Stage_color_Change();
    // Selects the area for the SPL curve: by its number when it is on, or the outline under the mouse.
    void Label_spalto_Click(int Index);
    void Diagramma_Area_Click();

    void DrawArrayInVenue() override;
    void ScaleSplDiagram() override;

    // Runs the SPL map from the panel's parameters, once every pending recomputation has settled.
    void StartSimulate_Click();

    // The handlers of the audience fields and the SPL panel under their controls' own names; the
    // fields of one kind share one body.
    void Audience1_GotFocus(int Index) { Audience_GotFocus(0, Index); }
    void Audience2_GotFocus(int Index) { Audience_GotFocus(1, Index); }
    void Audience3_GotFocus(int Index) { Audience_GotFocus(2, Index); }
    void Audience4_GotFocus(int Index) { Audience_GotFocus(3, Index); }
    void Audience1_KeyDown(int Index, int KeyCode, int Shift) { Audience_KeyDown(0, Index, KeyCode, Shift); }
    void Audience2_KeyDown(int Index, int KeyCode, int Shift) { Audience_KeyDown(1, Index, KeyCode, Shift); }
    void Audience3_KeyDown(int Index, int KeyCode, int Shift) { Audience_KeyDown(2, Index, KeyCode, Shift); }
    void Audience4_KeyDown(int Index, int KeyCode, int Shift) { Audience_KeyDown(3, Index, KeyCode, Shift); }
    void Audience1_Change(int Index) { Audience_Change(0, Index); }
    void Audience2_Change(int Index) { Audience_Change(1, Index); }
    void Audience3_Change(int Index) { Audience_Change(2, Index); }
    void Audience4_Change(int Index) { Audience_Change(3, Index); }
    void Bandwidth_Change() { SplList_Change(Bandwidth); }
    void Bandwidth_Click() { SplList_Click(Bandwidth); }
    void Bandwidth_GotFocus() { SplList_GotFocus(Bandwidth); }
    void Frequency_Change() { SplList_Change(Frequency); }
    void Frequency_Click() { SplList_Click(Frequency); }
    void Frequency_GotFocus() { SplList_GotFocus(Frequency); }
    void Frequency_Num_Change() { SplList_Change(Frequency_Num); }
    void Frequency_Num_Click();
    void Frequency_Num_GotFocus() { SplList_GotFocus(Frequency_Num); }
    void MapRes_Change() { MarkSplParameterChanged(); }
    void MapRes_GotFocus() { Resolution_GotFocus(MapResolution()); }
    void MapRes_LostFocus() { Resolution_LostFocus(MapResolution()); }
    void VScroll_MapRes_Change() { VScroll_Resolution_Change(MapResolution()); }
    void SourceRes_Change() { MarkSplParameterChanged(); }
    void SourceRes_GotFocus() { Resolution_GotFocus(SourceResolution()); }
    void SourceRes_LostFocus() { Resolution_LostFocus(SourceResolution()); }
    void VScroll_SourceRes_Change() { VScroll_Resolution_Change(SourceResolution()); }
    void Temperature_Change() { MarkSplParameterChanged(); }
    void VScroll_Temperature_Change();
    void Anteprima_Cluster_MouseMove(int Button, int Shift, double X, double Y);
    void Diagramma_Area_MouseMove(int Button, int Shift, double X, double Y);
    void Diagramma_SPL_MouseMove(int Button, int Shift, double X, double Y);

private:
    // A numeric SPL field with its spinner, which holds the value negated and times `scale`.
    struct ResolutionField {
        TextField& field;
        Spinner& spinner;
        double low;
        double high;
        double scale;
    };
    ResolutionField MapResolution();
    ResolutionField SourceResolution();

    void WireVenueAndSplHandlers();
    void MarkSplParameterChanged();
    void SplList_Change(ComboList& list);
    void SplList_Click(ComboList& list);
    void SplList_GotFocus(const ComboList& list);
    void Resolution_GotFocus(const ResolutionField& r);
    void Resolution_LostFocus(const ResolutionField& r);
    void VScroll_Resolution_Change(const ResolutionField& r);
    // The number a resolution field holds, or the spinner's when it holds no number.
    static double ResolutionValue(const ResolutionField& r);
    // The recomputation the 300 ms timer would make, repeated while an edit it causes asks for more.
    void SettlePendingRecalc();
    void RedrawRays();
    // ---- end of venue panel, venue drawing and SPL parameters ----
};

// Makes Principale() create this window; the program and the tests call it before first use.
void InstallVerticalView();
