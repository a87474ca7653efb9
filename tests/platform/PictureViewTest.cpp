#include "platform/Picture.h"
#include "platform/PictureView.h"
#include "platform/VbColor.h"
#include <QCursor>
#include <QImage>
#include <QPixmap>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct MouseCall {
    std::string hook;
    int button;
    int shift;
    double x;
    double y;
    bool operator==(const MouseCall&) const = default;
};

std::ostream& operator<<(std::ostream& out, const MouseCall& c)
{
    return out << c.hook << "(" << c.button << ", " << c.shift << ", " << c.x << ", " << c.y << ")";
}

// Records every hook the view calls, in order.
void Record(Picture& p, std::vector<MouseCall>& calls)
{
    auto hook = [&calls](const char* name) {
        return [&calls, name](int button, int shift, double x, double y) { calls.push_back({name, button, shift, x, y}); };
    };
    p.MouseDown = hook("MouseDown");
    p.MouseMove = hook("MouseMove");
    p.MouseUp = hook("MouseUp");
    p.Click = [&calls] { calls.push_back({"Click", 0, 0, 0, 0}); };
    p.DblClick = [&calls] { calls.push_back({"DblClick", 0, 0, 0, 0}); };
}

} // namespace

TEST(PictureView, FollowsThePicturesPlaceSizeVisibilityAndPointer)
{
    QWidget form;
    Picture p(150, 300, 2250, 1500);
    PictureView view(p, &form);
    EXPECT_EQ(view.geometry(), QRect(10, 20, 150, 100));
    p.SetSize(1500, 750);
    p.SetLeft(30);
    EXPECT_EQ(view.geometry(), QRect(2, 20, 100, 50));
    p.SetVisible(false);
    EXPECT_TRUE(view.isHidden());
    p.SetVisible(true);
    EXPECT_FALSE(view.isHidden());
    p.SetEnabled(false);
    EXPECT_FALSE(view.isEnabled());

    struct Case {
        int pointer;
        Qt::CursorShape shape;
    } cases[] = {{0, Qt::ArrowCursor}, {2, Qt::CrossCursor}, {99, Qt::BitmapCursor}, {0, Qt::ArrowCursor}};
    for (const Case& c : cases) {
        p.SetMousePointer(c.pointer);
        EXPECT_EQ(view.cursor().shape(), c.shape) << c.pointer;
    }
}

// The picture's own pointer is a 32 x 32 hand pointing with its fingertip at column 12, row 1.
TEST(PictureView, OwnPointerIsAHandWithItsHotSpotAtTheFingertip)
{
    QWidget form;
    Picture p(150, 300, 2250, 1500);
    PictureView view(p, &form);
    p.SetMousePointer(99);
    const QCursor hand = view.cursor();
    EXPECT_EQ(hand.pixmap().size(), QSize(32, 32));
    EXPECT_EQ(hand.hotSpot(), QPoint(12, 1));
    const QImage image = hand.pixmap().toImage();
    EXPECT_EQ(image.pixelColor(12, 1), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);
}

TEST(PictureView, ShowsTheDrawingWithItsElements)
{
    Picture p(0, 0, 300, 150);
    p.SetBackColor(0xFFFFFF);
    p.PSet(2, 3, 0x0000FF);
    LineElement& line = p.AddLine();
    line.SetX1(0);
    line.SetY1(8);
    line.SetX2(19);
    line.SetY2(8);
    line.SetBorderColor(0xFF0000);
    PictureView view(p);
    const QImage shown = view.grab().toImage();
    ASSERT_EQ(shown.size(), QSize(20, 10));
    EXPECT_EQ(VbFromRgb(shown.pixel(2, 3)), 0x0000FF);
    EXPECT_EQ(VbFromRgb(shown.pixel(19, 8)), 0xFF0000);
    EXPECT_EQ(VbFromRgb(shown.pixel(5, 5)), 0xFFFFFF);
}

TEST(PictureView, ReportsTheMouseInUserUnits)
{
    Picture p(0, 0, 2250, 1500);
    p.Scale(-10, 9, 90, -1);
    std::vector<MouseCall> calls;
    Record(p, calls);
    PictureView view(p);
    view.show();

    QTest::mousePress(&view, Qt::LeftButton, Qt::ShiftModifier, QPoint(15, 90));
    QTest::mouseRelease(&view, Qt::LeftButton, Qt::ShiftModifier, QPoint(75, 50));
    QTest::mousePress(&view, Qt::RightButton, Qt::ControlModifier | Qt::AltModifier, QPoint(3, 10));
    QTest::mouseRelease(&view, Qt::RightButton, Qt::NoModifier, QPoint(3, 10));
    // A double click arrives as press, release, double click, release.
    QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, QPoint(3, 20));
    QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, QPoint(3, 20));
    QTest::mouseDClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint(3, 20));
    QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, QPoint(3, 20));

    const std::vector<MouseCall> expected = {
        {"MouseDown", 1, 1, 0, 0},   {"MouseUp", 1, 1, 40, 4},    {"Click", 0, 0, 0, 0},
        {"MouseDown", 2, 6, -8, 8},  {"MouseUp", 2, 0, -8, 8},    // the right button gives no Click
        {"MouseDown", 1, 0, -8, 7},  {"MouseUp", 1, 0, -8, 7},    {"Click", 0, 0, 0, 0},
        {"DblClick", 0, 0, 0, 0},    {"MouseUp", 1, 0, -8, 7},    // the second release clicks no more
    };
    EXPECT_EQ(calls, expected);
}

TEST(PictureView, ReleasesThePictureWhenDestroyed)
{
    Picture p(0, 0, 150, 150);
    {
        PictureView view(p);
    }
    EXPECT_FALSE(p.Changed);
    p.Cls();
}
