#pragma once
#include "forms/Form_PrincipaleControls.h"

// The vertical view window: the controls of Form_PrincipaleControls with their handlers. Writing a
// field or list from code runs the same handler as a user's edit, and the computation code relies on
// that cascade to recompute the array at once.
class Form_Principale : public Form_PrincipaleControls {
public:
    Form_Principale();

    // Mounting fields: validates the edited value, takes it over into the spinner and, for the array
    // angle, into ArrayTilt and the rows' absolute angles, then recomputes the geometry.
    void Area_Change(int Index);
    // A spinner moved: its field takes the value; the array angle then re-aims every row.
    void VScroll_Area_Change(int Index);

    // A splay list's text changed: a text that is not one of its entries is replaced by the remembered
    // entry; the rows below are re-aimed and the geometry recomputed.
    void Angolo_Change(int Index);
    // An entry was picked from a splay list.
    void Angolo_Click(int Index);

    // "Auto Splay".
    void AutoConfigure_Click();

    // Absolute angle of rows firstRow..N-1: the row above minus the row's splay, to 0.1 degree.
    // Row 0 takes the array angle instead, so firstRow 0 changes nothing.
    void UpdateBoxPositions(int firstRow);

private:
    void MarkArrayEdited();
    void ApplySplay(int Index);

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
    void Frequency_Num_Click();
    void Resolution_GotFocus(const ResolutionField& r);
    void Resolution_LostFocus(const ResolutionField& r);
    void VScroll_Resolution_Change(const ResolutionField& r);
    void VScroll_Temperature_Change();
    // The number a resolution field holds, or the spinner's when it holds no number.
    static double ResolutionValue(const ResolutionField& r);
    // The recomputation the 300 ms timer would make, repeated while an edit it causes asks for more.
    void SettlePendingRecalc();
    void RedrawRays();
    // ---- end of venue panel, venue drawing and SPL parameters ----
};

// Makes Principale() create this window; the program and the tests call it before first use.
void InstallVerticalView();
