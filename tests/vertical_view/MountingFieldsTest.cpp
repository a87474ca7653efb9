#include "ShellFixture.h"

namespace {

using MountingFields = ShellFixture;

QString RangeMessage(int field)
{
    const char* texts[] = {"Please insert a value from -5 to 100!", "Please insert a value from 0 to 100!",
                           "Please insert a value from 0 to 20!", "Please insert a value from -60 to 60!",
                           "Please insert a value from 1 to 16!"};
    return QString::fromLatin1(texts[field]);
}

} // namespace

// Every spinner starts at its field's value, so a fresh project keeps the fields' heights.
TEST_F(MountingFields, SpinnersStartAtTheirFields)
{
    RecordingPrincipale& form = Form();
    const QString texts[] = {"0", "8", "1", "0", "1"};
    const int spinners[] = {0, -80, -1, 0, -1};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(form.Area[i].Text(), texts[i]) << i;
        EXPECT_EQ(form.VScroll_Area[i].Value(), spinners[i]) << i;
    }
    EXPECT_EQ(form.VScroll_MapRes.Value(), -5);
    EXPECT_EQ(form.VScroll_SourceRes.Value(), -2);
    EXPECT_EQ(form.VScroll_Temperature.Value(), -25);
}

// Typing into a mounting field: an accepted value moves the spinner to its grid (and a value moved
// by the spinner is written back rounded); a refused one, or a text that is no number, shows the
// field's range message and comes back from the spinner.
TEST_F(MountingFields, TypedValues)
{
    struct Case {
        int field;
        QString start;
        QString typed;
        QString text;
        int spinner;
        bool message;
    };
    const std::vector<Case> cases = {
        {0, "2", "100", "100", -1000, false},   {0, "2", "-5", "-5", 50, false},
        {0, "0", "5,25", "5,2", -52, false},    {0, "2", "100,01", "2", -20, true},
        {0, "2", "-5,1", "2", -20, true},       {0, "2", "abc", "2", -20, true},
        {0, "2", "", "2", -20, true},           {0, "2", "-", "2", -20, true},
        {1, "8", "0", "0", 0, false},           {1, "8", "-0,1", "8", -80, true},
        {1, "8", "100,5", "8", -80, true},      {2, "1", "1,5", "2", -2, false},
        {2, "1", "1,4", "1,4", -1, false},      {2, "1", "20", "20", -20, false},
        {2, "1", "21", "1", -1, true},          {2, "1", "x", "1", -1, true},
        {3, "5", "61", "5", -50, true},         {4, "3", "16", "16", -16, false},
        {4, "3", "17", "3", -3, true},          {4, "3", "0", "3", -3, true},
        {4, "3", "", "3", -3, true},            {4, "3", "2,5", "2", -2, false},
    };
    RecordingPrincipale& form = LoadExamples();
    for (const Case& c : cases) {
        const auto f = std::size_t(c.field);
        const std::string name = std::to_string(c.field) + " " + c.typed.toStdString();
        form.Area[f].SetText(c.start);
        svc->messages.clear();
        ClearFlags();
        form.Area[f].SetText(c.typed);
        EXPECT_EQ(form.Area[f].Text(), c.text) << name;
        EXPECT_EQ(form.VScroll_Area[f].Value(), c.spinner) << name;
        ASSERT_EQ(svc->messages.size(), c.message ? 1u : 0u) << name;
        if (c.message) {
            EXPECT_EQ(svc->messages[0].text, RangeMessage(c.field)) << name;
            EXPECT_EQ(svc->messages[0].title, "Invalid data insert") << name;
            EXPECT_EQ(svc->messages[0].style, vbOKOnly | vbExclamation) << name;
        }
        EXPECT_EQ(ConfigChanged, VbTrue) << name;
        EXPECT_EQ(TempConfigChange, VbTrue) << name;
        // The stage height changes only the stage lines.
        EXPECT_EQ(SplRecalcPending, c.field == 2 ? VbFalse : VbTrue) << name;
    }
}

// Minus and plus step each field, and the field's own check catches the ends; the box count stays
// within 1 to 16 without a message.
TEST_F(MountingFields, MinusAndPlus)
{
    struct Case {
        int field;
        QString start;
        bool plus;
        QString text;
        int spinner;
        bool message;
    };
    const std::vector<Case> cases = {
        {0, "8", false, "7,9", -79, false},  {0, "8", true, "8,1", -81, false},  {0, "100", true, "100", -1000, true},
        {0, "-5", false, "-5", 50, true},    {1, "0", false, "0", 0, true},      {1, "100", true, "100", -1000, true},
        {2, "1,4", true, "2", -2, false},     {2, "0", false, "0", 0, true},      {2, "20", true, "20", -20, true},
        {3, "60", true, "60", -600, true},   {3, "-60", false, "-60", 600, true}, {3, "-0,1", true, "0", 0, false},
        {4, "1", false, "1", -1, false},     {4, "16", true, "16", -16, false},  {4, "3", true, "4", -4, false},
        {4, "3", false, "2", -2, false},
    };
    RecordingPrincipale& form = LoadExamples();
    for (const Case& c : cases) {
        const auto f = std::size_t(c.field);
        const std::string name = std::to_string(c.field) + " " + c.start.toStdString() + (c.plus ? " +" : " -");
        form.Area[f].SetText(c.start);
        svc->messages.clear();
        (c.plus ? form.Plus : form.Minus)[f].RaiseClick();
        EXPECT_EQ(form.Area[f].Text(), c.text) << name;
        EXPECT_EQ(form.VScroll_Area[f].Value(), c.spinner) << name;
        ASSERT_EQ(svc->messages.size(), c.message ? 1u : 0u) << name;
        if (c.message) {
            EXPECT_EQ(svc->messages[0].text, RangeMessage(c.field)) << name;
        }
        if (c.field == 4) {
            for (std::size_t r = 0; r < std::size_t(MaxBoxes); ++r)
                EXPECT_EQ(form.Tipo[r].Visible(), int(r) < c.text.toInt()) << name << " row " << r;
        }
    }
}

// The array angle aims row 0, and the rows below follow their splays; a lone "-" waits for digits and
// becomes 0 when the field is left.
TEST_F(MountingFields, ArrayAngleAimsTheRows)
{
    RecordingPrincipale& form = LoadExamples();
    form.Area[4].SetText("3");
    form.Angolo[1].SetText("2,5");
    form.Angolo[2].SetText("1");
    form.Area[3].SetText("-12,3");
    EXPECT_EQ(ArrayTilt, -12.3);
    EXPECT_EQ(form.Position[0].Text(), "-12,3");
    EXPECT_EQ(form.Position[1].Text(), "-14,8");
    EXPECT_EQ(form.Position[2].Text(), "-15,8");

    form.Area[3].SetFocus();
    EXPECT_EQ(PreviousValue, -12);
    EXPECT_EQ(form.Area[3].SelLength(), 5);
    form.Area[3].SetText("-");
    EXPECT_EQ(form.Area[3].Text(), "-");
    EXPECT_EQ(form.VScroll_Area[3].Value(), 123);
    EXPECT_TRUE(svc->messages.empty());
    // A step from a lone "-" starts from the last accepted angle.
    form.Plus[3].RaiseClick();
    EXPECT_EQ(form.Area[3].Text(), "-12,2");
    form.Area[3].SetText("-");
    form.Area[4].SetFocus();
    EXPECT_EQ(form.Area[3].Text(), "0");
    EXPECT_EQ(ArrayTilt, 0);
    EXPECT_EQ(form.Position[2].Text(), "-3,5");
    EXPECT_EQ(PreviousValue, 3);
}

// The box count's spinner reaches 26, but a position beyond the rows goes back to the field's count
// without a message.
TEST_F(MountingFields, BoxCountSpinnerBeyondTheRows)
{
    RecordingPrincipale& form = LoadExamples();
    form.Area[4].SetText("16");
    form.VScroll_Area[4].StepUp();
    EXPECT_EQ(form.VScroll_Area[4].Value(), -16);
    form.VScroll_Area[4].SetValue(-26);
    EXPECT_EQ(form.VScroll_Area[4].Value(), -16);
    EXPECT_EQ(form.Area[4].Text(), "16");
    EXPECT_TRUE(svc->messages.empty());
    EXPECT_TRUE(form.Tipo[15].Visible());
}
