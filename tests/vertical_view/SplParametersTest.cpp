#include "VenuePanelFixture.h"
#include "acoustics/Simulation.h"

#include <cmath>
#include <functional>
#include <string>

namespace {

using SplParametersTest = VenuePanelFixture;

// The user enters a field, types `text` and leaves for the Start button's neighbour, the band list.
void Type(TextField& f, const QString& text)
{
    f.SetFocus();
    f.SetText(text);
    Principale().Frequency.SetFocus();
}

bool VenueCleared()
{
    const Picture& p = Principale().Diagramma_Area;
    return p.Point(30, 20) == p.BackColor();
}

void PaintVenue()
{
    Picture& p = Principale().Diagramma_Area;
    p.Line(20, 20, 40, 20, 0x336699);
}

struct RunCall {
    std::int16_t lineCount;
    double c, mapRes, sourceRes;
    double centre;
    double outerLine;
};

} // namespace

// Leaving a resolution field: a value outside its range (or no number) is reported with the range
// and comes back from the spinner as it stood on entry; a valid value moves the spinner to its
// nearest step, halves to even, and the spinner writes that step back.
TEST_F(SplParametersTest, ResolutionChecksAndRounding)
{
    struct Case {
        bool map;
        QString typed;
        QString text;
        int spinner;
        QString message;
    };
    const QString mapMessage = "Please insert a value from 0,1 to 5";
    const QString sourceMessage = "Please insert a value from 0,01 to 0,1";
    const std::vector<Case> cases = {
        {true, "5", "5", -50, ""},
        {true, "0,1", "0,1", -1, ""},
        {true, "5,01", "0,5", -5, mapMessage},
        {true, "0,09", "0,5", -5, mapMessage},
        {true, "0,25", "0,2", -2, ""},
        {true, "0,26", "0,3", -3, ""},
        {true, "abc", "0,5", -5, mapMessage},
        {true, "", "0,5", -5, mapMessage},
        {false, "0,017", "0,02", -2, ""},
        {false, "0,1", "0,1", -10, ""},
        {false, "0,01", "0,01", -1, ""},
        {false, "0,11", "0,02", -2, sourceMessage},
        {false, "0,005", "0,02", -2, sourceMessage},
    };
    for (const Case& c : cases) {
        SetUp();
        auto& f = Form();
        TextField& field = c.map ? f.MapRes : f.SourceRes;
        const Spinner& spinner = c.map ? f.VScroll_MapRes : f.VScroll_SourceRes;
        Type(field, c.typed);
        const std::string name = c.typed.toStdString();
        EXPECT_EQ(field.Text(), c.text) << name;
        EXPECT_EQ(spinner.Value(), c.spinner) << name;
        if (c.message.isEmpty()) {
            EXPECT_TRUE(svc->messages.empty()) << name;
        } else {
            ASSERT_EQ(svc->messages.size(), 1u) << name;
            EXPECT_EQ(svc->messages[0].text, c.message) << name;
            EXPECT_EQ(svc->messages[0].title, "Invalid data insert") << name;
            EXPECT_EQ(svc->messages[0].style, vbOKOnly | vbExclamation) << name;
        }
    }
}

// The remembered value is shared with every field of the window: when another field set it last and
// it is no step of this spinner, the field comes back from the spinner's own value.
TEST_F(SplParametersTest, ResolutionRestoredFromTheSpinnerWhenTheRememberedValueIsForeign)
{
    auto& f = Form();
    f.VScroll_MapRes.SetValue(-12);
    f.MapRes.SetFocus();
    f.MapRes.SetText("9");
    PreviousValue = 7;
    f.MapRes.LostFocus();
    EXPECT_EQ(f.MapRes.Text(), "1,2");
    EXPECT_EQ(f.VScroll_MapRes.Value(), -12);
}

// The spinners write their fields; a field already on the spinner's value is left as typed.
TEST_F(SplParametersTest, SpinnersWriteTheirFields)
{
    auto& f = Form();
    f.VScroll_MapRes.StepUp();
    EXPECT_EQ(f.MapRes.Text(), "0,6");
    f.VScroll_SourceRes.SetValue(-7);
    EXPECT_EQ(f.SourceRes.Text(), "0,07");
    f.MapRes.SetText("abc");
    f.VScroll_MapRes.SetValue(-40);
    EXPECT_EQ(f.MapRes.Text(), "4");
    f.VScroll_MapRes.SetValue(-41);
    f.MapRes.SetText("4,0");
    f.VScroll_MapRes.SetValue(-40);
    EXPECT_EQ(f.MapRes.Text(), "4,0");

    struct Case {
        int value;
        QString text;
    };
    for (const Case& c : std::vector<Case>{{-60, "60 °C"}, {25, "-25 °C"}, {0, "0 °C"}, {-21, "21 °C"}}) {
        f.VScroll_Temperature.SetValue(c.value);
        EXPECT_EQ(f.Temperature.Text(), c.text) << c.value;
    }
}

// Every parameter edit marks the project changed and asks for the recomputation; all but the
// lines-per-band pick erase the painted venue.
TEST_F(SplParametersTest, EditsMarkChangedAndEraseTheVenue)
{
    struct Case {
        std::string name;
        std::function<void()> edit;
        bool erases;
    };
    const std::vector<Case> cases = {
        {"map resolution", [] { Principale().MapRes.SetText("1"); }, true},
        {"source resolution", [] { Principale().SourceRes.SetText("0,05"); }, true},
        {"temperature", [] { Principale().VScroll_Temperature.SetValue(-10); }, true},
        {"band typed", [] { Principale().Frequency.SetText("2 kHz"); }, true},
        {"band picked", [] { Principale().Frequency.SetListIndex(3); }, true},
        {"bandwidth picked", [] { Principale().Bandwidth.SetListIndex(1); }, true},
        {"lines typed", [] { Principale().Frequency_Num.SetText("Low"); }, true},
        {"lines picked", [] { Principale().Frequency_Num.SetListIndex(2); }, false},
    };
    for (const Case& c : cases) {
        SetUp();
        PaintVenue();
        ASSERT_FALSE(VenueCleared());
        c.edit();
        EXPECT_EQ(ConfigChanged, VbTrue) << c.name;
        EXPECT_EQ(TempConfigChange, VbTrue) << c.name;
        EXPECT_EQ(SplRecalcPending, VbTrue) << c.name;
        EXPECT_EQ(VenueCleared(), c.erases) << c.name;
    }
}

// A typed list text that is no entry goes back to the entry remembered on entry (the first one when
// the remembered position lies outside the list); the position of the text shown is remembered.
TEST_F(SplParametersTest, TypedListTextRestored)
{
    struct Case {
        std::string name;
        bool enterFirst;
        int remembered;  // set after entering, as another field would
        QString typed;
        QString text;
        int rememberedAfter;
    };
    const std::vector<Case> cases = {
        {"partly typed", true, -1, "2", "1 kHz", 17},
        {"pasted entry", true, -1, "31.5 Hz", "31.5 Hz", 2},
        {"remembered elsewhere", false, 5, "x", "63 Hz", 5},
        {"past the list", false, 40, "x", "20 Hz", 0},
        {"negative", false, -3, "x", "20 Hz", 0},
    };
    for (const Case& c : cases) {
        SetUp();
        auto& f = Form();
        if (c.enterFirst)
            f.Frequency.SetFocus();
        else
            PreviousValue = std::int16_t(c.remembered);
        f.Frequency.SetText(c.typed);
        EXPECT_EQ(f.Frequency.Text(), c.text) << c.name;
        EXPECT_EQ(PreviousValue, c.rememberedAfter) << c.name;
    }
}

// Picking the lines per band sets the SPL curve's FreqPerBand; pasting an entry does not.
TEST_F(SplParametersTest, LinesPerBand)
{
    struct Case {
        std::string name;
        std::function<void()> edit;
        int freqPerBand;
        int remembered;
    };
    const std::vector<Case> cases = {
        {"High picked", [] { Principale().Frequency_Num.SetListIndex(2); }, 9, 2},
        {"Low picked", [] { Principale().Frequency_Num.SetListIndex(0); }, 1, 0},
        {"Medium picked after Low", [] { Principale().Frequency_Num.SetListIndex(1); }, 5, 1},
        {"High pasted", [] { Principale().Frequency_Num.SetText("High"); }, 5, 2},
    };
    FreqPerBand = 9;
    for (const Case& c : cases) {
        c.edit();
        EXPECT_EQ(FreqPerBand, c.freqPerBand) << c.name;
        EXPECT_EQ(PreviousValue, c.remembered) << c.name;
    }
}

class StartTest : public VenuePanelFixture {
protected:
    void SetUp() override
    {
        VenuePanelFixture::SetUp();
        calls.clear();
        ViewHooks().RunSPLMapSimulation = [this](std::int16_t lines, double c, double mapRes, double sourceRes) {
            calls.push_back({lines, c, mapRes, sourceRes, BandLines[12], BandLines[12 + (lines - 1) / 2]});
            pendingAtRun = SplRecalcPending;
            startEnabledAtRun = Form().StartSimulate.Enabled();
        };
    }
    std::vector<RunCall> calls;
    VbBool pendingAtRun = VbFalse;
    bool startEnabledAtRun = true;
};

// The run takes its parameters from the panel: the centre from the band's item value (31.5 for
// "31.5 Hz"), the bandwidth in octaves, the lines from the list (not FreqPerBand), the speed of
// sound from the spinner's temperature, and the two resolutions from their fields.
TEST_F(StartTest, RunArguments)
{
    struct Case {
        QString band, bandwidth, lines;
        int temperatureSpinner;
        QString mapRes, sourceRes;
        RunCall expected;
    };
    const std::vector<Case> cases = {
        {"31.5 Hz", "1/3 Octave", "Medium", -25, "0,5", "0,02",
         {5, SpeedOfSound(25), 0.5, 0.02, 31.5, 31.5 * std::pow(2.0, 1.0 / 3 / 2)}},
        {"20 kHz", "1/6 Octave", "High", -25, "1,2", "0,05",
         {9, SpeedOfSound(25), 1.2, 0.05, 20000, 20000 * std::pow(2.0, 1.0 / 6 / 2)}},
        {"3.15 kHz", "1/3 Octave", "Low", 10, "5", "0,1", {1, SpeedOfSound(-10), 5, 0.1, 3150, 3150}},
        {"1 kHz", "1/6 Octave", "Medium", -60, "0,1", "0,01",
         {5, SpeedOfSound(60), 0.1, 0.01, 1000, 1000 * std::pow(2.0, 1.0 / 6 / 2)}},
        // Texts that are no number yet: the spinners hold the last accepted values, 0.5 and 0.02.
        {"20 Hz", "1/3 Octave", "Low", -25, "abc", "", {1, SpeedOfSound(25), 0.5, 0.02, 20, 20}},
    };
    for (const Case& c : cases) {
        SetUp();
        auto& f = Form();
        f.Frequency.SetText(c.band);
        f.Bandwidth.SetText(c.bandwidth);
        f.Frequency_Num.SetText(c.lines);
        f.VScroll_Temperature.SetValue(c.temperatureSpinner);
        f.MapRes.SetText(c.mapRes);
        f.SourceRes.SetText(c.sourceRes);
        f.StartSimulate.RaiseClick();
        const std::string name = c.band.toStdString();
        ASSERT_EQ(calls.size(), 1u) << name;
        const RunCall& r = calls[0];
        EXPECT_EQ(r.lineCount, c.expected.lineCount) << name;
        EXPECT_EQ(r.c, c.expected.c) << name;
        EXPECT_EQ(r.mapRes, c.expected.mapRes) << name;
        EXPECT_EQ(r.sourceRes, c.expected.sourceRes) << name;
        EXPECT_EQ(r.centre, c.expected.centre) << name;
        EXPECT_DOUBLE_EQ(r.outerLine, c.expected.outerLine) << name;
        // The curve keeps its own lines per band.
        EXPECT_EQ(FreqPerBand, 9) << name;
    }
}

// With Start already off, an open preferences window is applied and closed and an open
// initial-values window saved and closed, then the recomputation the timer still owes runs, again
// while it asks for more, at most three rounds; only then does the map run start.
TEST_F(StartTest, SettlesBeforeTheRun)
{
    struct Case {
        std::string name;
        bool pending;
        int reRequests;
        int rounds;
        VbBool pendingAtRun;
    };
    const std::vector<Case> cases = {
        {"nothing owed", false, 0, 0, VbFalse},
        {"one round", true, 0, 1, VbFalse},
        {"the tilt settles after one write", true, 1, 2, VbFalse},
        {"never settling", true, 10, 3, VbTrue},
    };
    for (const Case& c : cases) {
        SetUp();
        std::vector<std::string> order;
        AcousticsHooks& up = Acoustics();
        up.preferencesVisible = [] { return true; };
        up.initValuesVisible = [] { return true; };
        up.applyConfig = [&] {
            order.push_back(Form().StartSimulate.Enabled() ? "apply with Start on" : "apply");
        };
        up.unloadPreferences = [&] { order.push_back("close preferences"); };
        up.saveCurrValues = [&] { order.push_back("save"); };
        up.unloadInitValues = [&] {
            order.push_back("close initial values");
            // The rounds come after the windows are closed.
            EXPECT_EQ(Form().splRedraws, 0) << c.name;
        };
        // A stale result that a round recomputes from the fields.
        ClusterCorners[0][0] = 99;
        SplRecalcPending = ToVbBool(c.pending);
        Form().reRequests = c.reRequests;
        Form().StartSimulate.RaiseClick();
        EXPECT_EQ(order, (std::vector<std::string>{"apply", "close preferences", "save", "close initial values"})) << c.name;
        EXPECT_EQ(Form().splRedraws, c.rounds) << c.name;
        ASSERT_EQ(calls.size(), 1u) << c.name;
        EXPECT_EQ(pendingAtRun, c.pendingAtRun) << c.name;
        EXPECT_FALSE(startEnabledAtRun) << c.name;
        // A round recomputes the geometry from the fields.
        EXPECT_EQ(ClusterCorners[0][0], c.rounds > 0 ? 0 : 99) << c.name;
    }
}
