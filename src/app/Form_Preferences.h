#pragma once
#include "platform/FormBase.h"
#include "app/TabStrip.h"
#include "platform/ComboList.h"
#include "platform/Control.h"
#include "platform/Picture.h"

#include <array>

struct PreferenceList;

// The modeless "Preferences" dialog. Its controls are a working copy of the fifteen preference
// settings: edits change only the controls until Apply or Ok hands them to applyConfig.
// Each swatch is a small picture whose background colour is the colour it stands for.
class Form_Preferences : public FormBase {
public:
    Form_Preferences();

    TabStrip Preferences_TabStrip;     // "Venue", "SPL"
    std::array<Picture, 2> PicTab;     // the panes under the two tabs

    // Pane "Venue".
    CheckBox VenueGridOn;
    CheckBox CoGOn;
    Picture VenueGridColor;
    Picture Venue_BackColor;
    Picture VenueRaysColor;
    Picture Venue_ForeColor;
    Picture CoGColor;
    Picture ZeroColor;

    // Pane "SPL".
    CheckBox SplGridOn;
    Picture SplGridColor;
    Picture SPLBackColor;
    Picture SPLForeColor;
    ComboList SplAccuracy;
    ComboList SplMax;
    ComboList SplRange;

    // The captions beside the edit controls: 0 to 7 on the "Venue" pane, 8 to 14 on the "SPL" pane,
    // row by row, left column first.
    std::array<Label, 15> Captions;

    CommandButton cmdDefault;
    CommandButton cmdOK;
    CommandButton cmdCancel;
    CommandButton cmdApply;

    // Shows the current settings in the controls, and the rigging settings in the mechanical view.
    void loadConfig();
    // Puts the default values into the controls only.
    void DefaultPreferences();
    // Takes the controls into the settings, colours the legend markers, writes the preferences file
    // and recomputes the array, the mechanics and the SPL curve.
    void applyConfig();

    void Form_Load();
    // Every key pressed in the dialog comes here first: Ctrl+Tab selects the next tab.
    void Form_KeyDown(int keyCode, int shift);
    void Preferences_TabStrip_Click();
    void cmdApply_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdDefault_Click();
    void SplGridOn_Click();
    void VenueGridOn_Click();
    void CoGOn_Click();
    void SplAccuracy_Change();
    void SplMax_Change();
    void SplRange_Change();
    // The click of any of the nine swatches: the shared colour dialog picks its new colour.
    void Swatch_Click(Picture& swatch);

private:
    void ListChanged(ComboList& list, const PreferenceList& choices);
};

// The dialog, loaded on first use.
Form_Preferences& PreferencesDialog();
bool PreferencesDialogLoaded();
// Hides the dialog at once and destroys it after the current event; the next use loads it afresh.
void UnloadPreferencesDialog();
