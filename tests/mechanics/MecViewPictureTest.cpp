#include "MecViewFixture.h"
#include "mechanics/Form_MecViewView.h"
#include "mechanics/MecViewDrawing.h"
#include "platform/ControlBinder.h"
#include "platform/VbColor.h"

#include <QApplication>
#include <QLabel>

namespace {

constexpr std::int32_t Black = 0x000000;
constexpr std::int32_t Blue = 0xFF0000;
constexpr std::int32_t Green = 0x00FF00;

std::int32_t At(const QImage& image, const Picture& pic, double x, double y)
{
    return VbFromRgb(image.pixel(pic.PixelX(x), pic.PixelY(y)));
}

bool AnyBlack(const QImage& image, int x0, int y0, int x1, int y1)
{
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (image.valid(x, y) && VbFromRgb(image.pixel(x, y)) == Black)
                return true;
    return false;
}

// Whether any pixel of a label's box is drawn in black; the box grows downwards on the screen.
bool HasInk(const QImage& image, const Picture& pic, const LabelElement& label)
{
    const double bottom = pic.ScaleHeight() < 0 ? label.Top() - label.Height() : label.Top() + label.Height();
    return AnyBlack(image, pic.PixelX(label.Left()), pic.PixelY(label.Top()), pic.PixelX(label.Left() + label.Width()),
                    pic.PixelY(bottom));
}

// An open hole: its centre is not black, its ring within a few pixels is.
bool OpenHole(const QImage& image, const Picture& pic, double x, double y)
{
    const int px = pic.PixelX(x);
    const int py = pic.PixelY(y);
    return VbFromRgb(image.pixel(px, py)) != Black && AnyBlack(image, px - 6, py - 6, px + 7, py + 7);
}

} // namespace

// An array reaching down near the ground, so that the whole view can be looked at.
class MecViewPicture : public MecViewFixture {
protected:
    void SetUp() override
    {
        MecViewFixture::SetUp();
        SetRow(0, 1, 0, 4.5, 4.4);
        SetRow(1, 1, 0, 4.4, 3.4);
        SetRow(2, 1, 0, 3.4, 2.4);
        SetRow(3, 1, 0, 2.4, 1.4);
        SetRow(4, 1, 0, 1.4, 0.5);
        ArrayExtents = {1, 4.5, 0, 4.5, 4.5, 1, 0.5, 0};
        SystemCoG.X = 0.5;
        Principale().Area[4].SetText(QStringLiteral("4"));
        Hook(0, 0, 4, true);
        HookLoad = {310, 0};
        UpdateMecView();
    }
};

// The array picture shows the bar's blue front face, the box outlines, the dimension lines, the ground
// and the extent labels.
TEST_F(MecViewPicture, ArraySideViewMarks)
{
    const Form_MecView& f = MecView();
    const Picture& pic = f.Anteprima_Cluster;
    const QImage drawing = pic.Image();
    const QImage shown = pic.Composite();
    EXPECT_EQ(At(drawing, pic, 1, 4.45), Blue);
    EXPECT_EQ(At(drawing, pic, 0, 4.45), Black);
    EXPECT_EQ(At(drawing, pic, 0, 2.9), Black);
    EXPECT_EQ(At(drawing, pic, 1, 1), Black);
    EXPECT_EQ(At(drawing, pic, 0.5, 3.4), Black);
    EXPECT_NE(At(drawing, pic, 0.5, 3), Black);

    const double y = f.Label_Cluster_xMax.Top() - f.Label_Cluster_xMax.Height() / 2;
    EXPECT_EQ(At(drawing, pic, 0.3, y), Black);
    const double x = f.Label_Cluster_yMax.Left() + f.Label_Cluster_yMax.Width() / 2;
    EXPECT_EQ(At(drawing, pic, x, 2), Black);

    EXPECT_EQ(At(shown, pic, 0.5, 0), Black);
    EXPECT_NE(At(drawing, pic, 0.5, 0), Black);
    for (const LabelElement* label : {&f.Label_Cluster_xMax, &f.Label_Cluster_xMin, &f.Label_Cluster_yMax,
                                      &f.Label_Cluster_yMin, &f.Label_Error, &f.LabelGroundMecView, f.Label_Mech_Tipo[0]})
        EXPECT_TRUE(HasInk(shown, pic, *label)) << label->Caption().toStdString();
    EXPECT_EQ(f.Label_Cluster_xMax.Caption(), QStringLiteral("Max X: 1m(Z: 4,5m)"));
}

// The flying-bar picture shows the blue front end, the hooked hole filled, the free ones open and the
// centre-of-gravity line across the bar.
TEST_F(MecViewPicture, FlyingBarMarks)
{
    const Form_MecView& f = MecView();
    const Picture& pic = f.Anteprima_Flying_Bar;
    const QImage drawing = pic.Image();
    const QImage shown = pic.Composite();
    EXPECT_EQ(At(shown, pic, 100, 0), Blue);
    EXPECT_EQ(At(shown, pic, 0, 700), Black);
    EXPECT_EQ(At(shown, pic, 200, 700), Black);
    EXPECT_EQ(At(shown, pic, 70, 500), Green);
    EXPECT_EQ(At(drawing, pic, 100, 300), Black);
    EXPECT_TRUE(OpenHole(drawing, pic, 100, 360));
    EXPECT_TRUE(OpenHole(drawing, pic, 40, 850));
    EXPECT_TRUE(HasInk(shown, pic, *f.LabelCentral[4]));
    EXPECT_FALSE(f.LineCoGOutOfBar[0]->Visible());
}

// The Qt view shows the pictures where the form placed them, the load text as a label, and gives the
// form the size a person drags the window to.
TEST_F(MecViewPicture, QtViewShowsAndResizesTheForm)
{
    Form_MecView& f = MecView();
    Form_MecViewView view(f);
    const QImage grabbed = view.grab().toImage();
    ASSERT_EQ(grabbed.width(), 900);
    ASSERT_EQ(grabbed.height(), 500);
    const Picture& bar = f.Anteprima_Flying_Bar;
    const int left = ControlBinder::Px(bar.Left());
    const int top = ControlBinder::Px(bar.Top());
    EXPECT_EQ(VbFromRgb(grabbed.pixel(left + bar.PixelX(100), top + bar.PixelY(0))), Blue);
    const Picture& array = f.Anteprima_Cluster;
    EXPECT_EQ(VbFromRgb(grabbed.pixel(array.PixelX(1), ControlBinder::Px(array.Top()) + array.PixelY(4.45))), Blue);

    bool loadShown = false;
    for (const QLabel* label : view.findChildren<QLabel*>())
        loadShown = loadShown || label->text() == QStringLiteral("310 kg on selected hook");
    EXPECT_TRUE(loadShown);

    view.show();
    QApplication::processEvents();
    view.resize(1200, 700);
    QApplication::processEvents();
    EXPECT_EQ(f.Width(), 18000);
    EXPECT_EQ(f.Height(), 10500);
    EXPECT_EQ(f.Anteprima_Cluster.Width(), 12000);
    EXPECT_EQ(f.Anteprima_Flying_Bar.Left(), 12000);
    EXPECT_EQ(f.Anteprima_Cluster.Height(), 10500 - 375);
    EXPECT_DOUBLE_EQ(f.Anteprima_Cluster.ScaleHeight(), -6);
}
