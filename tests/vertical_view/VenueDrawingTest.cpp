#include "VenuePanelFixture.h"
#include "mechanics/TestModules.h"

#include <cmath>

namespace {

constexpr double K = 0.5383831521739131;

using VenueDrawingTest = VenuePanelFixture;

struct Scale {
    double width, height, top;
};

void ExpectScale(const Picture& p, Scale s, const std::string& name)
{
    EXPECT_NEAR(p.ScaleWidth(), s.width, 1e-9) << name;
    EXPECT_NEAR(p.ScaleHeight(), s.height, 1e-9) << name;
    EXPECT_NEAR(p.ScaleTop(), s.top, 1e-9) << name;
    EXPECT_EQ(p.ScaleLeft(), -10) << name;
}

} // namespace

// The starting venue: area 4 ends at X 75 and Z 20, the bar stands at Z 8. The view is fitted by width.
TEST_F(VenueDrawingTest, StartingVenueIsFittedByWidth)
{
    EXPECT_EQ(VenueMaxX, 76);
    EXPECT_EQ(VenueMaxZ, 21);
    ExpectScale(Form().Diagramma_Area, {86, -86 * K, 86 * K - 1}, "start");
    EXPECT_EQ(Form().Diagramma_SPL.ScaleWidth(), 30);
    const auto& f = Form();
    EXPECT_EQ(Ends(*f.Linea[3]), (std::array<double, 4>{55, 16, 75, 20}));
    EXPECT_EQ(Ends(*f.Linea_Stand_Seats[3]), (std::array<double, 4>{55, 17.75, 75, 21.75}));
}

// The extents come from the bar's top, the box fronts and the visible areas' ends; the current width
// chooses the first fit, and the fits hand over to each other when the section would fall short.
TEST_F(VenueDrawingTest, ExtentsAndFits)
{
    struct Case {
        std::string name;
        QString barX, barZ;
        std::array<QString, 4> area1;
        bool otherAreasOn;
        double currentWidth;
        double maxX;
        int maxZ;
        Scale scale;
    };
    const std::vector<Case> cases = {
        // The worked examples: 31 x 12 from a width of 20, and 21 x 25 from a width of 41.
        {"width fit", "0", "8", {"5", "0", "30", "11"}, false, 20, 31, 12, {41, -41 * K, 41 * K - 1}},
        {"height fit", "0", "8", {"5", "0", "20", "24"}, false, 41, 21, 25, {26 / K, -26, 25}},
        // The width fit falls short of Z 61 and hands over to the height fit.
        {"width to height", "0", "8", {"5", "0", "40", "60"}, false, 20, 41, 61, {62 / K, -62, 61}},
        // The height fit falls short of X 121 and hands over to the width fit.
        {"height to width", "0", "8", {"5", "0", "120", "3"}, false, 500, 121, 9, {131, -131 * K, 131 * K - 1}},
        // A box front at 25.5 and a line ending at 25.9: Int(25.9) is not above 25.5, CInt(26.5) = 26.
        {"whole part only", "25,5", "8", {"5", "0", "25,9", "0"}, false, 20, 26, 9, {36, -36 * K, 36 * K - 1}},
        // The bar alone sets the height; areas switched off count for nothing.
        {"bar height", "0", "30,5", {"5", "0", "10", "0"}, false, 20, 11, 31, {32 / K, -32, 31}},
        {"others on", "0", "8", {"5", "0", "10", "0"}, true, 20, 76, 21, {86, -86 * K, 86 * K - 1}},
    };
    for (const Case& c : cases) {
        SetUp();
        auto& f = Form();
        f.Area[0].SetText(c.barX);
        f.Area[1].SetText(c.barZ);
        CalculateArrayGeometry();
        // The outlines keep their place on the screen when the scale changes, so they are placed after.
        f.Diagramma_Area.SetScaleWidth(c.currentWidth);
        WriteArea(0, c.area1);
        for (int k = 1; k < 4; ++k)
            f.Linea[std::size_t(k)]->SetVisible(c.otherAreasOn);
        DrawAudienceAreas();
        UpdateVenueExtents();
        EXPECT_EQ(VenueMaxX, c.maxX) << c.name;
        EXPECT_EQ(VenueMaxZ, c.maxZ) << c.name;
        ExpectScale(f.Diagramma_Area, c.scale, c.name);
        // The lines are placed again in the new scale.
        EXPECT_EQ(f.Linea[0]->X2(), Val(c.area1[2])) << c.name;
        EXPECT_EQ(f.Linea_stage[1]->X1(), 0) << c.name;
    }
}

// The SPL diagram spans the selected area in whole metres, at least 1.
TEST_F(VenueDrawingTest, SplDiagramWidth)
{
    struct Case {
        double x1, x2;
        double width;
    };
    const std::vector<Case> cases = {{5, 35, 30}, {5, 35.4, 30}, {10, 10.4, 1}, {10, 10.5, 1}, {10, 11.5, 2}, {10, 8, 1}};
    for (const Case& c : cases) {
        SPL_SelectedAudience = 2;
        LineElement& l = *Form().Linea[2];
        l.SetX1(c.x1);
        l.SetX2(c.x2);
        Form().ScaleSplDiagram();
        EXPECT_EQ(Form().Diagramma_SPL.ScaleWidth(), c.width) << c.x1 << " " << c.x2;
    }
}

// Listeners stand 1.75 m or sit 1.2 m above the area line; a field holding no number leaves its end.
TEST_F(VenueDrawingTest, AudienceAreasFromTheFields)
{
    auto& f = Form();
    WriteArea(1, {"30", "1,5", "50", "abc"});
    f.Stand_Seats[1].SetCaption("Seats");
    f.Stand_Seats[2].SetCaption("stand");
    DrawAudienceAreas();
    EXPECT_EQ(Ends(*f.Linea[1]), (std::array<double, 4>{30, 1.5, 50, 4}));
    EXPECT_EQ(Ends(*f.Linea_Stand_Seats[1]), (std::array<double, 4>{30, 1.5 + 1.2, 50, 4 + 1.2}));
    // Only the exact caption "Stand" stands.
    EXPECT_EQ(Ends(*f.Linea_Stand_Seats[2]), (std::array<double, 4>{55, 10 + 1.2, 65, 12 + 1.2}));
    EXPECT_EQ(Ends(*f.Linea_Stand_Seats[0]), (std::array<double, 4>{5, 1.75, 35, 1.75}));
}

// The stage occupies the 10 m left of X 0 at the stage height and its front runs down to Z -1.
TEST_F(VenueDrawingTest, StageLines)
{
    struct Case {
        QString height;
        double z;
    };
    // A height being typed that is no number yet is drawn at the spinner's accepted value (1).
    const std::vector<Case> cases = {{"3", 3}, {"0", 0}, {"20", 20}, {"abc", 1}, {"", 1}};
    for (const Case& c : cases) {
        SetUp();
        auto& f = Form();
        f.Area[2].SetText(c.height);
        DrawStageLines();
        EXPECT_EQ(Ends(*f.Linea_stage[0]), (std::array<double, 4>{-10, c.z, 0, c.z})) << c.height.toStdString();
        EXPECT_EQ(Ends(*f.Linea_stage[1]), (std::array<double, 4>{0, c.z, 0, -1})) << c.height.toStdString();
    }
}

TEST_F(VenueDrawingTest, LowestPointReadout)
{
    struct Case {
        double minZ;
        QString caption;
    };
    const std::vector<Case> cases = {{5, "5, m"}, {12.5, "12,5 m"}, {-1.234, "-1,23 m"}, {0.4, "0,4 m"}, {104.25, "104,25 m"}};
    for (const Case& c : cases) {
        ArrayExtents.MinZ = c.minZ;
        ShowLastModuleHeight();
        EXPECT_EQ(Form().Last_module_height.Caption(), c.caption) << c.minZ;
    }
}

// The preview keeps its 1815 : 4815 shape and centres the array with half a metre to spare on the
// governing axis; an array with no extent at all still draws.
TEST_F(VenueDrawingTest, PreviewScale)
{
    struct Case {
        double minX, maxX, minZ, maxZ;
        double width, height, left, top;
    };
    const double r = 1815.0 / 4815.0;
    const std::vector<Case> cases = {
        {0, 0, 8, 8, r, -1, -r / 2, 8.5},
        {1, 2, 3, 7, 5 * r, -5, 1 - (5 * r - 1) / 2, 7.5},
        {-1, 1, 2, 3, 3, -3 / r, -1.5, 3 + (3 / r - 1) / 2},
        // Exactly the preview's shape: height governs.
        {0, 1815, 0, 4815, 4816 * r, -4816, -(4816 * r - 1815) / 2, 4815.5},
    };
    for (const Case& c : cases) {
        ArrayExtents.MinX = c.minX;
        ArrayExtents.MaxX = c.maxX;
        ArrayExtents.MinZ = c.minZ;
        ArrayExtents.MaxZ = c.maxZ;
        DrawArrayPreview();
        const Picture& p = Form().Anteprima_Cluster;
        EXPECT_NEAR(p.ScaleWidth(), c.width, 1e-9) << c.maxX;
        EXPECT_NEAR(p.ScaleHeight(), c.height, 1e-9) << c.maxX;
        EXPECT_NEAR(p.ScaleLeft(), c.left, 1e-9) << c.maxX;
        EXPECT_NEAR(p.ScaleTop(), c.top, 1e-9) << c.maxX;
    }
}

// The markers: the axis point always, the centre of gravity only with CoGOn, the origin in the preview.
TEST_F(VenueDrawingTest, PreviewMarkersWithNoModule)
{
    CoGOn = VbFalse;
    CalculateArrayGeometry();
    const Picture& p = Form().Anteprima_Cluster;
    EXPECT_EQ(p.Point(ClusterCorners[0][0], ClusterCorners[0][4]), ZeroColor);
    EXPECT_EQ(p.Point(ClusterCorners[0][0], ClusterCorners[0][4] + 0.45), VenueBackColor);
}

class VenueArrayTest : public VenuePanelFixture {
protected:
    void SetUp() override
    {
        VenuePanelFixture::SetUp();
        testmodules::LoadTestModules();
    }

    static void Hang(int n)
    {
        testmodules::SetArray(2, 10, 0, std::vector<QString>(std::size_t(n), "LA12"), std::vector<QString>(std::size_t(n), "0"));
        CalculateArrayGeometry();
    }
};

// Rows 0..N are drawn on their corners in the array colour with a ray per box; the rows below and
// their rays are hidden.
TEST_F(VenueArrayTest, EdgesAndRaysOfTheRowsInUse)
{
    for (int n : {1, 3, 16}) {
        SetUp();
        ArrayColor = 0x123456;
        Hang(n);
        const auto& f = Form();
        for (int r = 0; r <= 16; ++r) {
            const auto i = std::size_t(r);
            const bool shown = r <= n;
            EXPECT_EQ(f.Linea_destra[i]->Visible(), shown) << n << " row " << r;
            EXPECT_EQ(f.Linea_sinistra[i]->Visible(), shown) << n << " row " << r;
            EXPECT_EQ(f.Linea_inferiore[i]->Visible(), shown) << n << " row " << r;
            EXPECT_EQ(f.Linea_superiore[i]->Visible(), shown) << n << " row " << r;
            if (r >= 1) {
                EXPECT_EQ(f.Raggio[i - 1]->Visible(), shown) << n << " ray " << r;
            }
        }
        for (int r = 17; r < Form_PrincipaleControls::EdgeCount; ++r)
            EXPECT_FALSE(f.Linea_destra[std::size_t(r)]->Visible()) << r;
        const double* c = ClusterCorners[n];
        EXPECT_EQ(Ends(*f.Linea_destra[std::size_t(n)]), (std::array<double, 4>{c[0], c[4], c[1], c[5]}));
        EXPECT_EQ(Ends(*f.Linea_sinistra[std::size_t(n)]), (std::array<double, 4>{c[2], c[6], c[3], c[7]}));
        EXPECT_EQ(Ends(*f.Linea_inferiore[std::size_t(n)]), (std::array<double, 4>{c[1], c[5], c[2], c[6]}));
        EXPECT_EQ(Ends(*f.Linea_superiore[std::size_t(n)]), (std::array<double, 4>{c[0], c[4], c[3], c[7]}));
        EXPECT_EQ(f.Linea_destra[std::size_t(n)]->BorderColor(), 0x123456);
    }
}

// Every redraw invalidates the map and empties its time; the axis point is marked in the venue.
TEST_F(VenueArrayTest, RedrawInvalidatesTheMap)
{
    auto& f = Form();
    f.TimeToComplete.SetCaption("Time elapsed:3 sec.");
    SplMapValid = VbTrue;
    // Eight straight boxes under a 1 m bar: 1 m wide and 3.38 m high, so the height governs the preview.
    Hang(8);
    EXPECT_EQ(SplMapValid, VbFalse);
    EXPECT_EQ(f.TimeToComplete.Caption(), "");
    EXPECT_EQ(f.Diagramma_Area.Point(CoGAxisPoint.X, CoGAxisPoint.Z), CoGColor);
    EXPECT_EQ(f.Last_module_height.Caption(), Format(ArrayExtents.MinZ, "##0.##") + " m");
    EXPECT_NEAR(f.Anteprima_Cluster.ScaleHeight(), -(ArrayExtents.MaxZ - ArrayExtents.MinZ + 1), 1e-12);
}
