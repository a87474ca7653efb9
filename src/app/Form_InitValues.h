#pragma once
#include "platform/FormBase.h"
#include "platform/Control.h"
#include "platform/Spinner.h"
#include "platform/TextField.h"

#include <array>

// The modeless "Modules Advanced Settings" dialog: one row per box of the array with copies of the
// box's type and angles, for reference, and its initial level (and delay, a column that stays hidden).
// The rows are a working copy of InitValues, stored only by SaveCurrValues.
class Form_InitValues : public FormBase {
public:
    static constexpr int RowCount = 26;  // rows 0..15 are used, the others are never shown
    static constexpr int UsedRows = 16;

    Form_InitValues();

    FrameBox Configurazione_Array;
    Label Label_cella_aa;
    Label Label_tipo_aa;
    Label Label_angolo_aa;
    Label Label_position_aa;
    Label Label_Delay;
    Label Label_InitPower;

    std::array<Label, RowCount> Cella;
    std::array<TextField, RowCount> Tipo;
    std::array<TextField, RowCount> Angolo;
    std::array<TextField, RowCount> Position;
    std::array<TextField, RowCount> Delay;
    std::array<Spinner, RowCount> VScroll_Delay;  // the delay negated: its up arrow raises the delay
    std::array<TextField, RowCount> Power;
    std::array<Spinner, RowCount> VScroll_Power;  // the level itself: its up arrow goes towards 0

    CommandButton SaveInitValues;
    CommandButton cmdCancel;

    // Shows the window; showing it activates it.
    void Show();

    // Stores the rows in use into InitValues, zeroes the records of the other boxes, marks the
    // project changed and closes the window.
    void SaveCurrValues();

    void Form_Load();
    void Form_Activate();
    void Form_Unload();
    void Power_GotFocus(int row);
    void Delay_GotFocus(int row);
    void Power_Change(int row);
    void Delay_Change(int row);
    void VScroll_Power_Change(int row);
    void VScroll_Delay_Change(int row);
    void SaveInitValues_Click();
    void cmdCancel_Click();

private:
    // The text the level or delay field had when it last took the focus; before any field took it,
    // the fields' designed text.
    QString focusText_ = QStringLiteral("0");
};

// Fills the level and delay fields and their spinners of the rows in use from InitValues, each value
// brought into the range the dialog accepts.
void LoadInitValues();

// The dialog, loaded on first use.
Form_InitValues& InitValuesDialog();
bool InitValuesDialogLoaded();
// Unloads the dialog at once and destroys it after the current event; the next use loads it afresh.
void UnloadInitValuesDialog();
