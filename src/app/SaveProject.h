#pragma once
#include <QString>

// Saving the project into its "*.lac" file. Both operations report whether the project was written;
// a cancelled dialog or a failed write leaves the file on disk, the project's name and its modified
// flag as they were, so the callers (exit, open) can keep the unsaved project.

// Saves under fileName, or under ProjectFileName when fileName is empty; a project that has no name
// of its own yet goes through SaveArrayConfigAs. The file is replaced in one step, so a failed write
// leaves the old one whole; the failure is reported. On success ProjectFileName becomes the file
// written, the frame's title shows it, "File saved!" is shown and ConfigChanged is cleared.
bool SaveArrayConfig(const QString& fileName = QString());

// Asks for the file in the save dialog (folder "projects" beside the program, ".lac" added to a bare
// name) and saves under it. Cancel saves nothing and reports nothing.
bool SaveArrayConfigAs();

// Set when an open failed after it had applied part of a file: the project is then a mix of two
// projects and must not silently replace the file it is named after, so the next save asks for a
// name. Cleared by a successful save, a successful open and a new project.
extern bool ProjectNeedsNewName;
