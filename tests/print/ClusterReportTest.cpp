#include "RecordingTarget.h"
#include "ReportFixture.h"
#include "core/ArrayState.h"
#include "forms/Form_PrincipaleControls.h"
#include "platform/FakeServices.h"
#include "print/ClusterReportDetails.h"
#include "print/PrintClusterConfiguration.h"
#include "print/PrintOptions.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace {

constexpr double Eps = 1e-6;
constexpr double RowHeight = 227.0 / 17;

using Kind = RecordingTarget::Kind;

QStringList Texts(const std::vector<RecordingTarget::Drawn>& drawn)
{
    QStringList out;
    for (const auto& d : drawn)
        out << d.text;
    return out;
}

// The texts of table row r (0 the header), left to right.
QStringList TableRow(const RecordingTarget& t, int r)
{
    const double top = 237 - r * RowHeight;
    return Texts(t.TextsIn(120, 200, top - RowHeight, top));
}

// The texts of summary row r (1..3) in the given weight, left to right, top line first.
QStringList SummaryRow(const RecordingTarget& t, int r, bool bold)
{
    const double middle = 297 - 20 - 10.0 * r;
    QStringList out;
    for (const auto& d : t.TextsIn(10, 200, middle - 5, middle + 5))
        if (d.bold == bold)
            out << d.text;
    return out;
}

RecordingTarget Preview()
{
    RecordingTarget t;
    PrintClusterConfiguration(t, false);
    return t;
}

} // namespace

// The three layouts: frame, flying-bar band, table and summary where the two content flags put them,
// with the array's centre in the middle of the frame.
TEST_F(ReportTest, LayoutFollowsTheContentFlags)
{
    struct Case {
        bool cluster, boxes;
        double A, B, G;
        int table, summary;
    };
    const std::vector<Case> cases{{false, false, 207, 190, 50, 0, 0},
                                  {true, false, 182, 190, 40, 0, 1},
                                  {true, true, 182, 105, 40, 1, 1},
                                  {false, true, 182, 105, 40, 1, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "cluster " << c.cluster << " boxes " << c.boxes);
        PrintClusterDetails = ToVbBool(c.cluster);
        PrintBoxesDetails = ToVbBool(c.boxes);
        const RecordingTarget t = Preview();
        const double right = 10 + c.B;
        EXPECT_EQ(t.CountLines(10, 10, right, 10), 1);
        EXPECT_EQ(t.CountLines(right, 10, right, 10 + c.A), 1);
        EXPECT_EQ(t.CountLines(10, 10 + c.A, right, 10 + c.A), 1);
        EXPECT_EQ(t.CountLines(10, 10, 10, 10 + c.A), 1);
        EXPECT_EQ(t.CountLines(10, c.A + 15, right, c.A + 15), 1);
        EXPECT_EQ(t.CountLines(10, c.A + 15 + c.G, right, c.A + 15 + c.G), 1);
        EXPECT_EQ(t.CountLines(120, 10, 120, 237), c.table);
        EXPECT_EQ(t.CountLines(10, 262, 200, 262), c.summary);
        EXPECT_NEAR(t.MmY((0.12 - 2.88) / 2), 10 + c.A / 2, Eps);
        EXPECT_NEAR(t.MmX((0.9 - 0.18) / 2), 10 + c.B / 2, Eps);
    }
}

// The governing extent fills its frame size less 60 mm.
TEST_F(ReportTest, ScaleFitsTheGoverningExtent)
{
    struct Case {
        double minX, maxX;
        bool boxes;
        double drawnHeight, drawnWidth;
    };
    const std::vector<Case> cases{{-0.18, 0.9, true, 122, 1.08 * 122 / 3},  // tall and narrow
                                  {-0.18, 0.9, false, 147, 1.08 * 147 / 3},
                                  {-5, 5, true, 3 * 45 / 10.0, 45},          // wide and short
                                  {-5, 5, false, 3 * 130 / 10.0, 130}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "width " << c.maxX - c.minX << " boxes " << c.boxes);
        ArrayExtents.MinX = c.minX;
        ArrayExtents.MaxX = c.maxX;
        PrintClusterDetails = ToVbBool(c.boxes);
        PrintBoxesDetails = ToVbBool(c.boxes);
        const RecordingTarget t = Preview();
        EXPECT_NEAR(t.MmY(0.12) - t.MmY(-2.88), c.drawnHeight, Eps);
        EXPECT_NEAR(t.MmX(c.maxX) - t.MmX(c.minX), c.drawnWidth, Eps);
    }
}

// The preview is cleared and set to points before anything is drawn; paper gets its printer, copies,
// quality, A4 and font size 8, and the title at 14.
TEST_F(ReportTest, TargetSetUp)
{
    PrintCopies = 3;
    PrintQuality = -2;
    PrinterIndex = 1;
    const RecordingTarget preview = Preview();
    ASSERT_FALSE(preview.drawn.empty());
    EXPECT_EQ(preview.drawn.front().kind, Kind::Cls);
    EXPECT_EQ(preview.calls, (std::vector<QString>{"ScaleMode 2"}));
    EXPECT_EQ(preview.FindText("Cluster Configuration")->fontSize, 3);

    ScopedFakeServices svc;
    RecordingTarget paper;
    PrintClusterConfiguration(paper, true);
    EXPECT_EQ(paper.calls, (std::vector<QString>{"SelectPrinter 1", "Copies 3", "PrintQuality -2", "PaperSize 9", "EndDoc"}));
    const auto title = paper.FindText("Cluster Configuration");
    ASSERT_TRUE(title);
    EXPECT_EQ(title->fontSize, 14);
    EXPECT_NEAR(title->CentreX(), 105, Eps);
    EXPECT_NEAR(title->CentreY(), 287, Eps);
    EXPECT_EQ(paper.FindText("Max Z: 0,12m(X: 0,9m)")->fontSize, 8);
    EXPECT_TRUE(svc->messages.empty());
}

// Every outline of the bar and the boxes is drawn, closed, through its four corners.
TEST_F(ReportTest, OutlinesOfBarAndBoxes)
{
    const RecordingTarget t = Preview();
    for (int r = 0; r <= 8; ++r) {
        const double* c = ClusterCorners[r];
        for (int k = 0; k < 4; ++k) {
            const int n = (k + 1) % 4;
            EXPECT_EQ(t.CountLines(t.MmX(c[k]), t.MmY(c[k + 4]), t.MmX(c[n]), t.MmY(c[n + 4])), 1) << r << " " << k;
        }
    }
}

// The holes of the bar's top view: side holes twice, central holes once, solid black under a
// placed hook (side row: the first hook only), numbered clear of the circle.
TEST_F(ReportTest, FlyingBarHolesAndHooks)
{
    struct Case {
        const char* name;
        FlyingBarHook first, second;
        std::vector<double> filledSide, filledCentral;  // hole positions along the bar, mm
    };
    const std::vector<Case> cases{
        {"two central hooks", {0, 1, VbTrue, VbFalse}, {0, 3, VbTrue, VbFalse}, {}, {300, 700}},
        {"side and central", {1, 2, VbTrue, VbFalse}, {0, 0, VbTrue, VbFalse}, {800}, {100}},
        {"first hook not placed", {1, 0, VbFalse, VbFalse}, {0, 4, VbTrue, VbFalse}, {}, {900}},
        {"second hook in a side hole", {0, 2, VbFalse, VbFalse}, {1, 1, VbTrue, VbFalse}, {}, {}},
    };
    const double bandBottom = 182 + 15;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FlyingBarHooks = {c.first, c.second};
        const RecordingTarget t = Preview();
        const auto circles = t.Circles();
        ASSERT_EQ(circles.size(), 11u);
        for (const auto& circle : circles) {
            EXPECT_NEAR(circle.radius, 0.7, Eps);
            const double along = (circle.x1 - 10) * 1000 / 105;
            const bool central = std::abs(circle.y1 - (bandBottom + 20)) < Eps;
            if (!central) {
                EXPECT_TRUE(std::abs(circle.y1 - (bandBottom + 1.7)) < Eps || std::abs(circle.y1 - (bandBottom + 38.3)) < Eps);
            }
            const auto& filled = central ? c.filledCentral : c.filledSide;
            bool expectFilled = false;
            for (double p : filled)
                expectFilled = expectFilled || std::abs(p - along) < Eps;
            EXPECT_EQ(circle.fillStyle, expectFilled ? 0 : 1) << "hole at " << along;
            EXPECT_EQ(circle.fillColor, 0);
        }
    }
    // Side hole 3 (800 mm) at x = 10 + 105 * 0.8; its lower number ends 3.4 mm above the band's
    // bottom, its upper number starts 3.4 mm below the band's top.
    const RecordingTarget t = Preview();
    std::vector<RecordingTarget::Drawn> threes;
    for (const auto& d : t.drawn)
        if (d.kind == Kind::Text && d.text == "3" && d.y1 > bandBottom)
            threes.push_back(d);
    ASSERT_EQ(threes.size(), 3u);  // two for side hole 3, one for central hole 3
    EXPECT_NEAR(threes[0].CentreX(), 94, Eps);
    EXPECT_NEAR(threes[0].y1 - threes[0].height, bandBottom + 3.4, Eps);
    EXPECT_NEAR(threes[1].y1, bandBottom + 40 - 3.4, Eps);
    EXPECT_NEAR(threes[2].CentreX(), 10 + 105 * 0.5, Eps);
    EXPECT_NEAR(threes[2].y1 - threes[2].height, bandBottom + 20 + 1.7, Eps);
}

// Height and width with their labels, split lines, arrowheads and dotted leaders.
TEST_F(ReportTest, Dimensions)
{
    const RecordingTarget t = Preview();
    const double top = t.MmY(0.12), bottom = t.MmY(-2.88), left = t.MmX(-0.18), right = t.MmX(0.9);
    const auto height = t.FindText("3m");
    ASSERT_TRUE(height);
    EXPECT_NEAR(height->CentreX(), 15, Eps);
    EXPECT_NEAR(height->CentreY(), (top + bottom) / 2, Eps);
    const double gap = 1.1 * height->height;
    EXPECT_EQ(t.CountLines(15, bottom, 15, (top + bottom) / 2 - gap), 1);
    EXPECT_EQ(t.CountLines(15, (top + bottom) / 2 + gap, 15, top), 1);
    EXPECT_EQ(t.CountLines(15, bottom, 14, bottom + 1), 1);
    EXPECT_EQ(t.CountLines(15, bottom, 16, bottom + 1), 1);
    EXPECT_EQ(t.CountLines(15, top, 14, top - 1), 1);
    EXPECT_EQ(t.CountLines(15, top, 16, top - 1), 1);

    const auto width = t.FindText("1,08m");
    ASSERT_TRUE(width);
    EXPECT_NEAR(width->CentreX(), (left + right) / 2, Eps);
    EXPECT_NEAR(width->CentreY(), 15, Eps);
    const double wgap = 1.1 * width->width;
    EXPECT_EQ(t.CountLines(left, 15, (left + right) / 2 - wgap, 15), 1);
    EXPECT_EQ(t.CountLines((left + right) / 2 + wgap, 15, right, 15), 1);
    EXPECT_EQ(t.CountLines(left, 15, left + 1, 16), 1);
    EXPECT_EQ(t.CountLines(left, 15, left + 1, 14), 1);
    EXPECT_EQ(t.CountLines(right, 15, right - 1, 16), 1);
    EXPECT_EQ(t.CountLines(right, 15, right - 1, 14), 1);

    struct Leader {
        double x1, y1, x2, y2;
    };
    for (const Leader& l : {Leader{t.MmX(0.72), bottom, 15, bottom}, Leader{t.MmX(0.9), top, 15, top},
                            Leader{left, t.MmY(-2.7), left, 15}, Leader{right, t.MmY(0.06), right, 15}}) {
        bool dotted = false;
        for (const auto& d : t.drawn)
            dotted = dotted || (d.kind == Kind::Line && d.drawStyle == 2 && std::abs(d.x1 - l.x1) < Eps &&
                                std::abs(d.y1 - l.y1) < Eps && std::abs(d.x2 - l.x2) < Eps && std::abs(d.y2 - l.y2) < Eps);
        EXPECT_TRUE(dotted) << l.x1 << " " << l.y1;
    }
}

// The four extreme points beside the array, Max X held 1 mm inside the frame's right edge and Min X
// 1 mm inside its left edge when the text is too wide.
TEST_F(ReportTest, ExtremePoints)
{
    struct Case {
        double charWidth;
        double maxXLeft, minXLeft;  // expected, mm; NaN: beside the point
    };
    const std::vector<Case> cases{{1, NAN, NAN}, {2, 114 - 42, 11}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.charWidth);
        ScopedFakeServices svc;
        RecordingTarget t;
        t.charWidth = c.charWidth;
        PrintClusterConfiguration(t, true);
        const auto maxZ = t.FindText("Max Z: 0,12m(X: 0,9m)");
        const auto minZ = t.FindText("Min Z: -2,88m(X: 0,72m)");
        const auto maxX = t.FindText("Max X: 0,9m(Z: 0,06m)");
        const auto minX = t.FindText("Min X: -0,18m(Z: -2,7m)");
        ASSERT_TRUE(maxZ && minZ && maxX && minX);
        EXPECT_NEAR(maxZ->x1, 11, Eps);
        EXPECT_NEAR(maxZ->y1 - maxZ->height, t.MmY(0.12) + 1, Eps);
        EXPECT_NEAR(minZ->x1, 11, Eps);
        EXPECT_NEAR(minZ->y1, t.MmY(-2.88) - 1, Eps);
        EXPECT_NEAR(maxX->x1, std::isnan(c.maxXLeft) ? t.MmX(0.9) + 1 : c.maxXLeft, Eps);
        EXPECT_NEAR(maxX->CentreY(), t.MmY(0.06), Eps);
        EXPECT_NEAR(minX->x1, std::isnan(c.minXLeft) ? t.MmX(-0.18) - 1 - minX->width : c.minXLeft, Eps);
        EXPECT_NEAR(minX->CentreY(), t.MmY(-2.7), Eps);
    }
}

// Names end 1 mm left of each box's back edge, angles start 1 mm right of its front edge; each only
// with its option.
TEST_F(ReportTest, BoxNamesAndAngles)
{
    for (bool on : {true, false}) {
        SCOPED_TRACE(on);
        PrintBoxesNames = ToVbBool(on);
        PrintBoxesAngles = ToVbBool(on);
        const RecordingTarget t = Preview();
        const auto names = t.TextsIn(10, 115, 10, 192);
        int nameCount = 0, angleCount = 0;
        for (const auto& d : names) {
            nameCount += d.text.startsWith("TV-12") ? 1 : 0;
            angleCount += d.text.endsWith("°") ? 1 : 0;
        }
        EXPECT_EQ(nameCount, on ? 8 : 0);
        EXPECT_EQ(angleCount, on ? 8 : 0);
    }
    PrintBoxesNames = VbTrue;
    PrintBoxesAngles = VbTrue;
    const RecordingTarget t = Preview();
    const double* box7 = ClusterCorners[7];
    const auto name = t.TextsIn(10, 115, t.MmY(box7[6]), t.MmY(box7[7]));
    ASSERT_EQ(Texts(name), (QStringList{"TV-12W", "6°"}));
    EXPECT_NEAR(name[0].x1 + name[0].width, t.MmX(box7[2]) - 1, Eps);
    EXPECT_NEAR(name[0].CentreY(), t.MmY((box7[6] + box7[7]) / 2), Eps);
    EXPECT_NEAR(name[1].x1, t.MmX(box7[0]) + 1, Eps);
    EXPECT_NEAR(name[1].CentreY(), t.MmY((box7[4] + box7[5]) / 2), Eps);
}

// The box count comes from the count field, held to 1..16; the table has a row per box.
TEST_F(ReportTest, BoxCountIsHeldToOneToSixteen)
{
    for (int r = 8; r < 16; ++r) {
        Principale().Tipo[std::size_t(r)].SetText("TV-12");
        Principale().Position[std::size_t(r)].SetText("0");
    }
    struct Case {
        const char* text;
        int boxes;
    };
    for (const Case& c : {Case{"0", 1}, Case{"-3", 1}, Case{"8", 8}, Case{"16", 16}, Case{"20", 16}}) {
        SCOPED_TRACE(c.text);
        Principale().Area[4].SetText(c.text);
        const RecordingTarget t = Preview();
        EXPECT_EQ(t.TextsIn(120, 125, 10, 237 - RowHeight).size(), std::size_t(c.boxes));
        EXPECT_EQ(SummaryRow(t, 1, false).front(), QString::number(c.boxes));
        // 16 rows fill the table exactly: the line under the last one is its bottom edge.
        EXPECT_EQ(t.CountLines(120, 10, 200, 10), c.boxes == 16 ? 2 : 1);
    }
}

// Header and rows of the per-box table, each text centred in its cell.
TEST_F(ReportTest, BoxesTable)
{
    ScopedFakeServices svc;
    RecordingTarget t;
    PrintClusterConfiguration(t, true);
    EXPECT_EQ(TableRow(t, 0), (QStringList{"Box", "Relat.", "Abs", "Box", "#", "Delay", "Name", "Angle", "Angle", "Level"}));
    const auto hash = t.FindText("#");
    EXPECT_TRUE(hash->bold);
    EXPECT_NEAR(hash->CentreX(), 122.5, Eps);
    EXPECT_NEAR(hash->CentreY(), 237 - RowHeight / 2, Eps);
    const auto relat = t.FindText("Relat.");
    EXPECT_NEAR(relat->CentreX(), 150, Eps);
    EXPECT_NEAR(relat->y1 - relat->height, 237 - RowHeight / 2, Eps);

    EXPECT_EQ(TableRow(t, 1), (QStringList{"1", "TV-12", "0°", "3°", "0 µs", "0 dB"}));
    EXPECT_EQ(TableRow(t, 3), (QStringList{"3", "TV-12", "2°", "5°", "20 µs", "-1 dB"}));
    EXPECT_EQ(TableRow(t, 8), (QStringList{"8", "TV-12W", "7°", "12,5°", "70 µs", "-3,5 dB"}));
    for (int r = 9; r <= 16; ++r)
        EXPECT_TRUE(TableRow(t, r).isEmpty()) << r;
    const auto cells = t.TextsIn(120, 200, 237 - 4 * RowHeight, 237 - 3 * RowHeight);
    const std::vector<double> middles{122.5, 135, 150, 162.5, 177.5, 192.5};
    for (std::size_t c = 0; c < cells.size(); ++c) {
        EXPECT_NEAR(cells[c].CentreX(), middles[c], Eps);
        EXPECT_NEAR(cells[c].CentreY(), 237 - 3.5 * RowHeight, Eps);
        EXPECT_FALSE(cells[c].bold);
    }
    for (int i = 1; i <= 8; ++i)
        EXPECT_EQ(t.CountLines(120, 237 - (i + 1) * RowHeight, 200, 237 - (i + 1) * RowHeight), 1) << i;
}

// The summary's labels and values, values centred in their 19 mm parts.
TEST_F(ReportTest, ClusterSummary)
{
    const RecordingTarget t = Preview();
    EXPECT_EQ(SummaryRow(t, 1, true), (QStringList{"Array Selected", "Array Actual", "Boxes Number", "Cluster Bottom Z", "Angle", "Angle"}));
    EXPECT_EQ(SummaryRow(t, 1, false), (QStringList{"8", "-3,5°", "-3,72°", "-2,88 m"}));
    EXPECT_EQ(SummaryRow(t, 2, true), (QStringList{"Center Of Gravity", "Flying-Bar X", "Flying-Bar Z", "Array Weight", "(X;Z)[m]"}));
    EXPECT_EQ(SummaryRow(t, 2, false), (QStringList{"1,5 m", "9 m", "0,41; -1,33", "412 Kg"}));
    EXPECT_EQ(SummaryRow(t, 3, true), (QStringList{"Weight On Central", "Weight On Central", "Rigging Mode", "Reverse Mode", "Hook", "Hook"}));
    EXPECT_EQ(SummaryRow(t, 3, false), (QStringList{"2-C", "No", "210 Kg", "202 Kg"}));
    const auto values = t.TextsIn(10, 200, 262, 272);
    std::vector<double> centres;
    for (const auto& d : values)
        if (!d.bold)
            centres.push_back(d.CentreX());
    EXPECT_EQ(centres.size(), 4u);
    for (std::size_t c = 0; c < centres.size(); ++c)
        EXPECT_NEAR(centres[c], 10 + 47.5 * double(c) + 28.5 + 9.5, Eps);
    EXPECT_EQ(t.CountLines(10, 272, 200, 272), 1);
    EXPECT_EQ(t.CountLines(10, 242, 200, 242), 1);
    EXPECT_EQ(t.CountLines(10, 252, 200, 252), 1);
}

// The rigging code and the two hook cells follow the hooks in use.
TEST_F(ReportTest, RiggingCodeAndHookWeights)
{
    struct Case {
        std::int32_t firstRow;
        bool secondPlaced;
        std::uint8_t hooks;
        const char* code;
        QStringList labels;  // bold texts of the two hook cells, top line first
        QStringList values;
    };
    const QStringList centralCentral{"Weight On Central", "Weight On Central", "Hook", "Hook"};
    const QStringList centralLateral{"Weight On Central", "Weight On Each", "Hook", "Lateral Hook"};
    const std::vector<Case> cases{
        {0, false, 1, "1", centralLateral, {"210 Kg", "0 Kg"}},
        {1, false, 2, "2-S", centralLateral, {"0 Kg", "210 Kg"}},
        {0, true, 2, "2-C", centralCentral, {"210 Kg", "202 Kg"}},
        {1, true, 3, "Mixed", centralLateral, {"202 Kg", "210 Kg"}},
        {2, false, 1, "None", centralLateral, {"210 Kg", "0 Kg"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        FlyingBarHooks[0].HoleRow = c.firstRow;
        FlyingBarHooks[1].SelHook = ToVbBool(c.secondPlaced);
        HooksNumber = c.hooks;
        ReverseMode = ToVbBool(c.hooks == 3);
        EXPECT_EQ(RiggingCode(), c.code);
        const RecordingTarget t = Preview();
        const double middle = 297 - 50;
        QStringList labels, values;
        for (const auto& d : t.TextsIn(105, 200, middle - 5, middle + 5))
            (d.bold ? labels : values) << d.text;
        EXPECT_EQ(labels, c.labels);
        EXPECT_EQ(values, c.values);
        EXPECT_EQ(SummaryRow(t, 3, false).mid(0, 2), (QStringList{c.code, c.hooks == 3 ? "Yes" : "No"}));
    }
}

// A report that cannot be drawn: the preview stays as far as it got without a word; on paper the
// document is dropped and the user told, except when the user cancelled the PDF file.
TEST_F(ReportTest, FailuresOnPreviewAndPaper)
{
    struct Case {
        const char* name;
        std::function<void(RecordingTarget&)> spoil;
        QString message;    // on paper; empty: none
        bool previewEmpty;  // the preview holds nothing but its clearing
    };
    const std::vector<Case> cases{
        {"no array yet", [](RecordingTarget&) { ArrayExtents = {}; },
         "The cluster report could not be printed.\nThere is no array to print", true},
        {"flat array", [](RecordingTarget&) { ArrayExtents.MaxZ = ArrayExtents.MinZ; },
         "The cluster report could not be printed.\nThere is no array to print", true},
        {"absolute angle no number", [](RecordingTarget&) { Principale().Position[2].SetText("abc"); },
         "The cluster report could not be printed.\nType mismatch", false},
        {"height beyond CInt", [](RecordingTarget&) { ArrayExtents.MinZ = -400; },
         "The cluster report could not be printed.\nOverflow", false},
        {"PDF file not chosen", [](RecordingTarget& t) { t.cancelPrinterChoice = true; }, "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BuildEightBoxArray();
        ScopedFakeServices svc;
        RecordingTarget preview;
        c.spoil(preview);
        preview.cancelPrinterChoice = false;
        PrintClusterConfiguration(preview, false);
        EXPECT_EQ(preview.drawn.size() == 1, c.previewEmpty);
        EXPECT_EQ(preview.calls, (std::vector<QString>{"ScaleMode 2"}));

        RecordingTarget paper;
        c.spoil(paper);
        PrintClusterConfiguration(paper, true);
        EXPECT_EQ(paper.calls.back(), "KillDoc");
        EXPECT_EQ(std::count(paper.calls.begin(), paper.calls.end(), "EndDoc"), 0);
        if (c.message.isEmpty()) {
            EXPECT_TRUE(svc->messages.empty());
        } else {
            ASSERT_EQ(svc->messages.size(), 1u);
            EXPECT_EQ(svc->messages[0].text, c.message);
            EXPECT_EQ(svc->messages[0].style, vbOKOnly | vbExclamation);
            EXPECT_EQ(svc->messages[0].title, "Torvi");
        }
    }
}
