#pragma once
#include "acoustics/AcousticsHooks.h"
#include "core/ArrayState.h"
#include "core/ModuleRecord.h"
#include "core/NumberRules.h"
#include "core/Settings.h"
#include "core/SplState.h"
#include "mechanics/Geometry.h"
#include "mechanics/MechanicsHooks.h"
#include "platform/FakeServices.h"
#include "vertical_view/Form_Principale.h"
#include "vertical_view/VenueDrawing.h"
#include "vertical_view/VerticalViewHooks.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

// The vertical view with its design values and no load sequence. Each SPL curve redraw is counted;
// `reRequests` makes that many of them ask for another recomputation, as an edit made by the
// recomputation itself (the manual tilt) does.
class PanelPrincipale : public Form_Principale {
public:
    void Form_Load() override {}
    void ScaleSplDiagram() override
    {
        ++splRedraws;
        if (reRequests > 0) {
            --reRequests;
            SplRecalcPending = VbTrue;
        }
        Form_Principale::ScaleSplDiagram();
    }
    int splRedraws = 0;
    int reRequests = 0;
};

// A fresh window showing the starting venue fitted as the window's load leaves it (VenueMaxX 76,
// VenueMaxZ 21, the view 86 m wide), with the flags cleared and message boxes recorded.
class VenuePanelFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        svc->messages.clear();
        svc->colorAnswers.clear();
        svc->colorRequests.clear();
        SetPrincipaleFactory([] { return std::make_unique<PanelPrincipale>(); });
        UnloadPrincipale();
        ClearArrayState();
        ClearModuleTable();
        ViewHooks() = VerticalViewHooks{};
        Acoustics() = AcousticsHooks{};
        MecHooks() = MechanicsHooks{};
        SPL_SelectedAudience = 0;
        PointedStand = -1;
        PreviousValue = 0;
        SplMapValid = VbFalse;
        CoGOn = VbTrue;
        VenueBackColor = 0xFFFFFF;
        ArrayColor = 0;
        CoGColor = 0x0000FF;
        ZeroColor = 0x00FF00;
        FreqPerBand = 9;
        VenueMaxX = 0;
        VenueMaxZ = 0;

        auto& f = Form();
        Place(f.Diagramma_Area, 3000, 300, 8600, 4630);
        Place(f.Diagramma_SPL, 3000, 5700, 9000, 2400);
        Place(f.Scala, 12000, 300, 300, 4000);
        Place(f.Anteprima_Cluster, 12700, 300, 1815, 4815);
        CalculateArrayGeometry();
        UpdateVenueExtents();
        ClearFlags();
    }

    void TearDown() override
    {
        UnloadPrincipale();
        SetPrincipaleFactory(nullptr);
        ViewHooks() = VerticalViewHooks{};
        Acoustics() = AcousticsHooks{};
    }

    static PanelPrincipale& Form() { return static_cast<PanelPrincipale&>(Principale()); }

    static void ClearFlags()
    {
        ConfigChanged = VbFalse;
        TempConfigChange = VbFalse;
        SplRecalcPending = VbFalse;
        VenueSplRecalcPending = VbFalse;
    }

    static void Place(Picture& p, int left, int top, int width, int height)
    {
        p.SetLeft(left);
        p.SetTop(top);
        p.SetSize(width, height);
    }

    // Area k's four fields written as a project would write them: Change runs, LostFocus does not.
    static void WriteArea(int k, const std::array<QString, 4>& texts)
    {
        for (std::size_t j = 0; j < 4; ++j)
            Form().AudienceFields(k)[j].SetText(texts[j]);
    }

    static std::vector<QString> AreaTexts(int k)
    {
        std::vector<QString> t;
        for (const TextField& f : Form().AudienceFields(k))
            t.push_back(f.Text());
        return t;
    }

    static std::array<double, 4> Ends(const LineElement& l) { return {l.X1(), l.Y1(), l.X2(), l.Y2()}; }

    // The user enters field j of area k, types `text` and leaves for the map resolution field.
    static void Edit(int k, int j, const QString& text)
    {
        TextField& f = Form().AudienceFields(k)[std::size_t(j)];
        f.SetFocus();
        f.SetText(text);
        Form().MapRes.SetFocus();
    }

    ScopedFakeServices svc;
};
