#include "export/ExportFixture.h"
#include "acoustics/RenderSim.h"
#include "acoustics/modColor.h"
#include "platform/VbColor.h"

#include <QStringList>
#include <vector>

namespace {

std::int32_t Painted(std::int16_t r, std::int16_t g, std::int16_t b) { return PaintedColor({r, g, b}); }

struct Pixel {
    int x, y;
    std::int32_t colour;
    const char* what;
};

template <std::size_t N>
void ExpectPixels(const Pixel (&pixels)[N])
{
    for (const Pixel& p : pixels)
        EXPECT_EQ(SplMapExport().picMapPreview.GetPixel(p.x, p.y), p.colour) << p.what;
}

QStringList VisibleCaptions(const auto& labels)
{
    QStringList shown;
    for (const LabelElement* l : labels)
        if (l->Visible())
            shown << l->Caption();
    return shown;
}

TEST(ExportLabelSteps, DistanceStepsAimAtTwentyCaptions)
{
    struct Case {
        int range, first, step;
    };
    const Case cases[] = {
        {15, 0, 1},   {25, 0, 2},   {25, 3, 5},   // an odd first caption never sits beside an even one
        {25, 4, 2},   {45, 0, 5},   {100, 0, 10}, {250, 0, 20},
        {600, 0, 40}, {1000, 0, 70},              // 60 is a multiple of 3
        {199, 0, 10}, {200, 0, 20},
        {0, 0, 1},    {-5, 0, 1},                 // no range at all still steps forward
    };
    for (const Case& c : cases)
        EXPECT_EQ(HorizontalLabelStep(c.range, c.first), c.step) << c.range << " from " << c.first;
}

TEST(ExportLabelSteps, HeightStepsAimAtTenCaptions)
{
    struct Case {
        int zMax, step;
    };
    const Case cases[] = {{7, 1}, {10, 1}, {11, 2}, {20, 2}, {25, 5}, {60, 10}, {150, 20}, {0, 1}, {-3, 1}};
    for (const Case& c : cases)
        EXPECT_EQ(VerticalLabelStep(c.zMax), c.step) << c.zMax;
}

TEST(ExportCaption, ProjectTitleStopsAtTheFirstDotAfterTheLastSeparator)
{
    struct Case {
        const char* path;
        const char* title;
    };
    const Case cases[] = {
        {"new.lac", "new"},
        {"hall.concert.lac", "hall"},
        {"/home/eva/projects/hall.concert.lac", "hall"},
        {"C:\\Projects\\hall.concert.lac", "hall"},
        {"/home/eva/v1.2\\mixed/hall.lac", "hall"},
        {"/home/eva/v1.2/hall", "hall"},   // a dot in a folder name does not count
        {"hall", "hall"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProjectTitle(QString::fromUtf8(c.path)), QString::fromUtf8(c.title)) << c.path;
}

TEST_F(ExportTest, AUniformMapFillsThePlotInsideItsFrameWithTheBarBeside)
{
    FillMap(30, 80, 9375);
    ASSERT_TRUE(BuildSplMapPicture());
    EXPECT_EQ(SplFloor, 9000);

    const std::int32_t map = Painted(0, 128, 160);
    int others = 0;
    for (int y = 21; y < 20 + PlotH; ++y)
        for (int x = 21; x < 20 + PlotW; ++x)
            others += At(x, y) != map ? 1 : 0;
    EXPECT_EQ(others, 0) << "the plot inside its frame shows one colour";

    const Pixel pixels[] = {
        {20, 20, Black, "plot frame, top left"},
        {972, 20, Black, "plot frame, top right"},
        {20, 658, Black, "plot frame, bottom left"},
        {972, 658, Black, "plot frame, bottom right"},
        {972, 300, Black, "plot frame, right edge over the last map column"},
        {20, 660, Black, "left-edge tick"},
        {20, 661, White, "below the tick"},
        {19, 300, White, "left of the plot"},
        {973, 300, White, "right of the plot"},
        {500, 659, White, "below the plot, no grid"},
        {1001, 20, Black, "bar frame, top left"},
        {1007, 20, Black, "bar frame, top right"},
        {1001, 658, Black, "bar frame, bottom left"},
        {1007, 658, Black, "bar frame, bottom right"},
        {1007, 300, Black, "bar frame's right edge through the bar"},
        {1008, 20, Painted(255, 0, 0), "bar, top row: the top of the scale"},
        {1004, 300, Painted(64, 255, 0), "bar row 280, between yellow and green"},
        {1011, 657, Painted(0, 5, 37), "bar, bottom row"},
        {1011, 658, White, "below the bar"},
        {1000, 300, White, "left of the bar"},
    };
    ExpectPixels(pixels);
}

TEST_F(ExportTest, MapPixelsTakeTheRampColoursOfTheirCells)
{
    // Three columns: j = 0 up to x = 237, j = 1 up to x = 713, j = 2 beyond.
    FillMap(0, 2, 0);
    SPLMap(0, 0) = 11250;   // exactly T3
    SPLMap(0, 1) = 8000;    // below the floor
    SPLMap(0, 2) = 12500;   // above the top
    ASSERT_TRUE(BuildSplMapPicture());
    struct Case {
        int x;
        std::int32_t colour;
    };
    const Case cases[] = {{20 + 100, Painted(255, 255, 0)}, {20 + 400, Painted(0, 0, 32)}, {20 + 900, Painted(255, 0, 0)}};
    for (const Case& c : cases)
        for (int y : {21, 300, 657})
            EXPECT_EQ(At(c.x, y), c.colour) << c.x << ", " << y;
}

TEST_F(ExportTest, BeforeAnyRunEveryPlotPixelShowsTheFirstCell)
{
    SPLMap(0, 0) = 12000;
    SPLMap(5, 5) = 9000;
    ASSERT_TRUE(BuildSplMapPicture());
    for (int y : {21, 400, 657})
        for (int x : {21, 500, 971})
            EXPECT_EQ(At(x, y), Painted(255, 0, 0)) << x << ", " << y;
}

TEST_F(ExportTest, GridLinesEndInBlackTicksOutsideThePlot)
{
    VenueGrid = VbTrue;
    FillMap(0, 0, 9375);
    ASSERT_TRUE(BuildSplMapPicture());
    const std::int32_t map = Painted(0, 128, 160);
    // 10 m lies at x = 20 + 95.2; height 0 at y = 20 + 20 x 638 / 21 = 627.6 and 10 m at 323.8.
    const Pixel pixels[] = {
        {115, 300, 0xDFDFDF, "grid at 10 m"},
        {115, 659, Black, "tick below 10 m"},
        {115, 660, Black, "tick end"},
        {115, 661, White, "below the tick"},
        {114, 300, map, "beside the grid line"},
        {972, 300, Black, "the frame closes over the grid at 100 m"},
        {300, 628, 0xDFDFDF, "grid at height 0"},
        {18, 628, Black, "tick left of height 0"},
        {19, 324, Black, "tick left of 10 m"},
        {17, 628, White, "left of the tick"},
        {300, 20, Black, "the frame closes over the grid at 20 m"},
    };
    ExpectPixels(pixels);
}

TEST_F(ExportTest, WithoutGridNoTicksButTheLeftEdgeOne)
{
    FillMap(0, 0, 9375);
    ASSERT_TRUE(BuildSplMapPicture());
    EXPECT_EQ(At(115, 300), Painted(0, 128, 160));
    EXPECT_EQ(At(115, 660), White);
    EXPECT_EQ(At(18, 628), White);
    EXPECT_EQ(At(20, 660), Black);
}

TEST_F(ExportTest, DistanceAndHeightCaptionsSitOnTheirPositions)
{
    ASSERT_TRUE(BuildSplMapPicture());
    Form_SplMapExport& form = SplMapExport();
    EXPECT_EQ(VisibleCaptions(form.Label_Area_X),
              QStringList({"0", "10", "20", "30", "40", "50", "60", "70", "80", "90", "100"}));
    EXPECT_EQ(VisibleCaptions(form.Label_Area_Z),
              QStringList({"0", "2", "4", "6", "8", "10", "12", "14", "16", "18", "20"}));
    struct Place {
        const LabelElement* label;
        double left, top;
    };
    const Place places[] = {
        {form.Label_Area_X[0], 5, 664},    // centred on the plot's left edge, 30 wide, 13 high
        {form.Label_Area_X[1], 100, 664},  // 10 m at x = 115
        {form.Label_Area_X[10], 957, 664}, // 100 m at the right edge
        {form.Label_Area_Z[0], 0, 622},    // right edge on the plot's, 20 wide; height 0 at y = 628
        {form.Label_Area_Z[5], 0, 318},    // 10 m at y = 324
        {form.Label_Area_Z[10], 0, 14},    // 20 m on the top edge
        {&form.Label_Axis_X, 973, 664},
        {&form.Label_Axis_Z, 2, 2},
        {&form.Label_Axis_dB, 982, 2},
    };
    for (const Place& p : places) {
        EXPECT_EQ(p.label->Left(), p.left) << p.label->Caption().toStdString();
        EXPECT_EQ(p.label->Top(), p.top) << p.label->Caption().toStdString();
        EXPECT_TRUE(p.label->Visible()) << p.label->Caption().toStdString();
    }
}

TEST_F(ExportTest, AnOddFirstDistanceStaysAtTheLeftEdgeWithTheStepMultiplesAfterIt)
{
    ArrayExtents.MaxX = 2;   // the map starts at 3 m
    SetVenue(28, 20);        // 25 m of range: step 5 instead of 2
    ASSERT_TRUE(BuildSplMapPicture());
    Form_SplMapExport& form = SplMapExport();
    EXPECT_EQ(VisibleCaptions(form.Label_Area_X), QStringList({"3", "5", "10", "15", "20", "25"}));
    EXPECT_EQ(form.Label_Area_X[1]->Left(), 96 - 15);   // 5 m at 20 + 2 x 952 / 25 = 96.2
}

TEST_F(ExportTest, LevelCaptionsKeepTheirPlacesAlongTheBar)
{
    Form_PrincipaleControls& main = Principale();
    main.Scala.SetTop(1000);
    main.Scala.SetHeight(3000);
    for (int k = 0; k < 7; ++k) {
        main.Label_SPL_scale[std::size_t(k)].SetCaption(QString::number(120 - 5 * k));
        main.Label_SPL_scale[std::size_t(k)].SetTop(1000 + 300 * k);
        main.Label_SPL_scale[std::size_t(k)].SetVisible(true);
    }
    main.Label_SPL_scale[9].SetVisible(true);   // past the first hidden one: not counted
    ASSERT_TRUE(BuildSplMapPicture());
    Form_SplMapExport& form = SplMapExport();
    EXPECT_EQ(VisibleCaptions(form.Label_Scale), QStringList({"120", "115", "110", "105", "100", "95", "90"}));
    const double tops[] = {26, 90, 154, 218, 282, 346, 409};   // 20 + k / 10 x 638 + 6.5, halves to even
    for (std::size_t k = 0; k < 7; ++k) {
        EXPECT_EQ(form.Label_Scale[k]->Top(), tops[k]) << k;
        EXPECT_EQ(form.Label_Scale[k]->Left(), 982) << k;   // as designed, under the level unit
    }
}

TEST_F(ExportTest, CaptionsOfAnEarlierBuildAreHiddenByTheNextOne)
{
    Form_PrincipaleControls& main = Principale();
    for (int k = 0; k < 7; ++k)
        main.Label_SPL_scale[std::size_t(k)].SetVisible(true);
    ASSERT_TRUE(BuildSplMapPicture());
    for (int k = 4; k < 7; ++k)
        main.Label_SPL_scale[std::size_t(k)].SetVisible(false);
    SetVenue(5, 5);
    ASSERT_TRUE(BuildSplMapPicture());
    Form_SplMapExport& form = SplMapExport();
    EXPECT_EQ(VisibleCaptions(form.Label_Area_X), QStringList({"0", "1", "2", "3", "4", "5"}));
    EXPECT_EQ(VisibleCaptions(form.Label_Area_Z), QStringList({"0", "1", "2", "3", "4", "5"}));
    EXPECT_EQ(VisibleCaptions(form.Label_Scale).size(), 4);
}

TEST_F(ExportTest, ARebuildStartsFromAWhitePicture)
{
    VenueGrid = VbTrue;
    ASSERT_TRUE(BuildSplMapPicture());
    ASSERT_EQ(At(115, 660), Black);   // the tick at 10 m
    SetVenue(60, 20);                 // now 10 m lies at x = 20 + 158.7
    ASSERT_TRUE(BuildSplMapPicture());
    EXPECT_EQ(At(115, 660), White);
    EXPECT_EQ(At(179, 660), Black);
}

TEST_F(ExportTest, SwitchedOnAudienceAreasAreDrawnInTheirColours)
{
    FillMap(0, 0, 9375);
    Form_PrincipaleControls& main = Principale();
    const char* fields[2][4] = {{"10", "5", "50", "5"}, {"10", "10", "50", "10"}};
    for (int k = 0; k < 2; ++k) {
        main.Elemento_Venue_Pulsante[std::size_t(k)].SetCaption(k == 0 ? QStringLiteral("On") : QStringLiteral("Off"));
        main.Elemento_Venue_Colore[std::size_t(k)].SetBackColor(k == 0 ? VbRGB(255, 0, 0) : VbRGB(0, 255, 0));
        for (int f = 0; f < 4; ++f)
            main.AudienceFields(k)[std::size_t(f)].SetText(QString::fromLatin1(fields[k][f]));
    }
    ASSERT_TRUE(BuildSplMapPicture());
    // Height 5 m lies at y = 20 + 15 x 638 / 21 = 475.7; the line is drawn 2 pixels higher.
    EXPECT_EQ(At(300, 474), VbRGB(255, 0, 0));
    EXPECT_EQ(At(115, 474), VbRGB(255, 0, 0));   // starts at 10 m
    EXPECT_EQ(At(600, 474), Painted(0, 128, 160));
    // The area switched off would lie at y = 321.8.
    EXPECT_EQ(At(300, 322), Painted(0, 128, 160));
}

TEST_F(ExportTest, TheCaptionLineNamesTheProjectAndTheRunSettings)
{
    ProjectFileName = QStringLiteral("/home/eva/projects/hall.concert.lac");
    Form_PrincipaleControls& main = Principale();
    main.Frequency.SetText(QStringLiteral("63 Hz"));
    main.Bandwidth.SetText(QStringLiteral("1/6 Octave"));
    main.Frequency_Num.SetText(QStringLiteral("High"));
    main.Temperature.SetText(QStringLiteral("20 °C"));
    main.SourceRes.SetText(QStringLiteral("0,05"));
    main.MapRes.SetText(QStringLiteral("0,5"));
    ASSERT_TRUE(BuildSplMapPicture());
    const LabelElement& caption = SplMapExport().Etichetta_Diagramma;
    EXPECT_EQ(caption.Caption(), QStringLiteral("Project: 'hall' - 63 Hz - 1/6 Octave, High Accuracy - 20 °C - "
                                                "Source Res: 0,05m - Map Res: 0,5m"));
    EXPECT_TRUE(caption.Visible());
    EXPECT_EQ(caption.Left(), 25);
    EXPECT_EQ(caption.Top(), 2);
}

TEST_F(ExportTest, TheBuildYieldsOncePerRowAndShowsItsProgress)
{
    std::vector<int> progress;
    SplMapExport().ProgressBar.Changed = [&] { progress.push_back(SplMapExport().ProgressBar.Value()); };
    ASSERT_TRUE(BuildSplMapPicture());
    EXPECT_EQ(svc->doEventsCalls, PlotH);
    ASSERT_EQ(progress.size(), std::size_t(PlotH));
    EXPECT_EQ(progress.front(), 0);
    EXPECT_EQ(progress[318], 50);   // 318 / 637 x 100 = 49.9
    EXPECT_EQ(progress.back(), 100);
    EXPECT_FALSE(SplMapExportBuildActive());
}

TEST_F(ExportTest, AStopRequestEndsTheBuildAfterItsPause)
{
    FillMap(0, 0, 9375);
    bool activeInside = false;
    svc->onDoEvents = [&] {
        activeInside = SplMapExportBuildActive();
        if (svc->doEventsCalls == 5)
            StopSplMapExportBuild();
    };
    EXPECT_FALSE(BuildSplMapPicture());
    EXPECT_TRUE(activeInside);
    EXPECT_FALSE(SplMapExportBuildActive());
    EXPECT_EQ(svc->doEventsCalls, 5);
    EXPECT_EQ(At(500, 23), Painted(0, 128, 160));   // rows 0..3 were painted
    EXPECT_EQ(At(500, 24), White);
    EXPECT_FALSE(SplMapExport().Etichetta_Diagramma.Visible());

    // A stop asked for when no build runs does not reach the next one.
    StopSplMapExportBuild();
    svc->onDoEvents = nullptr;
    EXPECT_TRUE(BuildSplMapPicture());
}

TEST_F(ExportTest, DegenerateVenuesAndScalesBuildWithoutDividingByZero)
{
    ArrayExtents.MaxX = 5;
    DeltaSpl = 0;
    Principale().Diagramma_Area.SetScaleWidth(0.4);   // no width: Xmax -10, below the map start
    Principale().Diagramma_Area.SetScaleHeight(-0.4); // no height: Zmax -1
    Principale().Elemento_Venue_Pulsante[0].SetCaption(QStringLiteral("On"));
    Principale().Audience1[0].SetText(QStringLiteral("10"));
    ASSERT_TRUE(BuildSplMapPicture());
    Form_SplMapExport& form = SplMapExport();
    EXPECT_EQ(VisibleCaptions(form.Label_Area_X), QStringList({"6"}));
    EXPECT_EQ(VisibleCaptions(form.Label_Area_Z), QStringList({"0"}));
    EXPECT_EQ(form.Label_Area_Z[0]->Top(), 652);   // height 0 on the bottom edge: 658 - 6.5 + 1, halves to even
    EXPECT_EQ(At(500, 300), Painted(0, 0, 32));   // a scale without span: everything below its top
}

} // namespace
