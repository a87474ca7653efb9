#include "AppFixture.h"
#include "forms/FrameHooks.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace {

// A vertical view with five boxes, and stored values for all sixteen.
class InitValuesDialogTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        Form_PrincipaleControls& view = Principale();
        view.VScroll_Area[4].SetMin(-26);
        view.VScroll_Area[4].SetMax(-1);
        SetBoxes("5", -5);
        for (std::size_t i = 0; i < 16; ++i) {
            view.Tipo[i].SetText("Box " + QString::number(i + 1));
            view.Angolo[i].SetText(QString::number(i));
            view.Position[i].SetText(QString::number(-2.5 * double(i)));
            InitValues[i] = {-double(i + 1), 10.0 * double(i + 1)};
        }
        FrameCalls().Show = [this] { ++frameShown; };
    }

    void TearDown() override
    {
        AppFixture::TearDown();
        FrameCalls().Show = nullptr;
    }

    static void SetBoxes(const QString& text, int spinner)
    {
        Principale().Area[4].SetText(text);
        Principale().VScroll_Area[4].SetValue(spinner);
    }

    static Form_InitValues& Open()
    {
        Form_InitValues& d = InitValuesDialog();
        d.Show();
        LoadInitValues();
        return d;
    }

    // Gives the field the focus afresh, as a user's click does, so it remembers its text.
    static void Focus(TextField& field, TextField& elsewhere)
    {
        elsewhere.SetFocus();
        field.SetFocus();
    }

    std::vector<QString> Messages() const
    {
        std::vector<QString> texts;
        for (const auto& m : svc.fake.messages)
            texts.push_back(m.title + "|" + QString::number(m.style) + "|" + m.text);
        return texts;
    }

    int frameShown = 0;
};

std::vector<double> Levels()
{
    std::vector<double> v;
    for (const auto& r : InitValues)
        v.push_back(r.Abs);
    return v;
}

std::vector<double> Delays()
{
    std::vector<double> v;
    for (const auto& r : InitValues)
        v.push_back(r.Delay);
    return v;
}

const QString LevelMessage = "Invalid data insert|48|Please insert a value from 0 to -100";
const QString DelayMessage = "Invalid data insert|48|Please insert a value from 0 to 3000";

} // namespace

// Opening shows one row per box with the vertical view's texts and the stored values; the delay
// column stays hidden but carries the delays.
TEST_F(InitValuesDialogTest, OpensWithTheRowsInUse)
{
    Form_InitValues& d = Open();
    EXPECT_EQ(d.Caption(), "Modules Advanced Settings");
    EXPECT_EQ(d.Configurazione_Array.Caption(), "Array Configuration");
    EXPECT_EQ(d.Label_InitPower.Caption(), "Box Level[dB]");
    EXPECT_EQ(d.Label_Delay.Caption(), QString::fromUtf8("Delay[\u00b5s]"));
    EXPECT_FALSE(d.Label_Delay.Visible());
    for (std::size_t i = 0; i < 16; ++i) {
        SCOPED_TRACE(i);
        const bool used = i < 5;
        for (Control* c : std::initializer_list<Control*>{&d.Cella[i], &d.Tipo[i], &d.Angolo[i], &d.Position[i],
                                                           &d.Power[i], &d.VScroll_Power[i]})
            EXPECT_EQ(c->Visible(), used);
        EXPECT_FALSE(d.Delay[i].Visible());
        EXPECT_FALSE(d.VScroll_Delay[i].Visible());
        if (!used)
            continue;
        EXPECT_EQ(d.Cella[i].Caption(), QString::number(i + 1));
        EXPECT_EQ(d.Tipo[i].Text(), "Box " + QString::number(i + 1));
        EXPECT_EQ(d.Angolo[i].Text(), QString::number(i));
        EXPECT_EQ(d.Position[i].Text(), QString::number(-2.5 * double(i)));
        EXPECT_EQ(d.Power[i].Text(), QString::number(-int(i + 1)));
        EXPECT_EQ(d.VScroll_Power[i].Value(), -int(i + 1));
        EXPECT_EQ(d.Delay[i].Text(), QString::number(10 * (i + 1)));
        EXPECT_EQ(d.VScroll_Delay[i].Value(), -10 * int(i + 1));
    }
    EXPECT_TRUE(svc->messages.empty());
}

// The box count comes from the vertical view's field, or from its spinner while the field holds no
// number, and never exceeds 16.
TEST_F(InitValuesDialogTest, BoxCount)
{
    struct Case {
        const char* text;
        int spinner;
        int rows;
    } cases[] = {{"x", -3, 3}, {"", -7, 7}, {"12", -3, 12}, {"4,5", -3, 4}, {"5,5", -3, 6}, {"40", -3, 16}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        SetBoxes(c.text, c.spinner);
        Form_InitValues& d = InitValuesDialog();
        d.Form_Activate();
        for (std::size_t i = 0; i < 16; ++i)
            EXPECT_EQ(d.Power[i].Visible(), int(i) < c.rows) << i;
    }
    EXPECT_TRUE(svc->messages.empty());
}

// A level outside -100..0 or a delay outside 0..3000, or a text that is no number, is refused: the
// field gets back its text from when it took the focus and the message follows. A lone "-" is a level
// still being typed; the delay has no such case. Values are rounded to whole units, halves to even,
// through the spinners. Every change marks the project for recomputation.
TEST_F(InitValuesDialogTest, FieldChecks)
{
    Form_InitValues& d = Open();
    struct Field {
        TextField* field;
        Spinner* spinner;
        TextField* elsewhere;
        const char* start;
        QString message;
    };
    const Field level{&d.Power[1], &d.VScroll_Power[1], &d.Power[0], "-2", LevelMessage};
    const Field delay{&d.Delay[1], &d.VScroll_Delay[1], &d.Delay[0], "20", DelayMessage};
    struct Case {
        const Field& f;
        const char* typed;
        const char* shown;
        int spinner;
        bool refused;
    } cases[] = {
        {level, "-101", "-2", -2, true},      {level, "1", "-2", -2, true},         {level, "0,5", "-2", -2, true},
        {level, "-100,4", "-2", -2, true},    {level, "", "-2", -2, true},          {level, "abc", "-2", -2, true},
        {level, "-5dB", "-2", -2, true},      {level, "-", "-", -2, false},         {level, "-12,5", "-12", -12, false},
        {level, "-13,5", "-14", -14, false},  {level, "-100", "-100", -100, false}, {level, "0", "0", 0, false},
        {level, "-0,4", "0", 0, false},       {delay, "3001", "20", -20, true},     {delay, "-", "20", -20, true},
        {delay, "-5", "20", -20, true},       {delay, "", "20", -20, true},         {delay, "12,5", "12", -12, false},
        {delay, "3000", "3000", -3000, false}, {delay, "0", "0", 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.f.start << " -> " << c.typed);
        c.f.field->SetText(c.f.start);
        Focus(*c.f.field, *c.f.elsewhere);
        EXPECT_EQ(c.f.field->SelLength(), int(std::strlen(c.f.start)));
        svc->messages.clear();
        ConfigChanged = TempConfigChange = SplRecalcPending = VbFalse;
        c.f.field->SetText(c.typed);
        EXPECT_EQ(c.f.field->Text(), c.shown);
        EXPECT_EQ(c.f.spinner->Value(), c.spinner);
        EXPECT_EQ(Messages(), c.refused ? std::vector<QString>{c.f.message} : std::vector<QString>{});
        EXPECT_EQ(ConfigChanged, VbTrue);
        EXPECT_EQ(TempConfigChange, VbTrue);
        EXPECT_EQ(SplRecalcPending, VbTrue);
    }
}

// The level spinner's up arrow goes towards 0, the delay spinner's towards a larger delay; the field
// follows the spinner.
TEST_F(InitValuesDialogTest, SpinnersMoveTheirFields)
{
    Form_InitValues& d = Open();
    struct Case {
        TextField* field;
        Spinner* spinner;
        const char* start;
        bool up;
        const char* shown;
    } cases[] = {
        {&d.Power[0], &d.VScroll_Power[0], "-3", true, "-2"},   {&d.Power[0], &d.VScroll_Power[0], "0", true, "0"},
        {&d.Power[0], &d.VScroll_Power[0], "-3", false, "-4"},  {&d.Power[0], &d.VScroll_Power[0], "-100", false, "-100"},
        {&d.Delay[0], &d.VScroll_Delay[0], "20", true, "21"},   {&d.Delay[0], &d.VScroll_Delay[0], "0", false, "0"},
        {&d.Delay[0], &d.VScroll_Delay[0], "3000", true, "3000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start << (c.up ? " up" : " down"));
        c.field->SetText(c.start);
        c.up ? c.spinner->StepUp() : c.spinner->StepDown();
        EXPECT_EQ(c.field->Text(), c.shown);
    }
    EXPECT_TRUE(svc->messages.empty());
}

// Ok stores the rows in use, a lone "-" as 0, keeps the delays that came in, zeroes the records of
// the other boxes, marks the project for recomputation and closes the window.
TEST_F(InitValuesDialogTest, OkStoresTheRowsInUseAndZeroesTheRest)
{
    Form_InitValues& d = Open();
    d.Power[0].SetText("-7");
    d.Power[2].SetText("-");
    d.Power[4].SetText("-100");
    ConfigChanged = TempConfigChange = SplRecalcPending = VbFalse;
    d.SaveInitValues.RaiseClick();

    std::vector<double> levels(16, 0.0), delays(16, 0.0);
    levels[0] = -7;
    levels[1] = -2;
    levels[3] = -4;
    levels[4] = -100;
    for (std::size_t i = 0; i < 5; ++i)
        delays[i] = 10.0 * double(i + 1);
    EXPECT_EQ(Levels(), levels);
    EXPECT_EQ(Delays(), delays);
    EXPECT_EQ(ConfigChanged, VbTrue);
    EXPECT_EQ(TempConfigChange, VbTrue);
    EXPECT_EQ(SplRecalcPending, VbTrue);
    EXPECT_FALSE(InitValuesDialogLoaded());
    EXPECT_FALSE(d.Visible());
    EXPECT_EQ(frameShown, 1);
    EXPECT_TRUE(svc->messages.empty());

    // The next opening starts again from the design.
    Form_InitValues& again = InitValuesDialog();
    EXPECT_NE(&again, &d);
    EXPECT_EQ(again.Power[0].Text(), "0");
    EXPECT_FALSE(again.Power[1].Visible());
}

// With a box count that is no number, saving uses the count the box-count spinner holds.
TEST_F(InitValuesDialogTest, SaveWithABoxCountThatIsNoNumber)
{
    Form_InitValues& d = Open();
    SetBoxes("abc", -2);
    d.SaveCurrValues();
    std::vector<double> levels(16, 0.0);
    levels[0] = -1;
    levels[1] = -2;
    EXPECT_EQ(Levels(), levels);
}

// Cancel leaves InitValues as they were; the change flags set by the edits stay set.
TEST_F(InitValuesDialogTest, CancelKeepsTheStoredValues)
{
    const std::vector<double> levels = Levels(), delays = Delays();
    Form_InitValues& d = Open();
    ConfigChanged = VbFalse;
    d.Power[0].SetText("-9");
    d.cmdCancel.RaiseClick();
    EXPECT_EQ(Levels(), levels);
    EXPECT_EQ(Delays(), delays);
    EXPECT_EQ(ConfigChanged, VbTrue);
    EXPECT_FALSE(InitValuesDialogLoaded());
    EXPECT_EQ(frameShown, 1);
}

// Stored values beyond what the dialog takes are brought into its ranges as the rows are filled.
TEST_F(InitValuesDialogTest, LoadBringsStoredValuesIntoRange)
{
    const double inf = std::numeric_limits<double>::infinity();
    InitValues[0] = {-150, 5000};
    InitValues[1] = {12, -3};
    InitValues[2] = {-12.5, 7.5};
    InitValues[3] = {std::nan(""), inf};
    Form_InitValues& d = Open();
    const std::vector<std::pair<const char*, int>> levels{{"-100", -100}, {"0", 0}, {"-12", -12}, {"0", 0}};
    const std::vector<std::pair<const char*, int>> delays{{"3000", -3000}, {"0", 0}, {"8", -8}, {"3000", -3000}};
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(d.Power[i].Text(), levels[i].first);
        EXPECT_EQ(d.VScroll_Power[i].Value(), levels[i].second);
        EXPECT_EQ(d.Delay[i].Text(), delays[i].first);
        EXPECT_EQ(d.VScroll_Delay[i].Value(), delays[i].second);
    }
    EXPECT_TRUE(svc->messages.empty());
}
