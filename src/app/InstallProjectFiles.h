#pragma once

// Hands the frame its project file operations: File > Open (new or saved project), File > Save and
// File > Save as... The program's start-up calls it once.
void InstallProjectFiles();
