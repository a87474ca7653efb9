#include "VenueFixture.h"
#include "vertical_view/DiagramAxes.h"

#include <QStringList>
#include <vector>

namespace {

template <std::size_t N>
QStringList VisibleCaptions(const std::array<Label, N>& labels)
{
    QStringList captions;
    for (const Label& l : labels)
        if (l.Visible())
            captions << l.Caption();
    return captions;
}

template <std::size_t N>
int VisibleCount(const std::array<LineElement*, N>& lines)
{
    int n = 0;
    for (const LineElement* l : lines)
        n += l->Visible() ? 1 : 0;
    return n;
}

QStringList Numbers(long long first, long long step, int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QString::number(first + step * i);
    return list;
}

// Standard steps: 3..4 -> 5, 6..9 -> 10, above 10 the next multiple of 10 that is no multiple of 3;
// the SPL distance axis also passes over 40. A step never falls below 1.
TEST(StandardStepRule, RaisesRawStepsToTheStandardOnes)
{
    struct Case {
        long long raw, step, stepSkippingForty;
    };
    const std::vector<Case> cases = {
        {-3, 1, 1}, {0, 1, 1}, {1, 1, 1}, {2, 2, 2}, {3, 5, 5}, {4, 5, 5}, {5, 5, 5}, {6, 10, 10},
        {9, 10, 10}, {10, 10, 10}, {11, 20, 20}, {20, 20, 20}, {21, 40, 50}, {30, 40, 50}, {40, 40, 50},
        {41, 50, 50}, {50, 50, 50}, {51, 70, 70}, {60, 70, 70}, {70, 70, 70}, {71, 80, 80}, {80, 80, 80},
        {81, 100, 100}, {90, 100, 100}, {100, 100, 100}, {101, 110, 110}, {110, 110, 110}, {111, 130, 130},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StandardStep(c.raw), c.step) << "raw " << c.raw;
        EXPECT_EQ(StandardStep(c.raw, true), c.stepSkippingForty) << "raw " << c.raw;
    }
}

using DiagramAxes = VenueFixture;

// The starting venue: 76 m right of the stage front and 45 m above the floor are shown.
TEST_F(DiagramAxes, StartingVenueCaptionsAndGrid)
{
    UpdateDiagramAxes();
    auto& f = Form();

    EXPECT_EQ(VisibleCaptions(f.Label_Area_X), Numbers(0, 5, 16));
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(f.Label_Area_X[i].Left(), 3805 + 500 * i) << i;
        const LineElement& grid = *f.XLine[i];
        EXPECT_TRUE(grid.Visible()) << i;
        EXPECT_EQ(grid.BorderColor(), 0xDFDFDF);
        EXPECT_DOUBLE_EQ(grid.X1(), 5.0 * i);
        EXPECT_DOUBLE_EQ(grid.Y1(), -1);
        EXPECT_DOUBLE_EQ(grid.X2(), 5.0 * i);
        EXPECT_DOUBLE_EQ(grid.Y2(), 47.30095108695652);
    }
    EXPECT_EQ(VisibleCount(f.XLine), 16);

    const int zTops[] = {4725, 4225, 3725, 3225, 2725, 2225, 1725, 1225, 725, 225};
    EXPECT_EQ(VisibleCaptions(f.Label_Area_Z), Numbers(0, 5, 10));
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(f.Label_Area_Z[i].Top(), zTops[i]) << i;
        const LineElement& grid = *f.YLine[i];
        EXPECT_DOUBLE_EQ(grid.X1(), -10);
        EXPECT_DOUBLE_EQ(grid.Y1(), 5.0 * i);
        EXPECT_DOUBLE_EQ(grid.X2(), 76);
        EXPECT_DOUBLE_EQ(grid.Y2(), 5.0 * i);
    }
    EXPECT_EQ(VisibleCount(f.YLine), 10);

    // Area 1, 5 m to 35 m: 30 m across 9000 twips, a caption every 5 m from the left edge.
    EXPECT_DOUBLE_EQ(f.Diagramma_SPL.ScaleWidth(), 30);
    EXPECT_EQ(VisibleCaptions(f.Label_SPL_X), Numbers(5, 5, 7));
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(f.Label_SPL_X[i].Left(), 2805 + 1500 * i) << i;
    EXPECT_EQ(VisibleCount(f.SplXLine), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_DOUBLE_EQ(f.SplXLine[i]->X1(), 5.0 * (i + 1));
        EXPECT_EQ(f.SplXLine[i]->BorderColor(), 0xC0C0C0);
    }
}

TEST_F(DiagramAxes, VenueStepsFollowTheShownWidthAndHeight)
{
    struct Case {
        double scaleWidth;
        long long step;
        int count;
    };
    // Shown metres right of X = 0 are the scale width less 10; none at all still shows caption 0.
    const std::vector<Case> widths = {
        {60, 5, 11}, {130, 10, 13}, {260, 20, 13}, {510, 40, 13}, {86, 5, 16}, {30, 1, 21},
        {31, 2, 11}, {1010, 50, 21}, {10, 1, 1}, {7, 1, 1},
    };
    for (const Case& c : widths) {
        Form().Diagramma_Area.SetScaleWidth(c.scaleWidth);
        UpdateDiagramAxes();
        EXPECT_EQ(VisibleCaptions(Form().Label_Area_X), Numbers(0, c.step, c.count)) << "width " << c.scaleWidth;
        EXPECT_EQ(VisibleCount(Form().XLine), c.count) << "width " << c.scaleWidth;
    }
    // Shown metres above Z = 0 are the scale height less 1.
    const std::vector<Case> heights = {
        {21, 2, 11}, {46, 5, 10}, {10, 1, 10}, {101, 10, 11}, {102, 20, 6}, {1, 1, 1},
    };
    for (const Case& c : heights) {
        Form().Diagramma_Area.SetScaleHeight(-c.scaleWidth);
        UpdateDiagramAxes();
        EXPECT_EQ(VisibleCaptions(Form().Label_Area_Z), Numbers(0, c.step, c.count)) << "height " << c.scaleWidth;
        EXPECT_EQ(VisibleCount(Form().YLine), c.count) << "height " << c.scaleWidth;
    }
}

TEST_F(DiagramAxes, GridsSwitchedOffHideEveryLineButKeepTheCaptions)
{
    UpdateDiagramAxes();
    VenueGrid = VbFalse;
    SplGrid = VbFalse;
    UpdateDiagramAxes();
    EXPECT_EQ(VisibleCount(Form().XLine), 0);
    EXPECT_EQ(VisibleCount(Form().YLine), 0);
    EXPECT_EQ(VisibleCount(Form().SplXLine), 0);
    EXPECT_EQ(VisibleCount(Form().SplYLine), 0);
    EXPECT_EQ(VisibleCaptions(Form().Label_Area_X).size(), 16);
    EXPECT_EQ(VisibleCaptions(Form().Label_Area_Z).size(), 10);
    EXPECT_EQ(VisibleCaptions(Form().Label_SPL_X).size(), 7);
    EXPECT_EQ(VisibleCaptions(Form().Label_SPL_Z).size(), 7);
}

// The distance axis names venue X: the start of the area at the left edge, step multiples inside,
// and the end at the right edge when no inner caption names it.
TEST_F(DiagramAxes, SplDistanceAxisAlongTheSelectedArea)
{
    struct Case {
        double x1, x2;
        double scaleWidth;
        QStringList captions;
        int gridLines;
    };
    const std::vector<Case> cases = {
        // Start 12 is even: the raw step 2 stays, and the last inner caption is the end.
        {12.4, 47.8, 35, Numbers(12, 2, 19), 18},
        // Start 13 is odd: the step becomes 5, and the end caption 47 follows.
        {13, 47, 34, QStringList{"13", "15", "20", "25", "30", "35", "40", "45", "47"}, 7},
        // Both ends round to 3: the inner caption 4 stands on the right edge, over the end caption.
        {2.6, 3.4, 1, QStringList{"3", "4"}, 1},
        // 20 inner captions use up the labels after the start, so the end caption 401 has none; the
        // start caption 19 overlaps caption 20 and is hidden.
        {19, 401, 382, Numbers(20, 20, 20), 20},
        // Half a metre or less still gives the diagram 1 m.
        {10.2, 10.6, 1, QStringList{"10", "11"}, 1},
    };
    for (const Case& c : cases) {
        PlaceLine(*Form().Linea[2], c.x1, 10, c.x2, 12);
        SPL_SelectedAudience = 2;
        UpdateDiagramAxes();
        EXPECT_DOUBLE_EQ(Form().Diagramma_SPL.ScaleWidth(), c.scaleWidth) << c.x1 << " to " << c.x2;
        EXPECT_EQ(VisibleCaptions(Form().Label_SPL_X), c.captions) << c.x1 << " to " << c.x2;
        EXPECT_EQ(VisibleCount(Form().SplXLine), c.gridLines) << c.x1 << " to " << c.x2;
    }
}

TEST_F(DiagramAxes, SplDistanceCaptionPlaces)
{
    PlaceLine(*Form().Linea[1], 13, 0, 47, 4);
    SPL_SelectedAudience = 1;
    UpdateSplZAxis();
    UpdateDiagramAxes();
    const auto& labels = Form().Label_SPL_X;
    // 9000 twips for 34 m; captions 390 twips wide are centred on their value.
    const int lefts[] = {2805, 3334, 4658, 5981, 7305, 8629, 9952, 11276, 11805};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(labels[i].Left(), lefts[i]) << i;
    EXPECT_FALSE(labels[9].Visible());
    // Grid lines at the inner captions, across the whole level range.
    const double xs[] = {2, 7, 12, 17, 22, 27, 32};
    for (int i = 0; i < 7; ++i) {
        const LineElement& l = *Form().SplXLine[i];
        EXPECT_DOUBLE_EQ(l.X1(), xs[i]);
        EXPECT_DOUBLE_EQ(l.X2(), xs[i]);
        EXPECT_DOUBLE_EQ(l.Y1(), 120);
        EXPECT_DOUBLE_EQ(l.Y2(), 90);
    }
}

// Level steps of the SPL diagram and the colour bar for every allowed span, under any scale top.
TEST_F(DiagramAxes, LevelAxesForEverySpan)
{
    struct Case {
        std::int16_t span;
        long long diagramStep;
        int diagramCaptions;
        long long barStep;
        int barCaptions;
    };
    const std::vector<Case> cases = {
        {10, 1, 11, 1, 11}, {20, 5, 5, 1, 21}, {30, 5, 7, 2, 16},
        {40, 5, 9, 2, 21}, {50, 5, 11, 5, 11}, {60, 10, 7, 5, 13},
    };
    for (const std::uint8_t top : {100, 120, 180}) {
        for (const Case& c : cases) {
            SplScaleMax = top;
            DeltaSpl = c.span;
            UpdateDiagramAxes();
            const long long bottom = top - c.span;
            const auto& f = Form();
            EXPECT_EQ(VisibleCaptions(f.Label_SPL_Z), Numbers(bottom, c.diagramStep, c.diagramCaptions)) << c.span;
            EXPECT_EQ(VisibleCaptions(f.Label_SPL_scale), Numbers(bottom, c.barStep, c.barCaptions)) << c.span;
            // The topmost caption has no grid line.
            EXPECT_EQ(VisibleCount(f.SplYLine), c.diagramCaptions - 1) << c.span;
            EXPECT_DOUBLE_EQ(f.Diagramma_SPL.ScaleTop(), top);
            EXPECT_DOUBLE_EQ(f.Diagramma_SPL.ScaleHeight(), -c.span);
            EXPECT_DOUBLE_EQ(f.Scala.ScaleTop(), top);
            EXPECT_DOUBLE_EQ(f.Scala.ScaleHeight(), -c.span);
        }
    }
}

TEST_F(DiagramAxes, LevelCaptionPlacesAndGridFrom90To115)
{
    Form().Diagramma_SPL.SetScaleWidth(30);
    UpdateSplZAxis();
    UpdateColorScaleAxis();
    const auto& f = Form();
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(f.Label_SPL_Z[i].Top(), 7995 - 400 * i) << i;
        const LineElement& grid = *f.SplYLine[i];
        EXPECT_EQ(grid.Visible(), i < 6) << i;
        if (i < 6) {
            EXPECT_DOUBLE_EQ(grid.X1(), 0);
            EXPECT_DOUBLE_EQ(grid.X2(), 30);
            EXPECT_DOUBLE_EQ(grid.Y1(), 90 + 5 * i);
            EXPECT_DOUBLE_EQ(grid.Y2(), 90 + 5 * i);
        }
    }
    const int barTops[] = {4195, 3928, 3662, 3395, 3128, 2862, 2595, 2328, 2062, 1795, 1528, 1262, 995, 728, 462, 195};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(f.Label_SPL_scale[i].Top(), barTops[i]) << i;
}

// A span outside the preferences' range never reaches past the label pools or stops the redraw.
TEST_F(DiagramAxes, LevelSpansOutsideTheRangeStayWithinThePools)
{
    struct Case {
        std::int16_t span;
        QStringList diagram, bar;
    };
    const std::vector<Case> cases = {
        {0, QStringList{"119", "120"}, QStringList{"119", "120"}},
        {-10, QStringList{"119", "120"}, QStringList{"119", "120"}},
        {200, Numbers(-80, 20, 11), Numbers(-80, 10, 21)},
        {1000, Numbers(-880, 100, 11), Numbers(-880, 50, 21)},
    };
    for (const Case& c : cases) {
        DeltaSpl = c.span;
        EXPECT_NO_THROW(UpdateDiagramAxes()) << c.span;
        EXPECT_EQ(VisibleCaptions(Form().Label_SPL_Z), c.diagram) << c.span;
        EXPECT_EQ(VisibleCaptions(Form().Label_SPL_scale), c.bar) << c.span;
    }
}

} // namespace
