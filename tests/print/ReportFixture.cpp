#include "ReportFixture.h"
#include "core/ArrayState.h"
#include "core/ModuleRecord.h"
#include "core/Settings.h"
#include "forms/Form_PrincipaleControls.h"
#include "print/Form_PrinterProperties.h"
#include "print/PrintOptions.h"

void BuildEightBoxArray()
{
    ClearModuleTable();
    ClearArrayState();
    UnloadPrincipale();

    ModuleRecord& box = Modules[1];
    box.Model = "TV-12";
    box.BoxType = 1;
    box.FFrontLen = 80;
    box.FLen = 1000;
    box.FCHoleCount = 5;
    for (int k = 0; k < 5; ++k)
        box.FCHole[std::size_t(k)] = std::int16_t(100 + 200 * k);
    box.FSHoleCount = 3;
    box.FSHole[0] = 200;
    box.FSHole[1] = 500;
    box.FSHole[2] = 800;
    Modules[2].Model = "TV-12W";
    Modules[2].BoxType = 1;
    ModuleCount = 3;

    // The bar 0.9 m long and 0.12 m high; the boxes 0.36 m high and 0.9 m deep, stepping back 2 cm each.
    const double bar[8] = {0.9, 0.9, 0, 0, 0.12, 0, 0, 0.12};
    std::copy(bar, bar + 8, ClusterCorners[0]);
    for (int i = 1; i <= 8; ++i) {
        const double front = 0.88 - 0.02 * i;
        const double top = -0.36 * (i - 1);
        const double row[8] = {front, front, front - 0.9, front - 0.9, top, top - 0.36, top - 0.36, top};
        std::copy(row, row + 8, ClusterCorners[i]);
    }
    ArrayExtents = {0.9, 0.06, -0.18, -2.7, 0.12, 0.9, -2.88, 0.72};

    Form_PrincipaleControls& p = Principale();
    p.Area[0].SetText("1,5");
    p.Area[1].SetText("9");
    p.Area[2].SetText("0");
    p.Area[3].SetText("-3");
    p.Area[4].SetText("8");
    for (int i = 0; i < 8; ++i) {
        const std::size_t r = std::size_t(i);
        p.Tipo[r].SetText(i < 6 ? "TV-12" : "TV-12W");
        p.Angolo[r].SetText(QString::number(i));
        p.Position[r].SetText(i == 7 ? QStringLiteral("-12,5") : QString::number(-3 - i));
        InitValues[r] = {-0.5 * i, 10.0 * i};
    }

    FlyingBarHooks[0] = {0, 1, VbTrue, VbTrue};
    FlyingBarHooks[1] = {0, 3, VbTrue, VbFalse};
    HooksNumber = 2;
    WorkingMode = 0;
    ReverseMode = VbFalse;
    HookLoad = {210, 202};
    ArrayWeight = 412;
    SystemCoG = {0.413, -1.326};
    SelectedArrayAngle = -3.5;
    ActualArrayAngle = -3.72;
}

void ReportTest::SetUp()
{
    ResetPrintOptions();
    BuildEightBoxArray();
}

void ReportTest::TearDown()
{
    UnloadPrinterProperties();
    UnloadPrincipale();
    for (auto& v : InitValues)
        v = {};
}
