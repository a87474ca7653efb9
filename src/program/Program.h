#pragma once
#include <QString>

class MDIForm1View;

// The composition root: fills in every call that a lower part of the program makes into a higher one
// (the frame, the dialogs, the views), so that each part can be built and tested alone.
void WireProgram();

// Starts Torvi as a user knows it: the frame with its splash, the vertical view with the module
// library, and the project named on the command line. Returns the event loop's exit code.
int RunProgram(const QString& commandLine);

// The face every window of the program shows its captions in.
void UseProgramFont();

// The program's windows that exist from the start: the splash's, and the frame's, in which the
// vertical and mechanical views are shown from now on. The frame's window is the caller's to delete,
// before the frame goes.
MDIForm1View* CreateProgramWindows();

// Makes sure the frame has run its load once (the vertical view's load may ask for it first).
void EnsureFrameLoaded();
