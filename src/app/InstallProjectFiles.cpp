#include "app/InstallProjectFiles.h"
#include "app/FrameLinks.h"
#include "app/OpenProject.h"
#include "app/SaveProject.h"

void InstallProjectFiles()
{
    FrameLinks& links = Links();
    links.OpenArrayConfig = [](int index) { OpenArrayConfig(static_cast<std::int16_t>(index)); };
    links.SaveArrayConfig = [](const QString& fileName) { return SaveArrayConfig(fileName); };
    links.SaveArrayConfigAs = [] { return SaveArrayConfigAs(); };
}
