#include "library/Storage.h"

#include "core/ContainerState.h"
#include "core/ModuleRecord.h"
#include "forms/Form_PrincipaleControls.h"
#include "library/Global.h"
#include "library/ModuleText.h"
#include "platform/Services.h"

#include <span>
#include <string_view>

namespace {
const QString LoadingTitle = QStringLiteral("Loading modules");

void showLoadingMessage(const QString& text) { MsgBox(text, vbOKOnly | vbExclamation, LoadingTitle); }

// Fills record `slot` from the file; a refused file leaves the record empty for the next one.
ModuleTextResult readModuleFile(const QString& path, int slot, const QStringList& bandNames)
{
    ModuleTextResult result;
    if (slot >= MaxModules)
        return result;
    ModuleRecord& record = Modules[slot];
    // Stays for a module without mounting angles.
    record.HoleCount = 10;
    if (ReadVerifiedProtectedFile(path)) {
        const std::string_view text(reinterpret_cast<const char*>(DataBytes.data()),
                                    static_cast<std::size_t>(DataUBound + 1));
        result = ParseModuleText(text, bandNames, std::span(Modules).subspan(1, slot - 1), record);
    }
    if (result.kind != ModuleTextResult::Accepted)
        record = ModuleRecord{};
    return result;
}
}

void ShowModuleLoadError(const QString& path)
{
    showLoadingMessage("Unable to Open: " + path + '\r' + "File corrupted or incompatible!");
}

void LoadModules()
{
    Form_PrincipaleControls& form = Principale();
    // Preferences and modules both live beside the executable, wherever the program was started from.
    ProgramFolder = Svc().ProgramFolder();
    if (form.Current.Text().isEmpty())
        form.Current.SetText(ProgramFolder);
    ModulesFolder = ProgramFolder + "/modules";

    // A second run, after the table was loaded, stays silent: it skips duplicates and stops at the
    // first other failure.
    const bool report = !IsTrue(ModulesLoaded);
    try {
        form.File.SetPattern(QStringLiteral("*.bpf"));
        form.File.SetPath(ModulesFolder);
    } catch (const VbError&) {
        if (report)
            showLoadingMessage(QStringLiteral("Unable to find Modules folder! "));
        ModulesLoaded = VbTrue;
        return;
    }

    QStringList bandNames;
    for (int b = 0; b < form.Frequency.ListCount() && b < ProfileBands; ++b)
        bandNames << form.Frequency.List(b);

    const int listed = form.File.ListCount();
    int refused = 0;
    for (int i = 0; i < listed; ++i) {
        const int slot = i + 1 - refused;
        const QString path = ModulesFolder + '/' + form.File.List(i);
        const ModuleTextResult result = readModuleFile(path, slot, bandNames);
        if (result.kind == ModuleTextResult::Accepted) {
            form.Tipo[0].AddItem(Modules[slot].Model);
            Modules[slot].Slot = static_cast<std::uint8_t>(slot);
            continue;
        }
        ++refused;
        const QString opening = "Unable to Open: " + path + '\r';
        if (result.kind == ModuleTextResult::DuplicateCode) {
            if (report)
                showLoadingMessage(opening + "Box Code: " + result.repeated + " already loaded!");
        } else if (result.kind == ModuleTextResult::DuplicateModel) {
            if (report)
                showLoadingMessage(opening + "Model: " + result.repeated + " already loaded!");
        } else if (report) {
            ShowModuleLoadError(path);
        } else {
            ModulesLoaded = VbTrue;
            return;
        }
    }
    ModuleCount = static_cast<std::int16_t>(listed - refused + 1);
    ModulesLoaded = VbTrue;
}
