#pragma once
#include "platform/ComboList.h"
#include "platform/Control.h"
#include "platform/FormBase.h"
#include "platform/Picture.h"
#include "platform/Spinner.h"
#include "platform/TextField.h"

#include <array>
#include <cstdint>
#include <functional>

// The print options dialog "Printer Properties": printer, copies, quality and the contents of the
// cluster report, with a live preview in PrintPrev. It keeps nothing of its own: every choice lives
// in the print options, which it stores whenever it is unloaded.
class Form_PrinterProperties : public FormBase {
public:
    Form_PrinterProperties();
    ~Form_PrinterProperties() override;

    Label Label_Printer;
    ComboList SelectedPrinter;
    Label Label_Copies;
    TextField CopiesNum;
    Spinner VScroll_Copies;  // minus the copies, so that its up arrow adds one
    FrameBox Frame_PrintPrev;
    Picture PrintPrev;
    FrameBox Frame_Quality;
    // Quality[i - 1] is the button of index i: 1 "Draft", 2 "Low", 3 "Medium", 4 "High".
    std::array<OptionButton, 4> Quality;
    FrameBox Frame_Print_Option;
    CheckBox ClusterDetails;
    CheckBox BoxesDetails;
    CheckBox BoxesNames;
    CheckBox BoxesAngles;
    CommandButton Cancel;
    CommandButton StartPrint;

    void Form_Load();
    void Form_Unload();
    // Stores the printer, the copies, the quality and the two content flags into the print options.
    void ModifyPrinterOptions();

    void Cancel_Click();
    void StartPrint_Click();
    void Quality_Click(int index);
    void ClusterDetails_Click();
    void BoxesDetails_Click();
    void BoxesAngles_Click();
    void BoxesNames_Click();
    void CopiesNum_GotFocus();
    void CopiesNum_LostFocus();
    void VScroll_Copies_Change();
    void SelectedPrinter_GotFocus();
    void SelectedPrinter_Change();

    // The report drawn again into PrintPrev.
    void RedrawPreview();

    // Called as the dialog is destroyed, while its controls still exist: its view lets go of them.
    std::function<void()> Destroying;

private:
    // The copies to store: the typed number when it is one from 1 to 100, else the spinner's.
    std::int16_t CopiesToStore() const;
    // The value of the field that has the focus when it took it (copies: the spinner value; printer:
    // the list index of its text).
    std::int16_t previousValue_ = -1;
};

// Fills the printer list and selects the current printer.
void FillPrinterList(Form_PrinterProperties& dialog);
// Puts the stored print options back into the dialog, through the controls' own handlers.
void LoadPrinterOptions(Form_PrinterProperties& dialog);

// The dialog, loaded (hidden) on first use.
Form_PrinterProperties& PrinterProperties();
bool PrinterPropertiesLoaded();
// Stores the options and closes the dialog; the next PrinterProperties() loads a new one. The old
// one is destroyed once the events in progress have finished, since this is called from its own
// buttons.
void UnloadPrinterProperties();
