#include "library/Catalogue.h"

#include "core/ModuleRecord.h"
#include "core/NumberRules.h"
#include "forms/Form_PrincipaleControls.h"
#include "library/ListLookups.h"

#include <algorithm>

std::array<QString, 16> BoxTypeNames;

namespace {
constexpr int ArrayRows = 16;

const ModuleRecord& moduleAt(int index)
{
    if (index < 0 || index >= MaxModules)
        throw VbError(VbError::Subscript, "Subscript out of range");
    return Modules[index];
}

void checkRow(int box)
{
    if (box < 0 || box >= ArrayRows)
        throw VbError(VbError::Subscript, "Subscript out of range");
}
}

bool MayHangBelow(const ModuleRecord& lower, const ModuleRecord& upper)
{
    return lower.BoxType == upper.BoxType
        || IsTrue(FindInArray(upper.CompatList, QString::number(lower.BoxType), 10, 0).Found);
}

FindResult GetModuleIndex(const QString& name)
{
    const int loaded = std::clamp<int>(ModuleCount, 0, MaxModules);
    for (int k = 0; k < loaded; ++k)
        if (Modules[k].Model == name)
            return {static_cast<std::int16_t>(k), VbTrue};
    return {};
}

void FillTypeCombo(std::int16_t moduleIdx, std::int16_t box)
{
    const ModuleRecord& upper = moduleAt(moduleIdx);
    const int loaded = std::clamp<int>(ModuleCount, 0, MaxModules);
    auto& tipo = Principale().Tipo;
    for (int row = std::max(box + 1, 0); row < ArrayRows; ++row) {
        tipo[row].Clear();
        tipo[row].AddItem(upper.Model);
        for (int k = 1; k < loaded; ++k)
            if (k != moduleIdx && MayHangBelow(Modules[k], upper))
                tipo[row].AddItem(Modules[k].Model);
    }
}

void CheckTypeCompatibility()
{
    auto& form = Principale();
    const double boxes = std::min(Val(form.Area[4].Text()), double(ArrayRows));
    for (int row = 0; row + 2 <= boxes; ++row) {
        const ModuleRecord& upper = Modules[GetModuleIndex(form.Tipo[row].Text()).Index];
        const ModuleRecord& lower = Modules[GetModuleIndex(form.Tipo[row + 1].Text()).Index];
        if (MayHangBelow(lower, upper))
            BoxTypeNames[row] = form.Tipo[row].Text();
    }
}

void FillAngleCombo(std::int16_t box)
{
    checkRow(box);
    auto& form = Principale();
    ComboList& angles = form.Angolo[box];
    angles.Clear();
    if (box == 0) {
        angles.AddItem(QStringLiteral("0"));
    } else {
        const ModuleRecord& module = Modules[GetModuleIndex(form.Tipo[box].Text()).Index];
        const int count = std::min<int>(module.HoleCount, int(module.Hole.size()));
        // Mounting angles are stored in tenths of a degree and shown in degrees.
        for (int k = 0; k < count; ++k)
            angles.AddItem(CStr(module.Hole[k] / 10.0));
    }
    angles.SetText(angles.ListCount() > 0 ? angles.List(0) : QString());
}
