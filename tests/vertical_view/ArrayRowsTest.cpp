#include "ShellFixture.h"

namespace {

using ArrayRows = ShellFixture;
using Texts = std::vector<QString>;

struct RowState {
    Texts types;
    Texts splays;
    Texts positions;
};

// Types, splays and absolute angles of the rows shown, top first; hidden rows end the list.
RowState Shown(RecordingPrincipale& form)
{
    RowState s;
    for (std::size_t r = 0; r < std::size_t(MaxBoxes) && form.Tipo[r].Visible(); ++r) {
        s.types.push_back(form.Tipo[r].Text());
        s.splays.push_back(form.Angolo[r].Text());
        s.positions.push_back(form.Position[r].Text());
    }
    return s;
}

} // namespace

// The box count field shows and hides rows: a new row takes the type of the row above with that
// type's first splay, and aims at the row above; a hidden row keeps its type but loses its splay; a
// row shown again takes the type above it, not its old one.
TEST_F(ArrayRows, BoxCountAddsAndRemovesRows)
{
    RecordingPrincipale& form = LoadExamples();
    form.Area[3].SetText("-1,5");

    struct Step {
        const char* what;
        std::function<void()> act;
        RowState rows;
    };
    const std::vector<Step> steps = {
        {"four boxes", [&] { form.Area[4].SetText("4"); },
         {{"ARC-12", "ARC-12", "ARC-12", "ARC-12"}, {"0", "0", "0", "0"}, {"-1,5", "-1,5", "-1,5", "-1,5"}}},
        {"row 1 splays and becomes an ARC-8",
         [&] {
             form.Angolo[1].SetText("2,5");
             form.Tipo[1].SetListIndex(1);
             form.Angolo[1].SetText("5");
             form.Angolo[2].SetText("1");
         },
         {{"ARC-12", "ARC-8", "ARC-12", "ARC-12"}, {"0", "5", "1", "0"}, {"-1,5", "-6,5", "-7,5", "-7,5"}}},
        {"two boxes", [&] { form.Area[4].SetText("2"); },
         {{"ARC-12", "ARC-8"}, {"0", "5"}, {"-1,5", "-6,5"}}},
        {"the rows hidden keep their types", [] {}, {{"ARC-12", "ARC-8"}, {"0", "5"}, {"-1,5", "-6,5"}}},
        {"five boxes with the spinner",
         [&] {
             for (int i = 0; i < 3; ++i)
                 form.VScroll_Area[4].StepUp();
         },
         {{"ARC-12", "ARC-8", "ARC-8", "ARC-8", "ARC-8"}, {"0", "5", "0", "0", "0"}, {"-1,5", "-6,5", "-6,5", "-6,5", "-6,5"}}},
    };
    std::size_t shownSoFar = 1;
    for (const Step& step : steps) {
        step.act();
        const RowState rows = Shown(form);
        shownSoFar = std::max(shownSoFar, rows.types.size());
        EXPECT_EQ(rows.types, step.rows.types) << step.what;
        EXPECT_EQ(rows.splays, step.rows.splays) << step.what;
        EXPECT_EQ(rows.positions, step.rows.positions) << step.what;
        for (std::size_t r = rows.types.size(); r < std::size_t(MaxBoxes); ++r) {
            EXPECT_FALSE(form.Cella[r].Visible()) << step.what << " row " << r;
            EXPECT_FALSE(form.Angolo[r].Visible()) << step.what << " row " << r;
            EXPECT_FALSE(form.Position[r].Visible()) << step.what << " row " << r;
            EXPECT_TRUE(form.Tipo[r].Locked()) << step.what << " row " << r;
            // A row that has shown a splay list goes back to its 0 entry.
            if (r < shownSoFar) {
                EXPECT_EQ(form.Angolo[r].Text(), "0") << step.what << " row " << r;
            }
        }
        for (std::size_t r = 0; r < rows.types.size(); ++r) {
            EXPECT_TRUE(form.Cella[r].Visible()) << step.what << " row " << r;
            EXPECT_FALSE(form.Tipo[r].Locked()) << step.what << " row " << r;
            EXPECT_EQ(form.Angolo[r].Locked(), r == 0) << step.what << " row " << r;
        }
    }
    EXPECT_EQ(form.Area[4].Text(), "5");
    EXPECT_TRUE(MessageTexts().isEmpty());
}

// A type that cannot hang above the box below asks first. No brings the last accepted type back with
// its splay list; Yes cuts the array after the changed row, whose rows below then offer only what fits
// under the new type. The last row asks nothing.
TEST_F(ArrayRows, CompatibilityPrompt)
{
    struct Case {
        const char* what;
        int boxes;
        std::deque<int> answers;
        int messages;
        QString top;
        int topEntry;
        QString count;
        QStringList below;
        QString remembered;
    };
    const std::vector<Case> cases = {
        {"no", 3, {vbNo}, 1, "ARC-12", 0, "3", {"ARC-12", "ARC-8"}, "ARC-12"},
        {"yes", 3, {vbYes}, 1, "TSB-218F", 2, "1", {"TSB-218F"}, "ARC-12"},
        {"last row", 1, {}, 0, "TSB-218F", 2, "1", {"TSB-218F"}, ""},
    };
    for (const Case& c : cases) {
        TearDown();
        SetUp();
        RecordingPrincipale& form = LoadExamples();
        form.Area[4].SetText(QString::number(c.boxes));
        svc->answers = c.answers;
        form.Tipo[0].SetListIndex(2);

        ASSERT_EQ(int(svc->messages.size()), c.messages) << c.what;
        if (c.messages) {
            EXPECT_EQ(svc->messages[0].text, "This action will cancel current array configuration!\rContinue?");
            EXPECT_EQ(svc->messages[0].title, "Boxes configuration changed");
            EXPECT_EQ(svc->messages[0].style, vbYesNo);
        }
        EXPECT_EQ(form.Tipo[0].Text(), c.top) << c.what;
        EXPECT_EQ(form.Tipo[0].ListIndex(), c.topEntry) << c.what;
        EXPECT_EQ(form.Area[4].Text(), c.count) << c.what;
        EXPECT_EQ(Items(form.Tipo[1]), c.below) << c.what;
        EXPECT_EQ(Items(form.Angolo[0]), QStringList{"0"}) << c.what;
        EXPECT_TRUE(form.Angolo[0].Visible()) << c.what;
        EXPECT_EQ(Shown(form).types.size(), std::size_t(c.count.toInt())) << c.what;
        // The last pair that fitted stays remembered; a single box has no pair.
        EXPECT_EQ(BoxTypeNames[0], c.remembered) << c.what;
        EXPECT_EQ(ConfigChanged, VbTrue) << c.what;
    }
}

// Typing a type: a name the list does not hold becomes its first entry; the splay list follows the
// module now named and starts at its first angle.
TEST_F(ArrayRows, TypedTypeName)
{
    struct Case {
        QString typed;
        QString type;
        int splays;
    };
    const std::vector<Case> cases = {
        {"ARC-8", "ARC-8", 21}, {"arc-8", "ARC-12", 21}, {"", "ARC-12", 21}, {"TSB-218F", "TSB-218F", 11}};
    RecordingPrincipale& form = LoadExamples();
    form.Area[4].SetText("2");
    form.Tipo[1].AddItem("TSB-218F");
    for (const Case& c : cases) {
        form.Angolo[1].SetText("5");
        ClearFlags();
        form.Tipo[1].SetText(c.typed);
        EXPECT_EQ(form.Tipo[1].Text(), c.type) << c.typed.toStdString();
        EXPECT_EQ(form.Angolo[1].ListCount(), c.splays) << c.typed.toStdString();
        EXPECT_EQ(form.Angolo[1].Text(), "0") << c.typed.toStdString();
        EXPECT_EQ(ConfigChanged, VbTrue) << c.typed.toStdString();
        EXPECT_EQ(SplRecalcPending, VbTrue) << c.typed.toStdString();
    }
}

// Taking the focus remembers the splay's place in its list for the restore.
TEST_F(ArrayRows, SplayFocusRemembersItsEntry)
{
    RecordingPrincipale& form = LoadExamples();
    form.Area[4].SetText("2");
    form.Angolo[1].SetText("1,5");
    form.Angolo[1].SetFocus();
    EXPECT_EQ(PreviousValue, 3);
    EXPECT_EQ(form.Angolo[1].SelLength(), 3);
    form.Angolo[1].SetText("1,7");
    EXPECT_EQ(form.Angolo[1].Text(), "1,5");
}

// A typed type goes by the rules of a picked one: on the last row the rows added later offer what
// fits under it, and above a box that cannot hang below it the question of a pick comes, so the
// rows never hold a pair that a saved project could not be opened with.
TEST_F(ArrayRows, TypedTypeKeepsTheRowsCompatible)
{
    struct Case {
        const char* what;
        int boxesWhenTyped;
        std::deque<int> answers;
        Texts types;
        int questions;
    };
    const std::vector<Case> cases = {
        {"typed on the only row, a row added later", 1, {}, {"ARC-12", "ARC-12"}, 0},
        {"typed above a box that cannot hang below it, Yes", 2, {vbYes}, {"ARC-12", "ARC-12"}, 1},
        {"typed above a box that cannot hang below it, No", 2, {vbNo}, {"TSB-218F", "TSB-218F"}, 1},
    };
    for (const Case& c : cases) {
        TearDown();
        SetUp();
        RecordingPrincipale& form = LoadExamples();
        form.Tipo[0].SetListIndex(2);
        ASSERT_EQ(form.Tipo[0].Text(), "TSB-218F") << c.what;
        form.Area[4].SetText("2");
        form.Area[4].SetText(QString::number(c.boxesWhenTyped));
        svc->messages.clear();
        svc->answers = c.answers;

        form.Tipo[0].SetFocus();
        form.Tipo[0].SetText("--");
        form.Area[4].SetFocus();
        form.Area[4].SetText("2");

        EXPECT_EQ(Shown(form).types, c.types) << c.what;
        EXPECT_EQ(int(svc->messages.size()), c.questions) << c.what;
        if (c.questions > 0) {
            EXPECT_EQ(svc->messages[0].text, "This action will cancel current array configuration!\rContinue?") << c.what;
        }
    }
}
