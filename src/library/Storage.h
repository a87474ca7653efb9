#pragma once
#include <QString>

// Reads every "*.bpf" file of the modules folder beside the program into Modules, records 1 onwards
// in the file list's order, and appends each model to the type list of the top array row. A file
// that is damaged, does not parse, repeats a loaded Code or Model, or finds the table full is
// refused with a message and leaves nothing behind; loading goes on with the next file. Sets
// ProgramFolder, ModulesFolder, ModuleCount (1 + modules loaded; unchanged when the folder is
// missing) and, however it ends, ModulesLoaded. Needs the window's band list filled.
void LoadModules();

// "Unable to Open: " path CR "File corrupted or incompatible!", titled "Loading modules".
void ShowModuleLoadError(const QString& path);
