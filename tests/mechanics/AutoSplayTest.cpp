#include "mechanics/AutoSplay.h"
#include "mechanics/TestModules.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

using namespace testmodules;

namespace {

struct Line {
    double x1, z1, x2, z2;
};

// The bare window has no handlers, so the array is not straightened here: each case places the two
// reference corners itself (top box front-top in row 1, the last joint's front-top in row N - 1) and
// the aim is read back from the fields the routine writes.
class AutoSplayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetPrincipaleFactory(nullptr);
        UnloadPrincipale();
        LoadTestModules();
        Principale().Tipo[0].SetText("LA12");
        for (LineElement* line : Principale().Linea)
            line->SetVisible(false);
    }
    void TearDown() override { UnloadPrincipale(); }

    static void Arrange(int boxes, PointXZ topBox, PointXZ lastJoint, const std::vector<Line>& lines)
    {
        auto& form = Principale();
        form.Area[4].SetText(QString::number(boxes));
        ClusterCorners[1][0] = topBox.X;
        ClusterCorners[1][4] = topBox.Z;
        ClusterCorners[boxes - 1][0] = lastJoint.X;
        ClusterCorners[boxes - 1][4] = lastJoint.Z;
        for (std::size_t k = 0; k < lines.size(); ++k) {
            LineElement* l = form.Linea[k];
            l->SetX1(lines[k].x1);
            l->SetY1(lines[k].z1);
            l->SetX2(lines[k].x2);
            l->SetY2(lines[k].z2);
            l->SetVisible(true);
        }
    }
};

} // namespace

// The highest aim: the end with the greatest direction code, within a code the greatest slope raised
// by the half-front correction; the tilt is that angle plus 3 degrees, within -60..60, to 0.1 degree.
TEST_F(AutoSplayTest, TiltFromTheHighestAudiencePoint)
{
    struct Case {
        const char* name;
        int frontLen;
        PointXZ topBox;
        std::vector<Line> lines;
        QString tilt;
    };
    const std::vector<Case> cases = {
        // 10 m ahead and 5 m below, top box 500 mm: m = -0.5, v = -0.5 + 0.25 / (14^2 + 14.78^2)^0.5
        // = -0.48772, A1 = -26.0 degrees, T = -23.0. The far end (20, 0.89) has v = -0.4898 and loses.
        {"ahead and below", 500, {2, 9.89}, {{12, 4.89, 20, 0.89}}, "-23"},
        // Both ends behind and below: code 0, A1 = atan(v) - 180 = -122.3, clamped to -60.
        {"behind and below", 400, {20, 9.89}, {{5, 1, 15, 2}}, "-60"},
        // Behind and above: code 4, A1 = atan(-0.669) + 180 = 146.2, clamped to 60.
        {"behind and above", 400, {20, 9.89}, {{5, 20, 15, 25}}, "60"},
        // Straight above: code 3, A1 = 90, clamped to 60.
        {"straight above", 400, {2, 9.89}, {{2, 20, 10, 20}}, "60"},
        // A start on the reference point has no direction and is left out; the end decides:
        // m = -0.5, v = -0.5 + 0.2 / (12^2 + 15.78^2)^0.5 = -0.48991, T = -23.1.
        {"start on the reference point", 400, {2, 9.89}, {{2, 9.89, 10, 5.89}}, "-23,1"},
        // The start's correction would divide by zero ((3 + -3)^2 + (0.11 + -0.11)^2 = 0): left out.
        // The end: m = 0.22 / 16 = 0.01375, v = 0.01375 + 0.2 / 10 = 0.03375, A1 = 1.933, T = 4.9.
        {"correction divides by zero", 400, {-3, -0.11}, {{3, 0.11, 13, 0.11}}, "4,9"},
    };
    for (const Case& c : cases) {
        SetUp();
        Modules[1].FrontLen = std::int16_t(c.frontLen);
        Arrange(1, c.topBox, {0, 0}, c.lines);
        AutoConfigureArray();
        EXPECT_EQ(Principale().Area[3].Text(), c.tilt) << c.name;
    }
}

// Joint i asks for i steps; it takes the nearest whole-degree entry after the list's first, the lower
// one on a tie. Aiming straight up (tilt clamped to 60) and straight down (-90) over 15 boxes gives a
// step of 2 x (60 + 90) / (15 x 16) = 1.25 degrees.
TEST_F(AutoSplayTest, SplayEntryChoice)
{
    struct Case {
        int row;
        std::vector<QString> entries;
        QString chosen;
    };
    const std::vector<Case> cases = {
        {1, {"0", "1", "2"}, "1"},                      // 1.25: 1 is nearer
        {2, {"0", "1", "2", "2,5", "3"}, "2"},          // 2.5: 2 and 3 equally near, 2.5 not whole
        {3, {"0,5", "1,5", "2,5"}, "0,5"},              // 3.75: no whole entry after the first
        {4, {"0", "5", "6"}, "5"},                      // 5: an entry equal to the target
        {5, {"0", "1", "2"}, "2"},                      // 6.25: every whole entry below
        {6, {"0", "8", "9"}, "8"},                      // 7.5: every whole entry above
        {7, {"3", "7", "9", "10"}, "9"},                // 8.75: 9 nearer than 7; the first entry is skipped
        {8, {}, "0"},                                   // 10: an empty list keeps the straightened text
        {9, {"4"}, "4"},                                // 11.25: only the first entry
        {10, {"0", "12", "13"}, "12"},                  // 12.5: 12 and 13 equally near
        {11, {"0", "13", "14"}, "14"},                  // 13.75: 14 is nearer
    };
    Arrange(15, {2, 9.89}, {2, 4.56}, {{2, 20, 10, 20}, {2, 1, 30, 2}});
    for (const Case& c : cases) {
        ComboList& list = Principale().Angolo[std::size_t(c.row)];
        for (const QString& e : c.entries)
            list.AddItem(e);
        list.SetText("keep");
    }
    AutoConfigureArray();
    EXPECT_EQ(Principale().Area[3].Text(), "60");
    for (const Case& c : cases)
        EXPECT_EQ(Principale().Angolo[std::size_t(c.row)].Text(), c.chosen) << "row " << c.row;
}

// Manual rigging owns the array angle: nothing is written.
TEST_F(AutoSplayTest, ManualRiggingDoesNothing)
{
    Arrange(3, {2, 9.89}, {2, 9.48}, {{10, 2, 40, 6}});
    WorkingMode = 1;
    Principale().Area[3].SetText("5");
    Principale().Angolo[1].SetText("2");
    AutoConfigureArray();
    EXPECT_EQ(Principale().Area[3].Text(), "5");
    EXPECT_EQ(Principale().Angolo[1].Text(), "2");
}

// With every area off the array is only straightened: angle and splays of the rows in use read 0.
TEST_F(AutoSplayTest, EveryAreaOffStraightensOnly)
{
    Arrange(3, {2, 9.89}, {2, 9.48}, {});
    auto& form = Principale();
    form.Area[3].SetText("5");
    for (int i = 0; i < 4; ++i)
        form.Angolo[std::size_t(i)].SetText("2");
    AutoConfigureArray();
    EXPECT_EQ(form.Area[3].Text(), "0");
    EXPECT_EQ(form.Angolo[0].Text(), "0");
    EXPECT_EQ(form.Angolo[1].Text(), "0");
    EXPECT_EQ(form.Angolo[2].Text(), "0");
    EXPECT_EQ(form.Angolo[3].Text(), "2");
}
