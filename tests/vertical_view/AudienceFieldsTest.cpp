#include "VenuePanelFixture.h"

#include <utility>

namespace {

constexpr double K = 0.5383831521739131;

const QString XMessage = "X has to be greater or equal than 0 And less or equal than 500!";
const QString ZMessage = "Z has to be greater or equal than 0 And less or equal than 100!";
const QString OrderMessage = "The final X cannot be smaller or equal than the initial one!";

using AudienceFieldsTest = VenuePanelFixture;
using Texts = std::vector<QString>;

} // namespace

// Leaving a field: values outside the venue (or no number) and an end not right of the start are
// refused with their messages, the field left takes back the outline's coordinate, and the area's
// four fields end as whole metres, halves to even, with the outline on them.
TEST_F(AudienceFieldsTest, ChecksMessagesAndRounding)
{
    struct Case {
        std::string name;
        std::vector<std::pair<int, QString>> written;  // written before, as a project would
        int area, index;
        QString typed;
        Texts texts;
        Texts messages;
    };
    const std::vector<Case> cases = {
        {"X end at the bound", {}, 0, 2, "500", {"5", "0", "500", "0"}, {}},
        {"X end above it though it rounds to 500", {}, 0, 2, "500,4", {"5", "0", "35", "0"}, {XMessage}},
        {"Z start below 0 though it rounds to 0", {}, 0, 1, "-0,3", {"5", "0", "35", "0"}, {ZMessage}},
        {"Z end above 100", {}, 2, 3, "100,5", {"55", "10", "65", "12"}, {ZMessage}},
        {"ends rounding to the same X", {{2, "10,4"}}, 0, 0, "10,2", {"5", "0", "10", "0"}, {OrderMessage}},
        {"end left of the start", {}, 0, 2, "4", {"5", "0", "35", "0"}, {OrderMessage}},
        {"start on the end", {}, 1, 0, "55", {"35", "0", "55", "4"}, {OrderMessage}},
        {"a half down to even", {}, 0, 3, "12,5", {"5", "0", "35", "12"}, {}},
        {"a half up to even", {}, 0, 3, "13,5", {"5", "0", "35", "14"}, {}},
        {"start rounded", {}, 3, 0, "54,6", {"55", "16", "75", "20"}, {}},
        {"no number", {}, 0, 1, "abc", {"5", "0", "35", "0"}, {ZMessage}},
        {"empty", {}, 0, 2, "", {"5", "0", "35", "0"}, {XMessage}},
        // The field comes back as the outline stands, not as the text it held on entry.
        {"restored from the outline", {{0, "7"}}, 0, 0, "600", {"5", "0", "35", "0"}, {XMessage}},
        // Another field with no number, or with one outside the venue: the message follows the field
        // left, and the other field takes the outline's coordinate, the value the area accepted.
        {"no number elsewhere", {{3, "x"}}, 0, 0, "6", {"5", "0", "35", "0"}, {XMessage}},
        {"out of range elsewhere", {{2, "600"}}, 0, 1, "3", {"5", "0", "35", "0"}, {ZMessage}},
    };
    for (const Case& c : cases) {
        SetUp();
        for (const auto& [j, text] : c.written)
            Form().AudienceFields(c.area)[std::size_t(j)].SetText(text);
        Edit(c.area, c.index, c.typed);
        EXPECT_EQ(AreaTexts(c.area), c.texts) << c.name;
        const LineElement& outline = *Form().Linea[std::size_t(c.area)];
        EXPECT_EQ(Ends(outline), (std::array<double, 4>{Val(c.texts[0]), Val(c.texts[1]), Val(c.texts[2]), Val(c.texts[3])}))
            << c.name;
        ASSERT_EQ(svc->messages.size(), c.messages.size()) << c.name;
        for (std::size_t m = 0; m < c.messages.size(); ++m) {
            EXPECT_EQ(svc->messages[m].text, c.messages[m]) << c.name;
            EXPECT_EQ(svc->messages[m].title, "Invalid data insert!") << c.name;
            EXPECT_EQ(svc->messages[m].style, vbOKOnly | vbExclamation) << c.name;
        }
    }
}

// A refusal brings back the remembered value, then enters the field again: its text is selected
// and the outline's coordinate remembered anew.
TEST_F(AudienceFieldsTest, RefusalEntersTheFieldAgain)
{
    TextField& f = Form().Audience2[3];
    f.SetFocus();
    f.SetText("250");
    // Remembered by another field since.
    PreviousValue = 9;
    f.LostFocus();
    EXPECT_EQ(f.Text(), "9");
    EXPECT_EQ(f.SelStart(), 0);
    EXPECT_EQ(f.SelLength(), 1);
    EXPECT_EQ(PreviousValue, 4);
    EXPECT_EQ(Form().Linea[1]->Y2(), 9);
}

// Entering a field selects it and remembers the outline's coordinate, rounded.
TEST_F(AudienceFieldsTest, EnteringRemembersTheOutline)
{
    Form().Linea[2]->SetY2(12.5);
    Form().Linea[2]->SetX2(65.6);
    struct Case {
        int index;
        int remembered;
    };
    for (const Case& c : std::vector<Case>{{0, 55}, {1, 10}, {2, 66}, {3, 12}}) {
        TextField& f = Form().Audience3[std::size_t(c.index)];
        f.GotFocus();
        EXPECT_EQ(PreviousValue, c.remembered) << c.index;
        EXPECT_EQ(f.SelLength(), int(f.Text().size())) << c.index;
    }
}

// Enter moves to the area's next field, and from its Z end to the next area's X start (4 to 1);
// the field left is validated on the way.
TEST_F(AudienceFieldsTest, EnterKeyOrder)
{
    struct Case {
        int area, index;
        int toArea, toIndex;
    };
    const std::vector<Case> cases = {{0, 0, 0, 1}, {0, 2, 0, 3}, {1, 1, 1, 2}, {0, 3, 1, 0}, {2, 3, 3, 0}, {3, 3, 0, 0}};
    for (const Case& c : cases) {
        SetUp();
        TextField& from = Form().AudienceFields(c.area)[std::size_t(c.index)];
        from.SetFocus();
        from.SetText("-1");
        from.RaiseKeyDown(13, 0);
        EXPECT_EQ(Form().ActiveControl(), &Form().AudienceFields(c.toArea)[std::size_t(c.toIndex)]) << c.area << c.index;
        EXPECT_EQ(svc->messages.size(), 1u) << c.area << c.index;
        // Other keys stay where they are.
        Form().ActiveControl()->RaiseKeyDown(9, 0);
        EXPECT_EQ(Form().ActiveControl(), &Form().AudienceFields(c.toArea)[std::size_t(c.toIndex)]) << c.area << c.index;
    }
}

// Typing marks the project changed; the outline and the SPL curve wait until the field is left.
TEST_F(AudienceFieldsTest, TypingMarksChangedOnly)
{
    Form().Audience1[2].SetText("40");
    EXPECT_EQ(ConfigChanged, VbTrue);
    EXPECT_EQ(TempConfigChange, VbTrue);
    EXPECT_EQ(SplRecalcPending, VbFalse);
    EXPECT_EQ(Form().Linea[0]->X2(), 35);
    EXPECT_EQ(Form().splRedraws, 0);
    Form().Audience1_LostFocus(2);
    EXPECT_EQ(Form().Linea[0]->X2(), 40);
    EXPECT_EQ(Form().splRedraws, 1);
}

// A visible area that grows past the view refits it at once; one that shrank refits it when no
// visible outline still reaches the old value along the bounding axis. Hidden areas and fields left
// unchanged never refit.
TEST_F(AudienceFieldsTest, Refits)
{
    struct Edit_ {
        int area, index;
        QString typed;
    };
    struct Case {
        std::string name;
        std::vector<Edit_> edits;
        bool hideArea4;
        double maxX;
        int maxZ;
        double scaleWidth;
    };
    const std::vector<Case> cases = {
        {"Z end above the top", {{3, 3, "60"}}, false, 76, 61, 62 / K},
        {"X end past the right", {{0, 2, "100"}}, false, 101, 21, 111},
        {"X end just inside", {{0, 2, "75"}}, false, 76, 21, 86},
        {"start never grows", {{0, 0, "30"}}, false, 76, 21, 86},
        {"the bounding height lowered", {{3, 3, "60"}, {3, 3, "30"}}, false, 76, 31, 86},
        {"a height another area reaches", {{3, 3, "60"}, {2, 3, "60"}, {3, 3, "30"}}, false, 76, 61, 62 / K},
        {"the bounding end lowered", {{3, 2, "70"}}, false, 71, 21, 81},
        {"an end another area reaches", {{2, 2, "75"}, {3, 2, "70"}}, false, 76, 21, 86},
        {"area off", {{3, 3, "90"}, {3, 2, "200"}}, true, 76, 21, 86},
    };
    for (const Case& c : cases) {
        SetUp();
        if (c.hideArea4)
            Form().Linea[3]->SetVisible(false);
        for (const Edit_& e : c.edits)
            Edit(e.area, e.index, e.typed);
        EXPECT_EQ(VenueMaxX, c.maxX) << c.name;
        EXPECT_EQ(VenueMaxZ, c.maxZ) << c.name;
        EXPECT_NEAR(Form().Diagramma_Area.ScaleWidth(), c.scaleWidth, 1e-9) << c.name;
        EXPECT_TRUE(svc->messages.empty()) << c.name;
    }
    // The hidden outline still moved.
    EXPECT_EQ(Form().Linea[3]->X2(), 200);
}

// Leaving a field unchanged rounds, places and recomputes the curve but never refits.
TEST_F(AudienceFieldsTest, UnchangedFieldKeepsTheExtents)
{
    VenueMaxX = 500;
    Form().Audience4[2].SetText("75,2");
    Edit(3, 2, "75,2");
    EXPECT_EQ(VenueMaxX, 500);
    EXPECT_EQ(Form().Audience4[2].Text(), "75");
    EXPECT_EQ(Form().splRedraws, 1);
}

// Without a valid map the rays follow at once; over a valid map they are left alone.
TEST_F(AudienceFieldsTest, RaysRedrawnOnlyWithoutAValidMap)
{
    for (const VbBool valid : {VbFalse, VbTrue}) {
        SetUp();
        Form().Raggio[0]->SetVisible(false);
        SplMapValid = valid;
        Form().Audience1_LostFocus(0);
        EXPECT_EQ(Form().Raggio[0]->Visible(), !IsTrue(valid)) << valid;
    }
}

// Values far beyond 16 bits in the fields never reach the outlines: the venue keeps what the area
// accepted, and the handlers refuse the values without ending in an error.
TEST_F(AudienceFieldsTest, DamagedVenueNeverStopsAHandler)
{
    WriteArea(0, {"5", "1e7", "1e9", "0"});
    DrawAudienceAreas();
    EXPECT_NO_THROW(UpdateVenueExtents());
    EXPECT_EQ(Ends(*Form().Linea[0]), (std::array<double, 4>{5, 0, 35, 0}));
    EXPECT_EQ(VenueMaxX, 76);
    EXPECT_EQ(VenueMaxZ, 21);
    TextField& f = Form().Audience1[2];
    EXPECT_NO_THROW(f.SetFocus());
    EXPECT_EQ(PreviousValue, 35);
    EXPECT_NO_THROW(Form().MapRes.SetFocus());
    EXPECT_EQ(f.Text(), "35");
    EXPECT_EQ(Form().Audience1[1].Text(), "0");
    ASSERT_EQ(svc->messages.size(), 1u);
    EXPECT_EQ(svc->messages[0].text, XMessage);
    EXPECT_NO_THROW(Form().Elemento_Venue_Pulsante[0].RaiseClick());
    EXPECT_NO_THROW(Form().Elemento_Venue_Pulsante[0].RaiseClick());
}
