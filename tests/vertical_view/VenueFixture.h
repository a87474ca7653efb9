#pragma once
#include "core/ArrayState.h"
#include "core/ModuleRecord.h"
#include "core/Settings.h"
#include "core/SplState.h"
#include "forms/Form_PrincipaleControls.h"
#include "vertical_view/VerticalViewHooks.h"
#include <gtest/gtest.h>

// A fresh vertical view showing the program's starting venue, fitted by width as the window's load
// leaves it: VenueMaxX 76, the view 86 m wide from X = -10, 0.5383831521739131 times as high.
// The pictures are sized so that the venue view has 100 twips to the metre across.
class VenueFixture : public ::testing::Test {
protected:
    static constexpr double ViewRatio = 0.5383831521739131;

    void SetUp() override
    {
        UnloadPrincipale();
        ClearArrayState();
        ClearModuleTable();
        ViewHooks() = VerticalViewHooks{};
        VenueGrid = VbTrue;
        SplGrid = VbTrue;
        VenueGridColor = 0xDFDFDF;
        SplGridColor = 0xC0C0C0;
        RaysColor = 0x4080FF;
        SplScaleMax = 120;
        DeltaSpl = 30;
        SPL_SelectedAudience = 0;
        PointedStand = -1;
        VenueMaxX = 76;
        VenueMaxZ = 21;

        auto& f = Principale();
        Place(f.Diagramma_Area, 3000, 300, 8600, 4630);
        Place(f.Diagramma_SPL, 3000, 5700, 9000, 2400);
        Place(f.Scala, 12000, 300, 300, 4000);
        SetVenueScale(86);

        const double areas[4][4] = {{5, 0, 35, 0}, {35, 0, 55, 4}, {55, 10, 65, 12}, {55, 16, 75, 20}};
        for (int k = 0; k < 4; ++k) {
            PlaceLine(*f.Linea[k], areas[k][0], areas[k][1], areas[k][2], areas[k][3]);
            PlaceLine(*f.Linea_Stand_Seats[k], areas[k][0], areas[k][1] + 1.75, areas[k][2], areas[k][3] + 1.75);
        }
    }

    void TearDown() override
    {
        UnloadPrincipale();
        ViewHooks() = VerticalViewHooks{};
    }

    static Form_PrincipaleControls& Form() { return Principale(); }

    // The venue view's scale for a given width, fitted as the width fit does it.
    static void SetVenueScale(double scaleWidth)
    {
        Picture& p = Principale().Diagramma_Area;
        p.SetScaleWidth(scaleWidth);
        p.SetScaleHeight(-(scaleWidth * ViewRatio));
        p.SetScaleTop(scaleWidth * ViewRatio - 1);
        p.SetScaleLeft(-10);
    }

    static void Place(Picture& p, int left, int top, int width, int height)
    {
        p.SetLeft(left);
        p.SetTop(top);
        p.SetSize(width, height);
    }

    static void PlaceLine(LineElement& l, double x1, double y1, double x2, double y2)
    {
        l.SetX1(x1);
        l.SetY1(y1);
        l.SetX2(x2);
        l.SetY2(y2);
    }
};
