#pragma once
#include "acoustics/AcousticsHooks.h"
#include "acoustics/MapRun.h"
#include "acoustics/SplDiagram.h"
#include "core/ArrayState.h"
#include "core/ModuleRecord.h"
#include "core/Settings.h"
#include "core/SplState.h"
#include "forms/Form_PrincipaleControls.h"
#include "platform/FakeServices.h"

#include <algorithm>
#include <gtest/gtest.h>

// Every acoustics test starts from a fresh vertical view, an empty module table and array, default
// scale settings, an empty map and no hooks, with scripted services.
class AcousticsTest : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }

    static void Reset()
    {
        UnloadPrincipale();
        SetPrincipaleFactory(nullptr);
        ClearModuleTable();
        ClearArrayState();
        Acoustics() = {};
        BandLines = {};
        std::fill(SourcePoints.begin(), SourcePoints.end(), SourcePoint{});
        std::fill(SPLMapRow(0), SPLMapRow(0) + std::size_t(SplMapRows) * SplMapCols, std::int16_t(0));
        MapSize = {};
        SplMapValid = VbFalse;
        StopSimulation = VbFalse;
        SplFloor = 0;
        ProgressPercent = 0;
        SplScaleMax = 120;
        DeltaSpl = 30;
        SplBackColor = 0xEFEFEF;
        SplForeColor = 0;
        SplDiagramSourceRes = 0.02;
        SplDiagramSteps = 100;
        InitValues = {};
        FreqPerBand = 9;
        SPL_SelectedAudience = 0;
        VenueMaxX = 0;
        VenueMaxZ = 0;
        SplLinePoints = {};
    }

    // Loads module `slot` with a front of frontMm millimetres; profile levels and delays are zero.
    static ModuleRecord& AddModule(int slot, const QString& model, std::uint8_t boxType, std::int16_t frontMm)
    {
        ModuleRecord& m = Modules[std::size_t(slot)];
        m.Model = model;
        m.BoxType = boxType;
        m.FrontLen = frontMm;
        ModuleCount = std::max<std::int16_t>(ModuleCount, std::int16_t(slot + 1));
        return m;
    }

    // Box row `row` (1..16) with its front-top and front-bottom corners.
    static void PlaceBox(int row, double x1, double z1, double x2, double z2)
    {
        ClusterCorners[row][0] = x1;
        ClusterCorners[row][4] = z1;
        ClusterCorners[row][1] = x2;
        ClusterCorners[row][5] = z2;
    }

    ScopedFakeServices svc;
};
