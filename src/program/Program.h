#pragma once
#include <QString>

class QWidget;

// The composition root: fills in every call that a lower part of the program makes into a higher one
// (the frame, the dialogs, the views), so that each part can be built and tested alone.
void WireProgram();

// Starts Torvi as a user knows it: the frame with its splash, the vertical view with the module
// library, and the project named on the command line. Returns the event loop's exit code.
int RunProgram(const QString& commandLine);

// Makes sure the frame has run its load once (the vertical view's load may ask for it first).
void EnsureFrameLoaded();
