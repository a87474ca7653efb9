#include "acoustics/AcousticsFixture.h"
#include "acoustics/SplDiagram.h"

#include <memory>

namespace {

// A vertical view whose diagram layout records when it runs and scales the diagram as the real one
// does: 0 .. X2 - X1 across, SplScaleMax down to SplScaleMax - DeltaSpl.
class RecordingForm : public Form_PrincipaleControls {
public:
    void ScaleSplDiagram() override
    {
        ++layouts;
        backColorAtLayout = Diagramma_SPL.BackColor();
        const LineElement& line = *Linea_Stand_Seats[std::size_t(SPL_SelectedAudience)];
        Diagramma_SPL.Scale(0, SplScaleMax, line.X2() - line.X1(), SplScaleMax - DeltaSpl);
    }
    int layouts = 0;
    std::int32_t backColorAtLayout = 0;
};

// One box of 360 mm at 100 dB from Z = 3 m down at X = 0, and a listener line of area 1 sloping from
// (10, 2) to (30, 12); 20 degrees Celsius, 1/3 octave at 1 kHz with 9 lines.
class SplDiagramTest : public AcousticsTest {
protected:
    void SetUp() override
    {
        AcousticsTest::SetUp();
        SetPrincipaleFactory([] { return std::make_unique<RecordingForm>(); });
        ModuleRecord& m = AddModule(1, QStringLiteral("T1"), 10, 360);
        for (auto& point : m.FrontAttenuationProfile)
            for (auto& band : point)
                band = {100, 0};
        PlaceBox(1, 0, 3, 0, 2.64);
        Form_PrincipaleControls& form = Principale();
        form.Area[4].SetText(QStringLiteral("1"));
        form.Tipo[0].SetText(QStringLiteral("T1"));
        form.Elemento_Venue_Pulsante[1].SetCaption(QStringLiteral("On"));
        form.Elemento_Venue_Colore[1].SetBackColor(0x00C000);
        LineElement& line = *form.Linea_Stand_Seats[1];
        line.SetX1(10);
        line.SetY1(2);
        line.SetX2(30);
        line.SetY2(12);
        form.VScroll_Temperature.SetMin(-100);
        form.VScroll_Temperature.SetMax(100);
        form.VScroll_Temperature.SetValue(-20);
        form.Diagramma_SPL.SetSize(300 * 15, 150 * 15);
        SPL_SelectedAudience = 1;
        SplBackColor = 0xF0E0D0;
        SplForeColor = 0x123456;
        for (SplLinePoint& p : SplLinePoints)
            p = {-1, -1, -1};
    }
    RecordingForm& Form() { return static_cast<RecordingForm&>(Principale()); }
    int CurvePixels()
    {
        const Picture& d = Form().Diagramma_SPL;
        int n = 0;
        for (int y = 0; y < d.PixelHeight(); ++y)
            for (int x = 0; x < d.PixelWidth(); ++x)
                n += d.GetPixel(x, y) == 0x00C000;
        return n;
    }
};

TEST_F(SplDiagramTest, ReceiversLieOnTheListenerLineEvenlySpacedInX)
{
    CalculateSplDiagram();
    struct Position {
        int k;
        double x, z;
    };
    for (const Position& c : {Position{0, 10, 2}, Position{1, 10.2, 2.1}, Position{50, 20, 7}, Position{100, 30, 12}}) {
        EXPECT_EQ(SplLinePoints[std::size_t(c.k)].X, c.x) << c.k;
        EXPECT_EQ(SplLinePoints[std::size_t(c.k)].Z, c.z) << c.k;
    }
    // 18 sources of 100 dB from Z = 3 down to 2.66 m, c = 331.4 sqrt(293 / 273) = 343.32 m/s.
    struct Level {
        int k;
        std::int16_t level;
    };
    for (const Level& c : {Level{0, 11099}, Level{50, 10425}, Level{100, 9980}})
        EXPECT_EQ(SplLinePoints[std::size_t(c.k)].Level, c.level) << c.k;
    EXPECT_EQ(SplLinePoints[101].Level, -1);
    EXPECT_EQ(SplForeColor, 0x00C000);
    EXPECT_EQ(Form().layouts, 1);
    // The layout runs before the background is set.
    EXPECT_NE(Form().backColorAtLayout, 0xF0E0D0);
    EXPECT_EQ(Form().Diagramma_SPL.BackColor(), 0xF0E0D0);
    EXPECT_GT(CurvePixels(), 0);
}

TEST_F(SplDiagramTest, StepsAndSpacingComeFromTheAccuracySetting)
{
    struct Case {
        std::uint8_t steps;
        double spacing;
        double lastX;
    };
    for (const Case c : {Case{50, 0.03, 30}, Case{150, 0.01, 30}}) {
        SplDiagramSteps = c.steps;
        SplDiagramSourceRes = c.spacing;
        CalculateSplDiagram();
        EXPECT_EQ(SplLinePoints[c.steps].X, c.lastX) << int(c.steps);
        EXPECT_EQ(SplLinePoints[c.steps].Z, 12) << int(c.steps);
    }
}

TEST_F(SplDiagramTest, AnAreaThatIsNotOnGetsOnlyTheLayoutAndTheBackground)
{
    for (const char* caption : {"Off", "on", "ON"}) {
        Form().Elemento_Venue_Pulsante[1].SetCaption(QString::fromLatin1(caption));
        BandLines.fill(7);
        CalculateSplDiagram();
        EXPECT_EQ(SplLinePoints[0].Level, -1) << caption;
        EXPECT_EQ(SplForeColor, 0x123456) << caption;
        EXPECT_EQ(BandLines[12], 7) << caption;
        EXPECT_EQ(Form().Diagramma_SPL.BackColor(), 0xF0E0D0) << caption;
        EXPECT_EQ(CurvePixels(), 0) << caption;
    }
    EXPECT_EQ(Form().layouts, 3);
}

TEST_F(SplDiagramTest, BandParametersComeFromTheListsAndTheLinesPerBand)
{
    struct Case {
        const char* frequency;
        const char* bandwidth;
        std::int16_t lines;
        double centre;
        double line1;  // BandLines(1); 7 when not written
    };
    const Case cases[] = {
        {"31.5 Hz", "1/3 Octave", 1, 31.5, 7},
        {"1 kHz", "1/3 Octave", 1, 1000, 7},
        {"1 kHz", "1/6 Octave", 3, 1000, 1000 * 1.0594630943592953},     // the band edge 2^(1/12)
        {"no such band", "1/3 Octave", 1, 20, 7},                         // the first entry
        {"1 kHz", "no such width", 3, 1000, 1000 * 1.1224620483093730},  // the first entry: 2^(1/6)
    };
    for (const Case& c : cases) {
        Form().Frequency.SetText(QString::fromLatin1(c.frequency));
        Form().Bandwidth.SetText(QString::fromLatin1(c.bandwidth));
        FreqPerBand = c.lines;
        BandLines.fill(7);
        CalculateSplDiagram();
        EXPECT_EQ(BandLines[12], c.centre) << c.frequency << " " << c.bandwidth;
        EXPECT_DOUBLE_EQ(BandLines[13], c.line1) << c.frequency << " " << c.bandwidth;
    }
}

TEST_F(SplDiagramTest, AHorizontalLineKeepsEveryReceiverAtItsHeight)
{
    Form().Linea_Stand_Seats[1]->SetY2(2);
    CalculateSplDiagram();
    for (int k = 0; k <= 100; ++k)
        EXPECT_EQ(SplLinePoints[std::size_t(k)].Z, 2) << k;
}

}
