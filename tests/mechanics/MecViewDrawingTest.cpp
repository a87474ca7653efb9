#include "MecViewFixture.h"
#include "mechanics/MecViewDrawing.h"

namespace {

const QString CR = QString(QChar(13));
const QString Deg = QString(QChar(0x00B0));

} // namespace

using MecViewDrawing = MecViewFixture;

// Extents are rounded to hundredths, halves to even, and shown with the user's decimal separator;
// the widths are the differences of the rounded values, rounded again.
TEST_F(MecViewDrawing, ExtentAndDimensionTexts)
{
    struct Case {
        ArrayExtentsType extents;
        const char* maxX;
        const char* minX;
        const char* deltaX;
        const char* maxZ;
        const char* minZ;
        const char* deltaZ;
    } cases[] = {
        {{1.125, 10, -0.375, 9.1, 10, 1.125, 9.1, -0.375}, "Max X: 1,12m(Z: 10m)", "Min X: -0,38m(Z: 9,1m)", "1,5 m",
         "Max Z: 10m(X: 1,12m)", "Min Z: 9,1m(X: -0,38m)", "0,9 m"},
        {{2, 3.005, 0, -0.004, 4.25, 1.999, 0.375, 0.001}, "Max X: 2m(Z: 3m)", "Min X: 0m(Z: 0m)", "2 m",
         "Max Z: 4,25m(X: 2m)", "Min Z: 0,38m(X: 0m)", "3,87 m"},
        {{0.125, 1, -0.115, 1, 1.555, 0.1, -2.5, 0}, "Max X: 0,12m(Z: 1m)", "Min X: -0,12m(Z: 1m)", "0,24 m",
         "Max Z: 1,56m(X: 0,1m)", "Min Z: -2,5m(X: 0m)", "4,06 m"},
        // Beyond 327.67 m the hundredths no longer fit 16 bits; they are still shown.
        {{400.125, 0, 0, 0, 2, 0, -350.5, 0}, "Max X: 400,12m(Z: 0m)", "Min X: 0m(Z: 0m)", "400,12 m",
         "Max Z: 2m(X: 0m)", "Min Z: -350,5m(X: 0m)", "352,5 m"},
    };
    for (const Case& c : cases) {
        ArrayExtents = c.extents;
        UpdateMecView();
        const Form_MecView& f = MecView();
        EXPECT_EQ(f.Label_Cluster_xMax.Caption(), QString::fromUtf8(c.maxX));
        EXPECT_EQ(f.Label_Cluster_xMin.Caption(), QString::fromUtf8(c.minX));
        EXPECT_EQ(f.Label_Cluster_DeltaX.Caption(), QString::fromUtf8(c.deltaX));
        EXPECT_EQ(f.Label_Cluster_yMax.Caption(), QString::fromUtf8(c.maxZ));
        EXPECT_EQ(f.Label_Cluster_yMin.Caption(), QString::fromUtf8(c.minZ));
        EXPECT_EQ(f.Label_Cluster_DeltaY.Caption(), QString::fromUtf8(c.deltaZ));
    }
}

// The angle text holds the selected angle (the top box's position negated) and the actual one
// (corrected by the tilt from hanging), never "-0"; both are stored before the print preview draws.
TEST_F(MecViewDrawing, ArrayAngleTextAndStoredAngles)
{
    struct Case {
        const char* position;
        double hangTilt;
        double selected;
        double actual;
        const char* text;
    } cases[] = {
        {"-5", 1.5, 5, 3.5, "Selected: 5\u00B0|Actual: 3,5\u00B0"},
        {"0", 0, 0, 0, "Selected: 0\u00B0|Actual: 0\u00B0"},
        {"2,5", -0.3, -2.5, -2.2, "Selected: -2,5\u00B0|Actual: -2,2\u00B0"},
        {"-1,5", 1.5, 1.5, 0, "Selected: 1,5\u00B0|Actual: 0\u00B0"},
    };
    for (const Case& c : cases) {
        Principale().Position[0].SetText(QString::fromUtf8(c.position));
        HangTiltOffset = c.hangTilt;
        UpdateMecView();
        EXPECT_DOUBLE_EQ(SelectedArrayAngle, c.selected) << c.position;
        EXPECT_NEAR(ActualArrayAngle, c.actual, 1e-12) << c.position;
        EXPECT_DOUBLE_EQ(previewSelected, SelectedArrayAngle) << c.position;
        EXPECT_DOUBLE_EQ(previewActual, ActualArrayAngle) << c.position;
        const QString expected = QStringLiteral("Array Angle") + CR + QString::fromUtf8(c.text).replace('|', CR);
        EXPECT_EQ(MecView().Label_Error.Caption(), expected) << c.position;
    }
}

// An array without width or height draws and stores nothing, but the preview is still refreshed.
TEST_F(MecViewDrawing, FlatArrayOnlyRefreshesThePreview)
{
    UpdateMecView();
    const QString before = MecView().Label_Cluster_xMax.Caption();
    struct Case {
        double maxX, minX, maxZ, minZ;
    } cases[] = {{1, 1, 10, 9}, {2, -1, 5, 5}, {0, 0, 0, 0}};
    for (const Case& c : cases) {
        calls.clear();
        ArrayExtents = {c.maxX, 0, c.minX, 0, c.maxZ, 0, c.minZ, 0};
        Principale().Position[0].SetText(QStringLiteral("7"));
        UpdateMecView();
        EXPECT_EQ(calls, std::vector<std::string>{"UpdateMecView"});
        EXPECT_DOUBLE_EQ(SelectedArrayAngle, 5);
        EXPECT_DOUBLE_EQ(ActualArrayAngle, 3.5);
        EXPECT_EQ(MecView().Label_Cluster_xMax.Caption(), before);
    }
}

// N type labels and N - 1 splay labels are shown; the box count is at most 16, rounded half to even.
TEST_F(MecViewDrawing, BoxLabelsFollowTheBoxCount)
{
    struct Case {
        const char* count;
        int boxes;
    } cases[] = {{"2", 2}, {"1", 1}, {"17", 16}, {"16,4", 16}, {"2,5", 2}, {"3,5", 4}, {"0", 0}, {"-3", 0}};
    for (int r = 0; r < 16; ++r) {
        Principale().Tipo[r].SetText(QStringLiteral("Box%1").arg(r + 1));
        Principale().Angolo[r].SetText(QString::number(r));
    }
    for (const Case& c : cases) {
        Principale().Area[4].SetText(QString::fromUtf8(c.count));
        UpdateMecView();
        const Form_MecView& f = MecView();
        for (int i = 0; i < Form_MecView::MechLabelCount; ++i) {
            EXPECT_EQ(f.Label_Mech_Tipo[i]->Visible(), i < c.boxes) << c.count << " " << i;
            EXPECT_EQ(f.Label_Mech_Angolo[i]->Visible(), i < c.boxes - 1) << c.count << " " << i;
        }
        if (c.boxes >= 2) {
            EXPECT_EQ(f.Label_Mech_Tipo[1]->Caption(), QStringLiteral("Box2"));
            EXPECT_EQ(f.Label_Mech_Angolo[0]->Caption(), QStringLiteral("1") + Deg);
        }
    }
}

// Equal scales on both axes with a 1 m margin across the direction that governs.
TEST_F(MecViewDrawing, ArrayPictureScale)
{
    struct Case {
        ArrayExtentsType extents;
        double left, top, width, height;
    } cases[] = {
        // 1.5 m wide, 0.9 m high in a 9000 x 7125 twip picture: the width governs.
        {{1.125, 10, -0.375, 9.1, 10, 1.125, 9.1, -0.375}, -1.375, 10 + (3.5 * 7125 / 9000 - 0.9) / 2, 3.5,
         -(7125.0 / 9000 * 3.5)},
        // 1 m wide, 6 m high: the height governs.
        {{1, 0, 0, 0, 7, 0, 1, 0}, 0.5 - 8 * 9000.0 / 7125 / 2, 8, 8 * 9000.0 / 7125, -8},
    };
    for (const Case& c : cases) {
        ArrayExtents = c.extents;
        UpdateMecView();
        const Picture& pic = MecView().Anteprima_Cluster;
        EXPECT_EQ(pic.Width(), 9000);
        EXPECT_EQ(pic.Height(), 7125);
        EXPECT_NEAR(pic.ScaleLeft(), c.left, 1e-12);
        EXPECT_NEAR(pic.ScaleTop(), c.top, 1e-12);
        EXPECT_NEAR(pic.ScaleWidth(), c.width, 1e-12);
        EXPECT_NEAR(pic.ScaleHeight(), c.height, 1e-12);
    }
}

// A Max X label that would leave the picture on the right comes back inside one line lower; the
// dimension line keeps the height it had.
TEST_F(MecViewDrawing, MaxXLabelStaysInside)
{
    // A 20 m wide array: the width governs and leaves a margin of 1 m, less than the label is wide.
    ArrayExtents = {20, 5, 0, 5, 6, 20, 4, 0};
    UpdateMecView();
    const Form_MecView& f = MecView();
    const Picture& pic = f.Anteprima_Cluster;
    const LabelElement& X = f.Label_Cluster_xMax;
    const double right = pic.ScaleLeft() + pic.ScaleWidth();
    ASSERT_GT(20 + X.Height() / 2 + X.Width(), right);
    EXPECT_DOUBLE_EQ(X.Left(), right - X.Width());
    EXPECT_DOUBLE_EQ(X.Top(), pic.ScaleTop() - X.Height() / 2 - X.Height());
    EXPECT_DOUBLE_EQ(f.LineMaxX.Y1(), pic.ScaleTop() - X.Height());
}

