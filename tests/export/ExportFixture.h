#pragma once
#include "acoustics/AcousticsFixture.h"
#include "export/ExportColorMap.h"
#include "export/ExportHooks.h"
#include "export/Form_SplMapExport.h"
#include "core/ArrayState.h"

// Export tests start with a fresh export window, the map starting at 0 m (the array's largest X at
// -1 m), a venue view reaching 100 m to the right and 20 m up, every audience area off, the grid off
// and "new.lac".
// The picture is 1012 by 688 pixels, so its plot is 952 by 638.
class ExportTest : public AcousticsTest {
protected:
    static constexpr int PlotW = 952;
    static constexpr int PlotH = 638;
    static constexpr std::int32_t White = 0xFFFFFF;
    static constexpr std::int32_t Black = 0x000000;

    void SetUp() override
    {
        AcousticsTest::SetUp();
        // As the program's start-up connects them: the map run tells the export window about runs.
        Acoustics().mapRunStartedOrEnded = SplMapExportFollowMapRun;
        ExportCalls() = {};
        UnloadSplMapExport();
        ProjectFileName = QStringLiteral("new.lac");
        VenueGrid = VbFalse;
        VenueGridColor = 0xDFDFDF;
        ArrayExtents.MaxX = -1;
        SetVenue(100, 20);
        // The window starts with every audience area on; these pictures start without audience lines.
        for (CommandButton& area : Principale().Elemento_Venue_Pulsante)
            area.SetCaption(QStringLiteral("Off"));
    }
    void TearDown() override
    {
        UnloadSplMapExport();
        AcousticsTest::TearDown();
    }

    // The venue view's scale: xMax metres right of 0, zMax metres up.
    static void SetVenue(double xMax, double zMax)
    {
        Picture& venue = Principale().Diagramma_Area;
        venue.SetScaleWidth(xMax + 10);
        venue.SetScaleHeight(-(zMax + 1));
    }

    // A map of rows 0..lastRow and columns 0..lastColumn, every cell at `level`.
    static void FillMap(int lastRow, int lastColumn, std::int16_t level)
    {
        MapSize = {std::int16_t(lastRow), std::int16_t(lastColumn)};
        for (int i = 0; i <= lastRow; ++i)
            std::fill(SPLMapRow(i), SPLMapRow(i) + lastColumn + 1, level);
    }

    static Picture& Pic() { return SplMapExport().picMapPreview; }
    static std::int32_t At(int x, int y) { return Pic().GetPixel(x, y); }
};
