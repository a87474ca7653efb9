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
};

// Makes Principale() create this window; the program and the tests call it before first use.
void InstallVerticalView();
