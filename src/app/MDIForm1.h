#pragma once
#include "platform/Control.h"
#include "platform/FormBase.h"
#include "platform/Timer.h"

#include <array>

// The main window: it starts and stops the program, owns the menus, switches between the vertical
// view, the mechanical view and the instructions, and keeps the window title.
class MDIForm1 : public FormBase {
public:
    MDIForm1();

    MenuItem mnuFile, mnuFileOpen;
    std::array<MenuItem, 2> mnuFileOpenNew;
    MenuItem mnuFileSave, mnuFileSaveAs, mnuFileSave_Preferences, mnuFilePreferences, mnuFilePreferences_Printer,
        mnuFilePrint, mnuFilePrintersetup, mnuFilePrinter_Exit, mnuFileExit;
    MenuItem mnuExport, mnuExportField, mnuExportFrequency, munExportAllFrequency, mnuExportPdf;
    MenuItem mnuSpace, mnuVertical, mnuMechanical;
    MenuItem mnuView, mnuViewVertical, mnuViewMechanical, mnuViewInstructions;
    ::Timer Timer_Splash;

    // Start-up, part 1, with the command line as the program received it.
    void MDIForm_Initialize(const QString& commandLine);
    // Start-up, part 2.
    void MDIForm_Load();
    // Runs MDIForm_Load once for this frame, whoever asks first (the vertical view's load may).
    void EnsureLoaded();
    void Timer_Splash_Timer();
    void MDIForm_Resize(bool minimized);
    // The close prompt: true keeps the frame open.
    bool MDIForm_QueryUnload();
    void MDIForm_Unload();

    void mnuFileOpenNew_Click(int index);
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    void mnuFilePreferences_Click();
    void mnuFilePrint_Click();
    void mnuFilePrintersetup_Click();
    void mnuFileExit_Click();
    void mnuExportField_Click();
    void mnuVertical_Click();
    void mnuMechanical_Click();
    void mnuViewVertical_Click();
    void mnuViewMechanical_Click();
    void mnuViewInstructions_Click();

    // "Torvi - [" + the shown view's caption + "] - " + the project file name.
    void SetTitle();
    // The caption of the child window that CurrentView names.
    QString CurrentViewCaption() const;

    // The screen's width in twips, for centring (set by the view).
    int ScreenWidth = 1920 * 15;
    // Ends the program at once (File > Exit): no prompt, no unload, nothing written.
    std::function<void()> EndProgram;
    // True once the frame has been closed (the view then closes its window).
    bool Closed() const { return closed_; }
    // A close that waits for a map run to return.
    bool ClosePending() const { return closePending_; }
    void ClearClosePending() { closePending_ = false; }

private:
    void CheckDecimalSeparator();
    void ShowMecViewAtOrigin();
    bool closed_ = false;
    bool loaded_ = false;
    bool closePending_ = false;
    // The user already said yes to the close that is pending.
    bool closeConfirmed_ = false;
};

// The frame, created on first use.
MDIForm1& Frame();
bool FrameLoaded();
void UnloadFrame();

// The empty instructions view.
class Form_Instructions : public FormBase {
public:
    Form_Instructions();
};
Form_Instructions& Instructions();
void UnloadInstructions();
