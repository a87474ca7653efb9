#pragma once
#include "core/ArrayState.h"
#include "core/ModuleRecord.h"
#include "core/NumberRules.h"
#include "core/Settings.h"
#include "forms/Form_PrincipaleControls.h"
#include "mechanics/Form_MecView.h"
#include "mechanics/MecViewHooks.h"
#include "platform/ComboList.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

// A fresh mechanical view over a hand-built module and array. The hooks answer the lookups the way
// the catalogue and the geometry do and write every other call into `calls`; the redraw shows up as
// "UpdateMecView" because the print preview starts it.
class MecViewFixture : public ::testing::Test {
protected:
    static constexpr int Bar = 1;

    std::vector<std::string> calls;
    double previewSelected = 0;
    double previewActual = 0;

    void SetUp() override
    {
        ClearArrayState();
        ClearModuleTable();
        UnloadMecView();
        UnloadPrincipale();
        ConfigChanged = VbFalse;
        TempConfigChange = VbFalse;
        SplRecalcPending = VbFalse;
        CurrentView = 1;
        ProjectFileName = QStringLiteral("new.lac");
        CoGColor = 0xFF00;

        MecViewHooks& h = MecViewCalls();
        h = MecViewHooks{};
        h.PointDistance = [](double x1, double y1, double x2, double y2) {
            return CInt(std::sqrt((x1 - x2) * (x1 - x2) + (y1 - y2) * (y1 - y2)));
        };
        h.CalculateArrayGeometry = [this] { calls.push_back("CalculateArrayGeometry"); };
        h.UpdateMechanics = [this] { calls.push_back("UpdateMechanics"); };
        h.CalculateSplDiagram = [this] { calls.push_back("CalculateSplDiagram"); };
        h.PrintClusterConfiguration = [this] {
            calls.push_back("UpdateMecView");
            previewSelected = SelectedArrayAngle;
            previewActual = ActualArrayAngle;
        };

        BuildModule();
        BuildArray();
    }

    void TearDown() override
    {
        UnloadMecView();
        UnloadPrincipale();
        MecViewCalls() = MecViewHooks{};
        ClearArrayState();
        ClearModuleTable();
    }

    // A bar 1000 mm long and 200 mm wide: 15 central holes every 60 mm from 60, and side holes at
    // 150, 500 and 850 mm on the lines 40 mm in from each long edge.
    void BuildModule()
    {
        ModuleRecord& m = Modules[Bar];
        m.Model = QStringLiteral("TB12");
        m.FLen = 1000;
        m.FY_Len = 200;
        m.FSHole_Y = 40;
        m.FCHoleCount = 15;
        for (int i = 0; i < 15; ++i)
            m.FCHole[i] = static_cast<std::int16_t>(60 * (i + 1));
        m.FSHoleCount = 3;
        m.FSHole[0] = 150;
        m.FSHole[1] = 500;
        m.FSHole[2] = 850;
        ModuleCount = 2;
        Principale().Tipo[0].SetText(QStringLiteral("TB12"));
        Principale().Tipo[1].SetText(QStringLiteral("TB12"));
        Principale().Angolo[1].SetText(QStringLiteral("3"));
    }

    static void SetRow(int r, double frontX, double backX, double topZ, double bottomZ)
    {
        const double row[8] = {frontX, frontX, backX, backX, topZ, bottomZ, bottomZ, topZ};
        std::copy(row, row + 8, ClusterCorners[r]);
    }

    // A bar over two boxes 1.5 m deep, front at X 1.125, back at -0.375; from Z 10 down to 9.1.
    // The bar's horizontal span is 1.5 m, so a centre of gravity at X 0.375 lies at 500 mm.
    void BuildArray()
    {
        SetRow(0, 1.125, -0.375, 10, 9.9);
        SetRow(1, 1.125, -0.375, 9.9, 9.5);
        SetRow(2, 1.125, -0.375, 9.5, 9.1);
        ArrayExtents = {1.125, 10, -0.375, 9.1, 10, 1.125, 9.1, -0.375};
        SystemCoG = {0.375, 9.5};
        Principale().Area[4].SetText(QStringLiteral("2"));
        Principale().Position[0].SetText(QStringLiteral("-5"));
        HangTiltOffset = 1.5;
    }

    // The X of the centre of gravity that puts its line at yc millimetres down the bar.
    static double CoGXForLine(double yc) { return 1.125 - yc / 1000 * 1.5; }

    static void Hook(int k, int row, int hole, bool placed, bool active = false)
    {
        FlyingBarHooks[k] = {row, static_cast<std::int16_t>(hole), ToVbBool(placed), ToVbBool(active)};
    }
};
