#include "AppFixture.h"
#include "platform/Picture.h"

#include <QGuiApplication>
#include <QScreen>
#include <string>
#include <vector>

namespace {

// The vertical view's legend markers and the mechanical view's rigging controls, as the dialog reaches them.
class PreferencesDialogTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        mode.AddItem("Auto", 0);
        mode.AddItem("Manual", 1);
        for (const char* n : {"1", "2", "3"})
            hooksNum.AddItem(n);
        AppHooks& hooks = GetAppHooks();
        hooks.System_CoG_Circle = [this] { return &cog; };
        hooks.System_Zero_Circle = [this] { return &zero; };
        hooks.Mode = [this] { return &mode; };
        hooks.Hooks_Num = [this] { return &hooksNum; };
        hooks.ReverseModeOn = [this] { return &reverse; };
        hooks.CalculateArrayGeometry = [this] { Record("CalculateArrayGeometry"); };
        hooks.UpdateMechanics = [this] { Record("UpdateMechanics"); };
        hooks.CalculateSplDiagram = [this] { Record("CalculateSplDiagram"); };
    }

    // Each recomputation with the array colour it finds applied, and the file as it finds it.
    void Record(const char* step)
    {
        calls.push_back(std::string(step) + " array=" + std::to_string(ArrayColor));
        filesSeen.push_back(FileBytes());
    }

    Picture venue{0, 0, 1500, 1500};
    ShapeElement& cog = venue.AddShape();
    ShapeElement& zero = venue.AddShape();
    ComboList mode;
    ComboList hooksNum;
    CheckBox reverse;
    std::vector<std::string> calls;
    std::vector<QByteArray> filesSeen;
};

struct Shown {
    int venueGrid, cogOn, splGrid;
    std::vector<std::int32_t> swatches;
    QString splMax, splRange, splAccuracy;
    bool operator==(const Shown&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Shown& s)
{
    out << s.venueGrid << " " << s.cogOn << " " << s.splGrid << " [";
    for (auto c : s.swatches)
        out << std::hex << c << std::dec << " ";
    return out << "] " << s.splMax.toStdString() << " / " << s.splRange.toStdString() << " / " << s.splAccuracy.toStdString();
}

Shown ShownBy(Form_Preferences& d)
{
    return {d.VenueGridOn.Value(),
            d.CoGOn.Value(),
            d.SplGridOn.Value(),
            {d.VenueGridColor.BackColor(), d.Venue_BackColor.BackColor(), d.VenueRaysColor.BackColor(),
             d.Venue_ForeColor.BackColor(), d.CoGColor.BackColor(), d.ZeroColor.BackColor(), d.SplGridColor.BackColor(),
             d.SPLBackColor.BackColor(), d.SPLForeColor.BackColor()},
            d.SplMax.Text(),
            d.SplRange.Text(),
            d.SplAccuracy.Text()};
}

const Shown DefaultsShown{1, 1, 1,
                          {0xDFDFDF, 0xEFEFEF, 0x4080FF, 0x800000, 0xFF00, 0x8100, 0xDFDFDF, 0xEFEFEF, 0},
                          "120 dB", "30 dB", "Medium"};

} // namespace

// Loading shows the settings, colours the markers and sets the mechanical view's rigging controls;
// the dialog is centred and opens on "Venue".
TEST_F(PreferencesDialogTest, LoadShowsTheSettings)
{
    ScrambleSettings();
    Form_Preferences& d = PreferencesDialog();
    EXPECT_EQ(ShownBy(d), (Shown{0, 0, 0,
                                 {0x070809, 0x0A0B0C, 0x0D0E0F, 0x101112, 0x131415, 0x161718, 0x010203, 0x040506, 0xFF},
                                 "150 dB", "50 dB", "High (Slow)"}));
    EXPECT_EQ(cog.FillColor(), 0x131415);
    EXPECT_EQ(zero.FillColor(), 0x161718);
    EXPECT_EQ(mode.Text(), "Manual");
    EXPECT_EQ(hooksNum.Text(), "3");
    EXPECT_EQ(reverse.Value(), 1);

    EXPECT_EQ(d.Caption(), "Preferences");
    EXPECT_EQ(d.Preferences_TabStrip.SelectedIndex(), 1);
    EXPECT_EQ(d.Preferences_TabStrip.TabCaption(1), "Venue");
    EXPECT_EQ(d.Preferences_TabStrip.TabCaption(2), "SPL");
    EXPECT_TRUE(d.PicTab[0].Visible());
    EXPECT_FALSE(d.PicTab[1].Visible());
    const QSize screen = QGuiApplication::primaryScreen()->size() * 15;
    EXPECT_EQ(d.Left(), (screen.width() - d.Width()) / 2);
    EXPECT_EQ(d.Top(), (screen.height() - d.Height()) / 2);
}

// A setting that no entry holds shows the first entry; a mode no entry holds shows "Auto".
TEST_F(PreferencesDialogTest, LoadFallsBackToTheFirstEntry)
{
    SplScaleMax = 125;
    DeltaSpl = 0;
    SplAccuracy = 7;
    WorkingMode = 5;
    Form_Preferences& d = PreferencesDialog();
    EXPECT_EQ(d.SplMax.Text(), "100 dB");
    EXPECT_EQ(d.SplRange.Text(), "10 dB");
    EXPECT_EQ(d.SplAccuracy.Text(), "Low (Fast)");
    EXPECT_EQ(mode.Text(), "Auto");
}

// A typed text that is no entry is replaced by the list's fallback entry at once; any change marks
// the project changed. The cases run in order on the same lists.
TEST_F(PreferencesDialogTest, ListsFallBack)
{
    Form_Preferences& d = PreferencesDialog();
    struct Case {
        ComboList* list;
        const char* typed;
        const char* shown;
    } cases[] = {
        {&d.SplRange, "55 dB", "30 dB"},      {&d.SplRange, "5", "30 dB"},           {&d.SplRange, "60 dB", "60 dB"},
        {&d.SplAccuracy, "medium", "Medium"}, {&d.SplAccuracy, "High (Slow)", "High (Slow)"},
        {&d.SplAccuracy, "", "Medium"},       {&d.SplMax, "1", "120 dB"},            {&d.SplMax, "180 dB", "180 dB"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        ConfigChanged = VbFalse;
        c.list->SetText(c.typed);
        EXPECT_EQ(c.list->Text(), c.shown);
        EXPECT_EQ(ConfigChanged, VbTrue);
    }
}

// Ctrl+Tab, pressed in any control, selects the next tab and shows its pane; other keys do nothing.
TEST_F(PreferencesDialogTest, CtrlTabSelectsTheNextTab)
{
    Form_Preferences& d = PreferencesDialog();
    struct Case {
        int from, keyCode, shift, to;
    } cases[] = {
        {1, 9, 2, 2}, {2, 9, 2, 1}, {2, 9, 3, 2}, {1, 9, 0, 1}, {1, 9, 6, 1}, {1, 65, 2, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " " << c.keyCode << " " << c.shift);
        d.Preferences_TabStrip.SetSelectedIndex(c.from);
        d.SplMax.RaiseKeyDown(c.keyCode, c.shift);
        EXPECT_EQ(d.Preferences_TabStrip.SelectedIndex(), c.to);
        for (int pane = 0; pane < 2; ++pane) {
            EXPECT_EQ(d.PicTab[std::size_t(pane)].Visible(), pane == c.to - 1);
            EXPECT_EQ(d.PicTab[std::size_t(pane)].Enabled(), pane == c.to - 1);
        }
    }
}

// Apply stores the controls, colours the markers, writes the file and then recomputes, and the dialog
// stays; Ok does the same and closes it. Neither marks the project changed.
TEST_F(PreferencesDialogTest, ApplyAndOkStoreWriteAndRecompute)
{
    for (const bool ok : {false, true}) {
        SCOPED_TRACE(ok ? "Ok" : "Apply");
        QFile::remove(PreferencesFilePath());
        calls.clear();
        filesSeen.clear();
        Form_Preferences& d = PreferencesDialog();
        d.VenueGridOn.SetValue(0);
        d.CoGOn.SetValue(0);
        d.Venue_ForeColor.SetBackColor(0x123456);
        d.CoGColor.SetBackColor(0x11);
        d.ZeroColor.SetBackColor(0x22);
        d.SPLForeColor.SetBackColor(0x33);
        d.SplMax.SetText("160 dB");
        d.SplRange.SetText("60 dB");
        d.SplAccuracy.SetText("Low (Fast)");
        ConfigChanged = VbFalse;

        (ok ? d.cmdOK : d.cmdApply).RaiseClick();

        SettingsSnapshot expected = SettingsSnapshot::Defaults();
        expected.venueGrid = 0;
        expected.cogOn = 0;
        expected.arrayColor = 0x123456;
        expected.cogColor = 0x11;
        expected.zeroColor = 0x22;
        expected.splForeColor = 0x33;
        expected.splScaleMax = 160;
        expected.deltaSpl = 60;
        expected.splAccuracy = 0;
        expected.sourceRes = 0.03;
        expected.steps = 50;
        EXPECT_EQ(SettingsSnapshot::Now(), expected);
        EXPECT_EQ(cog.FillColor(), 0x11);
        EXPECT_EQ(zero.FillColor(), 0x22);
        EXPECT_EQ(calls, (std::vector<std::string>{"CalculateArrayGeometry array=1193046",
                                                   "UpdateMechanics array=1193046", "CalculateSplDiagram array=1193046"}));
        QByteArray file = DefaultPreferencesText();
        for (const auto& [from, to] : {std::pair{"SplScaleMax=120", "SplScaleMax=160"}, {"DeltaSpl=30", "DeltaSpl=60"},
                                       {"SplForeColor=0", "SplForeColor=51"}, {"SplAccuracy=1", "SplAccuracy=0"},
                                       {"VenueGrid=1", "VenueGrid=0"}, {"CoGOn=1", "CoGOn=0"},
                                       {"ArrayColor=8388608", "ArrayColor=1193046"}, {"CoGColor=65280", "CoGColor=17"},
                                       {"ZeroColor=33024", "ZeroColor=34"}})
            file.replace(from, to);
        EXPECT_EQ(filesSeen, std::vector<QByteArray>(3, file));
        EXPECT_EQ(ConfigChanged, VbFalse);
        EXPECT_EQ(PreferencesDialogLoaded(), !ok);
        EXPECT_EQ(d.Visible(), false);
        InizializeDefaultPreferences();
    }
}

// A preferences file that cannot be written is reported; the settings applied stay and the views are
// recomputed all the same.
TEST_F(PreferencesDialogTest, ApplyWithAnUnwritableFile)
{
    ProgramFolder = folder.path() + "/missing";
    Form_Preferences& d = PreferencesDialog();
    d.Venue_ForeColor.SetBackColor(0x123456);
    d.cmdApply.RaiseClick();
    ASSERT_EQ(svc->messages.size(), 1u);
    EXPECT_EQ(svc->messages[0].text, "Unable to write preferences file!\r" + ProgramFolder + "/preferences");
    EXPECT_EQ(svc->messages[0].style, 48);
    EXPECT_EQ(ArrayColor, 0x123456);
    EXPECT_EQ(calls.size(), 3u);
}

// Default puts the defaults into the controls only: Cancel then leaves the settings, the markers and
// the file as they were, but the project marked changed. Default then Apply writes the default file.
TEST_F(PreferencesDialogTest, DefaultThenCancelOrApply)
{
    ScrambleSettings();
    WritePreferencesFile();
    const QByteArray file = FileBytes();
    const SettingsSnapshot before = SettingsSnapshot::Now();

    Form_Preferences& d = PreferencesDialog();
    mode.SetText("Auto");
    ConfigChanged = VbFalse;
    d.cmdDefault.RaiseClick();
    EXPECT_EQ(ShownBy(d), DefaultsShown);
    EXPECT_EQ(mode.Text(), "Auto");
    d.cmdCancel.RaiseClick();
    EXPECT_FALSE(PreferencesDialogLoaded());
    EXPECT_EQ(SettingsSnapshot::Now(), before);
    EXPECT_EQ(cog.FillColor(), 0x131415);
    EXPECT_EQ(zero.FillColor(), 0x161718);
    EXPECT_EQ(FileBytes(), file);
    EXPECT_EQ(ConfigChanged, VbTrue);
    EXPECT_TRUE(calls.empty());

    Form_Preferences& again = PreferencesDialog();
    EXPECT_EQ(again.SplMax.Text(), "150 dB");
    again.cmdDefault.RaiseClick();
    again.cmdApply.RaiseClick();
    EXPECT_EQ(FileBytes(), DefaultPreferencesText());
}

// A swatch takes the colour chosen in the vertical view's colour dialog, which opens on the colour last
// chosen in it; a cancel changes nothing. A chosen colour marks the project changed.
TEST_F(PreferencesDialogTest, SwatchesPickThroughTheSharedColourDialog)
{
    Form_Preferences& d = PreferencesDialog();
    CommonDialog& colours = Principale().Colori;
    colours.Color = 0x0000AA;  // the colour an audience area last took
    struct Case {
        Picture* swatch;
        std::optional<std::int32_t> answer;
        std::int32_t opensOn;
        std::int32_t after;
    } cases[] = {
        {&d.ZeroColor, 0x00BB00, 0x0000AA, 0x00BB00},
        {&d.SPLForeColor, std::nullopt, 0x00BB00, 0},
        {&d.VenueGridColor, 0xCC0000, 0x00BB00, 0xCC0000},
        {&d.SPLBackColor, 0x000001, 0xCC0000, 0x000001},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.opensOn);
        ConfigChanged = VbFalse;
        svc->colorRequests.clear();
        svc->colorAnswers = {c.answer};
        c.swatch->Click();
        EXPECT_EQ(svc->colorRequests, std::vector<std::int32_t>{c.opensOn});
        EXPECT_TRUE(colours.CancelError);
        EXPECT_EQ(colours.Flags, 1);
        EXPECT_EQ(c.swatch->BackColor(), c.after);
        EXPECT_EQ(ConfigChanged, ToVbBool(c.answer.has_value()));
    }
    EXPECT_TRUE(svc->messages.empty());
}

// Every switch a user clicks marks the project changed, the centre-of-gravity one included.
TEST_F(PreferencesDialogTest, SwitchesMarkTheProjectChanged)
{
    Form_Preferences& d = PreferencesDialog();
    for (CheckBox* box : {&d.VenueGridOn, &d.CoGOn, &d.SplGridOn}) {
        ConfigChanged = VbFalse;
        box->SetValue(0);
        EXPECT_EQ(ConfigChanged, VbTrue);
    }
}

// Showing default settings in a fresh dialog changes no control, so it marks nothing.
TEST_F(PreferencesDialogTest, OpeningOnDefaultsMarksNothing)
{
    Form_Preferences& d = PreferencesDialog();
    EXPECT_EQ(ShownBy(d), DefaultsShown);
    EXPECT_EQ(ConfigChanged, VbFalse);
}
