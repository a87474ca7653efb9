#include "app/OpenProject.h"
#include "app/Form_InitValues.h"
#include "app/Form_Preferences.h"
#include "app/MDIForm1.h"
#include "app/Preferences.h"
#include "app/ProjectFile.h"
#include "app/SaveProject.h"
#include "core/ArrayState.h"
#include "core/ContainerState.h"
#include "core/ModuleRecord.h"
#include "core/NumberRules.h"
#include "core/Settings.h"
#include "forms/Form_PrincipaleControls.h"
#include "library/Check_CRC32.h"
#include "library/Global.h"
#include "mechanics/Form_MecView.h"
#include "mechanics/Geometry.h"
#include "mechanics/MecViewDrawing.h"
#include "mechanics/Mechanics.h"
#include "platform/Services.h"

#include <algorithm>
#include <optional>

namespace {

constexpr int TemperatureUnitLength = 3;  // " °C"
constexpr int ArrayAngleField = 3;

void ReportCorruptedFile()
{
    MsgBox(QStringLiteral("Unable to load saved file!"), vbOKOnly | vbCritical, QStringLiteral("Corrupted file"));
}

// The file to open: the name handed over in Apri, or else the one chosen in its dialog; nothing when
// the dialog was cancelled. A name is used once, so that every File > Open > "Saved Project" asks.
std::optional<QString> ChooseProjectFile()
{
    CommonDialog& apri = Principale().Apri;
    if (apri.FileName.isEmpty()) {
        PrepareProjectDialog(apri, QStringLiteral("Open"), QStringLiteral("LineArrayConfig (*.lac)|*.lac|All files (*.*)|*.*"));
        try {
            apri.ShowOpen();
        } catch (const VbError&) {
            return std::nullopt;
        }
    }
    const QString path = apri.FileName;
    apri.FileName.clear();
    return path;
}

// The same ending for an opened file and a new project.
void FinishLoading()
{
    Frame().SetTitle();
    if (PreferencesDialogLoaded() && PreferencesDialog().Visible())
        PreferencesDialog().loadConfig();
    if (InitValuesDialogLoaded() && InitValuesDialog().Visible())
        LoadInitValues();
    Principale().DrawArrayInVenue();
    UpdateMechanics();
    UpdateMecView();
    SyncSimulationScrollBars();
    // The loading ran the edit handlers, which marked the project changed.
    ConfigChanged = VbFalse;
}

// The first row offers every loaded module, record k at entry k - 1 as the module library filled it.
// The empty record 0 is no type: a row showing its empty name would be saved into a project that
// could never be opened again. The type the new view gave the row is put back, since emptying the
// list empties its text as well.
void RefillFirstTypeList(ComboList& tipo)
{
    const QString type = tipo.Text();
    tipo.Clear();
    const int records = std::clamp<int>(ModuleCount, 0, MaxModules);
    for (int k = 0; k < records; ++k) {
        if (k > 0)
            tipo.AddItem(Modules[std::size_t(k)].Model);
        Modules[std::size_t(k)].Slot = static_cast<std::uint8_t>(k);
    }
    tipo.SetText(type);
}

void StartNewProject()
{
    if (InitValuesDialogLoaded())
        InitValuesDialog().Hide();
    Instructions().Hide();
    if (MecViewLoaded())
        MecView().Hide();
    if (PreferencesDialogLoaded())
        PreferencesDialog().Hide();
    if (PrincipaleLoaded())
        Principale().Hide();
    Frame().Hide();
    // A fresh vertical view starts from its designed and loaded values.
    UnloadPrincipale();
    UnloadInitValuesDialog();

    Form_PrincipaleControls& view = Principale();
    // The view's load names the project as unsaved as well; a new project never keeps the old name.
    ProjectFileName = UnsavedProjectName;
    ProjectNeedsNewName = false;
    view.Move(0, 0, Frame().Width(), Frame().Height());
    view.Show();
    Frame().Show();

    RefillFirstTypeList(view.Tipo[0]);
    // Through 1 so that the array angle's handler runs even when the angle was 0 already.
    view.VScroll_Area[ArrayAngleField].SetValue(1);
    view.VScroll_Area[ArrayAngleField].SetValue(0);
    CalculateArrayGeometry();
    view.DrawArrayInVenue();
    InizializePreferences(true);
    DoEvents();

    WorkingMode = 0;
    HooksNumber = 1;
    ReverseMode = VbFalse;
    MecView().LoadRiggingSettings();
    // The view on screen stays: the mechanical view when it is the current one.
    if (!Frame().mnuMechanical.Visible()) {
        Principale().Hide();
        MecView().Show();
    } else {
        MecView().Hide();
        Principale().Show();
    }
    UpdateMechanics();
    UpdateMecView();
    FinishLoading();
}

void OpenSavedProject()
{
    const std::optional<QString> path = ChooseProjectFile();
    if (!path)
        return;
    try {
        ReadProtectedFile(*path, true);
    } catch (const VbError&) {
        // Too short to hold the header and one byte of text counts as unreadable, like a missing file.
        MsgBox(QStringLiteral("Unable to open file!\r") + *path, vbOKOnly | vbExclamation);
        return;
    }
    if (!IsStoredChecksum(ChecksumTag(Crc32Bytes(DataBytes))) || !HasProtectedFileMarker(*path)) {
        ReportCorruptedFile();
        return;
    }

    const auto length = static_cast<qsizetype>(std::clamp<std::int64_t>(std::int64_t(DataUBound) + 1, 0, std::int64_t(DataBytes.size())));
    const QByteArray text(reinterpret_cast<const char*>(DataBytes.data()), length);
    const ProjectReadOutcome outcome = ReadProjectText(text);
    switch (outcome.result) {
    case ProjectReadOutcome::Loaded:
        ProjectFileName = *path;
        ProjectNeedsNewName = false;
        FinishLoading();
        break;
    case ProjectReadOutcome::Corrupted:
        ReportCorruptedFile();
        if (outcome.applied) {
            ConfigChanged = VbTrue;
            ProjectNeedsNewName = true;
        }
        break;
    case ProjectReadOutcome::MissingBoxType:
        MsgBox(QStringLiteral("BoxType ") + outcome.missingType + QStringLiteral(" not found!"), vbOKOnly | vbExclamation,
               QStringLiteral("Loading modules"));
        StartNewProject();
        break;
    }
}

// A spinner that holds its field's value negated and scaled takes the field's value, when it can.
void SyncSpinner(Spinner& spinner, const QString& text, double scale)
{
    double v = 0;
    if (!TryParseNumber(text, v))
        return;
    const double position = RoundHalfEven(-v * scale);
    if (position >= std::min(spinner.Min(), spinner.Max()) && position <= std::max(spinner.Min(), spinner.Max()))
        spinner.SetValue(static_cast<int>(position));
}

} // namespace

void OpenArrayConfig(std::int16_t index)
{
    if (index == 0)
        StartNewProject();
    else
        OpenSavedProject();
}

void SyncSimulationScrollBars()
{
    Form_PrincipaleControls& view = Principale();
    SyncSpinner(view.VScroll_MapRes, view.MapRes.Text(), 10);
    SyncSpinner(view.VScroll_SourceRes, view.SourceRes.Text(), 100);
    TextField& temperature = view.Temperature;
    temperature.SetSelStart(0);
    temperature.SetSelLength(std::max(0, static_cast<int>(temperature.Text().size()) - TemperatureUnitLength));
    SyncSpinner(view.VScroll_Temperature, temperature.SelText(), 1);
}
