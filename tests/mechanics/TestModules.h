#pragma once
#include "core/ArrayState.h"
#include "core/ModuleRecord.h"
#include "core/Settings.h"
#include "forms/Form_PrincipaleControls.h"

#include <QString>
#include <initializer_list>
#include <vector>

// A small hand-built module library shared by the geometry, rigging and splay tests.
//
// "LA12" (record 1): box 400 mm front, 200 mm rear, 600 mm deep, centre of gravity 250 mm back and
// 200 mm down, 45 kg, splay angles 0, 1, 2, 2.5, 3, 4, 5, 6, 7, 8, 10, 12 degrees. Its flying bar:
// 100 mm high, 1000 mm long, centre of gravity 500 mm back and 50 mm down, 30 kg, reverse-mode
// offset 50 mm, central holes 100, 300, 500, 700, 900, 1100 mm and side holes 200, 400, 600, 800 mm
// behind the front.
// "LB8" (record 2): rectangular box 300 x 300 x 500 mm, centre of gravity 200 mm back and 150 mm down,
// 30 kg, splay angles 0, 1, 2.
namespace testmodules {

inline ModuleRecord LA12()
{
    ModuleRecord m;
    m.Model = QStringLiteral("LA12");
    m.BoxType = 1;
    m.FrontLen = 400;
    m.RearLen = 200;
    m.BoxLen = 600;
    m.CoG_X = 250;
    m.CoG_Z = 200;
    m.Weight = 45;
    const std::int16_t angles[] = {0, 10, 20, 25, 30, 40, 50, 60, 70, 80, 100, 120};
    for (std::int16_t a : angles)
        m.Hole[m.HoleCount++] = a;
    m.FFrontLen = 100;
    m.FLen = 1000;
    m.Reverse_Mode_X = 50;
    m.FCoG_X = 500;
    m.FCoG_Z = 50;
    m.FWeight = 30;
    for (std::int16_t h : {100, 300, 500, 700, 900, 1100})
        m.FCHole[m.FCHoleCount++] = h;
    for (std::int16_t h : {200, 400, 600, 800})
        m.FSHole[m.FSHoleCount++] = h;
    return m;
}

inline ModuleRecord LB8()
{
    ModuleRecord m;
    m.Model = QStringLiteral("LB8");
    m.BoxType = 1;
    m.FrontLen = 300;
    m.RearLen = 300;
    m.BoxLen = 500;
    m.CoG_X = 200;
    m.CoG_Z = 150;
    m.Weight = 30;
    for (std::int16_t a : {0, 10, 20})
        m.Hole[m.HoleCount++] = a;
    return m;
}

// Fresh module table with the two modules, fresh results and rigging settings.
inline void LoadTestModules()
{
    ClearModuleTable();
    ClearArrayState();
    Modules[1] = LA12();
    Modules[2] = LB8();
    ModuleCount = 3;
    ModulesLoaded = VbTrue;
}

// The splay list entries of a module, as its row's list shows them ("2,5" under a comma locale).
inline void FillSplayList(ComboList& list, const ModuleRecord& m)
{
    list.Clear();
    for (int k = 0; k < m.HoleCount; ++k)
        list.AddItem(QString::number(m.Hole[std::size_t(k)] / 10.0).replace(QLatin1Char('.'), QLatin1Char(',')));
}

// Types and absolute angles of rows 0..n-1 written straight into the fields, with the flying bar's
// position and the box count; the array angle goes into ArrayTilt.
inline void SetArray(double barX, double barZ, double tilt, const std::vector<QString>& types,
                     const std::vector<QString>& positions)
{
    auto& form = Principale();
    form.Area[0].SetText(QString::number(barX).replace(QLatin1Char('.'), QLatin1Char(',')));
    form.Area[1].SetText(QString::number(barZ).replace(QLatin1Char('.'), QLatin1Char(',')));
    form.Area[4].SetText(QString::number(types.size()));
    ArrayTilt = tilt;
    for (std::size_t i = 0; i < types.size(); ++i) {
        form.Tipo[i].SetText(types[i]);
        form.Position[i].SetText(positions[i]);
    }
}

} // namespace testmodules
