#include "ProjectFixture.h"
#include "app/OpenProject.h"

#include <functional>

namespace {

const char* const ExampleText =
    "[Preferences]\r\n"
    "SplScaleMax=120\r\nDeltaSpl=30\r\nSplGrid=1\r\nSplGridColor=14671839\r\nSplBackColor=15724527\r\n"
    "SplForeColor=0\r\nSplAccuracy=1\r\nVenueGrid=1\r\nCoGOn=1\r\nVenueGridColor=14671839\r\n"
    "VenueBackColor=15724527\r\nRaysColor=4227327\r\nArrayColor=8388608\r\nCoGColor=65280\r\nZeroColor=33024\r\n"
    "WorkingMode=0\r\nHooksNumber=1\r\nReverseMode=0\r\nFBarHooks[1]=3\r\nSelHook[1]=1\r\nFBarHooks[2]=0\r\n"
    "SelHook[2]=0\r\nImpossibleMechanicalConfig=0\r\n\r\n\r\n"
    "[Venue Parameters]\r\n"
    "X1[1]=5\r\nZ1[1]=0\r\nX2[1]=30\r\nZ2[1]=2\r\nStand/Seat[1]=Stand\r\nColor[1]=8388608\r\nOn/Off[1]=On\r\n"
    "X1[2]=30\r\nZ1[2]=2\r\nX2[2]=45\r\nZ2[2]=8\r\nStand/Seat[2]=Seats\r\nColor[2]=192\r\nOn/Off[2]=On\r\n"
    "X1[3]=10\r\nZ1[3]=0\r\nX2[3]=20\r\nZ2[3]=0\r\nStand/Seat[3]=Stand\r\nColor[3]=32768\r\nOn/Off[3]=Off\r\n"
    "X1[4]=0\r\nZ1[4]=0\r\nX2[4]=0\r\nZ2[4]=0\r\nStand/Seat[4]=Stand\r\nColor[4]=16448\r\nOn/Off[4]=Off\r\n"
    "\r\n\r\n"
    "[Array Mounting]\r\n"
    "XBracket=35\r\nZBracket=80\r\nStageH=1\r\nArrayTilt=-25\r\nBoxes=3\r\nStageColor=-2147483641\r\n\r\n\r\n"
    "[Array Configuration]\r\n"
    "ElementType[1]=LA12\r\nElementTilt[1]=0\r\nElementType[2]=LB8\r\nElementTilt[2]=25\r\n"
    "ElementType[3]=LA12\r\nElementTilt[3]=50\r\n\r\n\r\n"
    "[Array Initial Values]\r\n"
    "Abs[1]=-3\r\nDelay[1]=0\r\nAbs[2]=0\r\nDelay[2]=100\r\nAbs[3]=-1\r\nDelay[3]=2\r\n\r\n\r\n"
    "[SPL Parameters]\r\n"
    "SPL_SelectedAudience=1\r\nSPL_Frequency=2 kHz\r\nSPL_Bandwidth=1/6 Octave\r\nSPL_Source_Res=3\r\n"
    "SPL_Map_Res=5\r\nBandwidth_Accuracy=High\r\nTemperature=25\r\n";

// The example text with one part replaced; the part must be there.
QByteArray Replaced(const QByteArray& text, const char* from, const char* to)
{
    EXPECT_TRUE(text.contains(from)) << from;
    QByteArray copy = text;
    return copy.replace(from, to);
}

class ProjectFileTest : public ProjectFixture {
protected:
    // Opens text as a project file named "old.lac" stood for the current project beforehand.
    void Open(const QByteArray& text)
    {
        WriteProject(Path("in.lac"), text);
        ProjectFileName = Path("old.lac");
        Frame().SetTitle();
        svc->messages.clear();
        Principale().Apri.FileName = Path("in.lac");
        OpenArrayConfig(1);
    }
};

} // namespace

TEST_F(ProjectFileTest, WriterPutsEveryKeyInItsOrder)
{
    SetExampleProject();
    EXPECT_EQ(BuildProjectText(), QString::fromLatin1(ExampleText));
}

TEST_F(ProjectFileTest, WriterLinesFollowTheBoxCount)
{
    // 80 lines and 4 per box, counting the empty ones, each ended by CR LF.
    for (int boxes : {1, 3, 16}) {
        SetExampleProject();
        Principale().Area[4].SetText(QString::number(boxes));
        const QString text = BuildProjectText();
        EXPECT_EQ(text.count("\r\n"), 80 + 4 * boxes) << boxes;
        EXPECT_EQ(text.count('\r'), text.count('\n'));
        EXPECT_TRUE(text.endsWith("Temperature=25\r\n"));
        EXPECT_TRUE(text.contains(QString("ElementType[%1]=").arg(boxes)));
        EXPECT_FALSE(text.contains(QString("ElementType[%1]=").arg(boxes + 1)));
        EXPECT_TRUE(text.contains(QString("Delay[%1]=").arg(boxes)));
    }
}

TEST_F(ProjectFileTest, WriterUsesTheLocaleSeparatorForDecimals)
{
    struct Case {
        std::function<void()> set;
        const char* line;
    };
    const std::vector<Case> cases = {
        {[] { Principale().Area[3].SetText("0,25"); }, "\r\nArrayTilt=2,5\r\n"},
        {[] { Principale().Area[3].SetText("-1,05"); }, "\r\nArrayTilt=-10,5\r\n"},
        {[] { InitValues[0].Abs = -1.5; }, "\r\nAbs[1]=-1,5\r\n"},
        {[] { InitValues[2].Delay = 12.75; }, "\r\nDelay[3]=12,75\r\n"},
        {[] { Principale().Angolo[1].SetText("1,25"); }, "\r\nElementTilt[2]=12,5\r\n"},
        // A box that carries no splay has no angle to write.
        {[] { Principale().Angolo[2].SetText(""); }, "\r\nElementTilt[3]=0\r\n"},
    };
    for (const Case& c : cases) {
        SetExampleProject();
        c.set();
        EXPECT_TRUE(BuildProjectText().contains(QString::fromLatin1(c.line))) << c.line;
    }
}

// An audience field left in the middle of an edit that is no number yet keeps the coordinate the
// venue shows, the outline's, so the file opens again; a number is written as it stands.
TEST_F(ProjectFileTest, WriterKeepsTheShownCoordinateOfAnAudienceFieldInMidEdit)
{
    struct Case {
        int area;
        int index;
        const char* typed;
        const char* line;
    };
    const std::vector<Case> cases = {
        {0, 3, "-inf", "\r\nZ2[1]=4\r\n"},  {0, 0, "", "\r\nX1[1]=6\r\n"},
        {0, 2, "-", "\r\nX2[1]=31\r\n"},    {0, 1, "12abc", "\r\nZ1[1]=3\r\n"},
        {1, 0, "1,2,3", "\r\nX1[2]=30\r\n"}, {0, 2, "40", "\r\nX2[1]=40\r\n"},
        {0, 3, "2,5", "\r\nZ2[1]=2,5\r\n"},
    };
    for (const Case& c : cases) {
        SetExampleProject();
        Principale().Linea[0]->SetEnds(6, 3, 31, 4);
        Principale().Linea[1]->SetEnds(30, 2, 45, 8);
        Principale().AudienceFields(c.area)[std::size_t(c.index)].SetText(QString::fromLatin1(c.typed));
        const QString text = BuildProjectText();
        EXPECT_TRUE(text.contains(QString::fromLatin1(c.line))) << c.typed;

        Open(text.toLatin1());
        EXPECT_TRUE(Messages().empty()) << c.typed;
        EXPECT_EQ(ProjectFileName, Path("in.lac")) << c.typed;
    }
}

TEST_F(ProjectFileTest, WriterNamesTheRowsItWrites)
{
    // A count typed with a fraction is the rounded count the array uses, in "Boxes" and in the rows.
    SetExampleProject();
    Principale().Area[4].SetText("2,5");
    const QString text = BuildProjectText();
    EXPECT_TRUE(text.contains("\r\nBoxes=2\r\n"));
    EXPECT_TRUE(text.contains("ElementTilt[2]=25\r\n\r\n\r\n[Array Initial Values]"));
}

TEST_F(ProjectFileTest, ReaderStoresEveryValue)
{
    SetExampleProject();
    QByteArray text = BuildProjectText().toLatin1();
    text = Replaced(text, "SplScaleMax=120", "SplScaleMax=160");
    text = Replaced(text, "WorkingMode=0", "WorkingMode=1");
    text = Replaced(text, "HooksNumber=1", "HooksNumber=2");
    text = Replaced(text, "SelHook[2]=0", "SelHook[2]=1");
    text = Replaced(text, "Color[2]=192", "Color[2]=255");
    text = Replaced(text, "On/Off[3]=Off", "On/Off[3]=On");
    text = Replaced(text, "StageColor=-2147483641", "StageColor=4210752");
    int stageLines = 0;
    ProjectViewHooks().Stage_color_Change = [&stageLines] { ++stageLines; };
    UnloadPrincipale();
    PrepareView();
    Open(text);

    EXPECT_TRUE(Messages().empty());
    const Form_PrincipaleControls& f = Principale();
    EXPECT_EQ(SplScaleMax, 160);
    EXPECT_EQ(WorkingMode, 1);
    EXPECT_EQ(HooksNumber, 2);
    EXPECT_EQ(MecView().Mode.Text(), "Manual");
    EXPECT_EQ(MecView().Hooks_Num.Text(), "2");
    EXPECT_EQ(FlyingBarHooks[0].FBarHooks, 3);
    EXPECT_EQ(FlyingBarHooks[0].HoleRow, 0);
    EXPECT_EQ(FlyingBarHooks[1].SelHook, VbTrue);
    EXPECT_EQ(f.Audience2[2].Text(), "45");
    EXPECT_EQ(f.Stand_Seats[1].Caption(), "Seats");
    EXPECT_EQ(f.Elemento_Venue_Colore[1].BackColor(), 255);
    EXPECT_EQ(f.Linea[1]->BorderColor(), 255);
    EXPECT_EQ(f.Linea_Stand_Seats[1]->BorderColor(), 255);
    EXPECT_TRUE(f.Linea[2]->Visible());
    EXPECT_FALSE(f.Linea_Stand_Seats[3]->Visible());
    EXPECT_EQ(f.Area[0].Text(), "3,5");
    EXPECT_EQ(f.VScroll_Area[0].Value(), -35);
    EXPECT_EQ(f.Area[1].Text(), "8");
    EXPECT_EQ(f.Area[3].Text(), "-2,5");
    EXPECT_EQ(f.Area[4].Text(), "3");
    EXPECT_EQ(f.Stage_color.BackColor(), 4210752);
    EXPECT_EQ(stageLines, 1);
    EXPECT_EQ(f.Tipo[1].Text(), "LB8");
    EXPECT_EQ(f.Angolo[1].Text(), "2,5");
    EXPECT_EQ(f.Tipo[2].List(0), "LB8");  // the rows below list what fits under the row above first
    EXPECT_EQ(InitValues[1].Delay, 100);
    EXPECT_EQ(SPL_SelectedAudience, 1);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(f.Label_spalto[k].ForeColor(), k == 1 ? 0xFF : static_cast<std::int32_t>(0x80000012));
    EXPECT_EQ(f.Frequency.Text(), "2 kHz");
    EXPECT_EQ(f.Bandwidth.Text(), "1/6 Octave");
    EXPECT_EQ(f.Frequency_Num.ListIndex(), 2);
    EXPECT_EQ(f.SourceRes.Text(), "0,03");
    EXPECT_EQ(f.MapRes.Text(), "0,5");
}

TEST_F(ProjectFileTest, ReaderAcceptsOlderNamesAnyNumberAsSwitchAndRoundsDown)
{
    struct Case {
        const char* from;
        const char* to;
        std::function<void()> check;
    };
    const Form_PrincipaleControls& f = Principale();
    const std::vector<Case> cases = {
        {"SplGrid=1", "splGrid=0", [] { EXPECT_EQ(SplGrid, VbFalse); }},
        {"SplGridColor=", "SplLineColor=", [] { EXPECT_EQ(SplGridColor, 14671839); }},
        {"SplBackColor=15724527", "SPLColor=7", [] { EXPECT_EQ(SplBackColor, 7); }},
        {"SplForeColor=0", "SPLForeColor=9", [] { EXPECT_EQ(SplForeColor, 9); }},
        {"VenueGridColor=14671839", "LineColor=5", [] { EXPECT_EQ(VenueGridColor, 5); }},
        {"VenueBackColor=15724527", "VenueColor=6", [] { EXPECT_EQ(VenueBackColor, 6); }},
        {"CoGOn=1", "CoGOn=0", [] { EXPECT_EQ(CoGOn, VbFalse); }},
        {"VenueGrid=1", "VenueGrid=5", [] { EXPECT_EQ(VenueGrid, VbTrue); }},
        {"ReverseMode=0", "ReverseMode=-1", [] { EXPECT_EQ(ReverseMode, VbTrue); }},
        {"SplGrid=1", "SplGrid=0,5", [] { EXPECT_EQ(SplGrid, VbTrue); }},
        {"SplAccuracy=1", "SplAccuracy=2,9", [] {
             EXPECT_EQ(SplAccuracy, 2);
             EXPECT_EQ(SplDiagramSourceRes, 0.01);
             EXPECT_EQ(SplDiagramSteps, 150);
         }},
        {"X1[1]=5", "X1[1]=12,7", [&f] { EXPECT_EQ(f.Audience1[0].Text(), "12"); }},
        {"Z2[2]=8", "Z2[2]=100", [&f] { EXPECT_EQ(f.Audience2[3].Text(), "100"); }},
        {"Abs[1]=-3", "Abs[1]=-3,5", [] { EXPECT_EQ(InitValues[0].Abs, -4); }},
        {"Delay[2]=100", "Delay[2]=99,9", [] { EXPECT_EQ(InitValues[1].Delay, 99); }},
        {"ArrayTilt=-25", "ArrayTilt=-7", [&f] { EXPECT_EQ(f.Area[3].Text(), "-0,7"); }},
        {"XBracket=35", "XBracket=-50", [&f] {
             EXPECT_EQ(f.Area[0].Text(), "-5");
             EXPECT_EQ(f.VScroll_Area[0].Value(), 50);
         }},
        {"Temperature=25", "Temperature=20", [&f] {
             EXPECT_EQ(f.VScroll_Temperature.Value(), -20);
             EXPECT_EQ(f.Temperature.Text(), QString::fromUtf8("20 \u00B0C"));
         }},
        {"SPL_SelectedAudience=1", "SPL_SelectedAudience=2,5", [] { EXPECT_EQ(SPL_SelectedAudience, 2); }},
        {"SPL_SelectedAudience=1", "SPL_SelectedAudience=0,5", [] { EXPECT_EQ(SPL_SelectedAudience, 0); }},
        {"SPL_SelectedAudience=1", "SPL_SelectedAudience=3", [&f] {
             EXPECT_EQ(SPL_SelectedAudience, 3);
             EXPECT_EQ(f.Label_spalto[3].ForeColor(), 0xFF);
         }},
        {"StageH=1", "StageH=", [&f] { EXPECT_EQ(f.Area[2].Text(), ""); }},
        {"StageH=1\r\n", "StageH=1\rignored\n", [&f] { EXPECT_EQ(f.Area[2].Text(), "1"); }},
        {"ImpossibleMechanicalConfig=0\r\n\r\n\r\n", "ImpossibleMechanicalConfig=0\r\nanything\r\nat all\r\n", [] {}},
        {"Temperature=25\r\n", "Temperature=25\r\ntrailing text", [] {}},
    };
    for (const Case& c : cases) {
        SetExampleProject();
        Open(Replaced(QByteArray(ExampleText), c.from, c.to));
        SCOPED_TRACE(c.to);
        EXPECT_TRUE(Messages().empty());
        EXPECT_EQ(ProjectFileName, Path("in.lac"));
        c.check();
    }
}

TEST_F(ProjectFileTest, ReaderRefusesACorruptedFile)
{
    struct Case {
        const char* from;
        const char* to;
        bool applied;
        char outsideVenue = 0;  // 'X' or 'Z': the audience fields' own message comes first
    };
    const std::vector<Case> cases = {
        {"[Preferences]", "[preferences]", false},
        {"SplScaleMax=120", "SplScaleMax=125", false},
        {"SplScaleMax=120", "SplScaleMax=", false},
        {"DeltaSpl=30", "DeltaSpl=35", true},
        {"SplGrid=1", "SPLGrid=1", true},
        {"SplGrid=1", "SplGrid=True", true},
        {"SplAccuracy=1", "SplAccuracy=3", true},
        {"CoGColor=65280", "CoGColor=2147483648", true},
        {"WorkingMode=0", "WorkingMode=2", true},
        {"HooksNumber=1", "HooksNumber=4", true},
        {"HooksNumber=1", "HooksNumber=1,0", true},
        {"FBarHooks[1]=3", "FBarHooks[1]=60", true},
        {"FBarHooks[2]=0", "FBarHooks[2]=-1", true},
        {"[Venue Parameters]", "[Venue parameters]", true},
        {"X1[1]=5", "X1[1]=five", true},
        // The venue takes from a file only what its fields take from the user.
        {"Z2[2]=8", "Z2[2]=-0,5", true, 'Z'},
        {"X2[2]=45", "X2[2]=500,4", true, 'X'},
        {"Z1[2]=2", "Z1[2]=100,5", true, 'Z'},
        {"X2[2]=45", "X2[2]=1,7976931348623157E+308", true, 'X'},
        {"Color[2]=192", "Color[2]=", true},
        {"XBracket=35", "XBracket=-51", true},
        {"XBracket=35", "XBracket=1001", true},
        {"ZBracket=80", "ZBracket=-1", true},
        {"ArrayTilt=-25", "ArrayTilt=-2.5", true},
        {"Boxes=3", "Boxes=0", true},
        {"Boxes=3", "Boxes=17", true},
        // Two rows expected, three written: the third row's lines are taken for the gap.
        {"Boxes=3", "Boxes=2", true},
        {"ElementTilt[2]=25", "ElementTilt[2]=x", true},
        {"ElementType[3]", "ElementType[4]", true},
        {"Abs[1]=-3", "Abs[1]=1", true},
        {"Abs[1]=-3", "Abs[1]=-101", true},
        {"Delay[1]=0", "Delay[1]=3001", true},
        {"Delay[1]=0", "Delay[1]=-1", true},
        {"SPL_SelectedAudience=1", "SPL_SelectedAudience=4", true},
        {"SPL_SelectedAudience=1", "SPL_SelectedAudience=-1", true},
        {"SPL_SelectedAudience=1", "SPL_SelectedAudience=3,5", true},
        {"SPL_SelectedAudience=1", "SPL_SelectedAudience=-0,4", true},
        {"SPL_Frequency=2 kHz", "SPL_Frequency=2 KHz", true},
        {"SPL_Bandwidth=1/6 Octave", "SPL_Bandwidth=1/12 Octave", true},
        {"SPL_Source_Res=3", "SPL_Source_Res=11", true},
        {"SPL_Source_Res=3", "SPL_Source_Res=0", true},
        {"SPL_Map_Res=5", "SPL_Map_Res=51", true},
        {"Bandwidth_Accuracy=High", "Bandwidth_Accuracy=high", true},
        {"Temperature=25", "Temperature=61", true},
        {"Temperature=25", "Temperature=-26", true},
        {"Temperature=25\r\n", "Temperature=25", true},
        {"[SPL Parameters]\r\n", "[SPL Parameters]", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.to);
        SetExampleProject();
        HooksNumber = 3;
        ConfigChanged = VbFalse;
        ProjectNeedsNewName = false;
        Open(Replaced(QByteArray(ExampleText), c.from, c.to));
        std::vector<ShownMessage> expected{{"Unable to load saved file!", vbCritical, "Corrupted file"}};
        if (c.outsideVenue == 'X')
            expected.insert(expected.begin(), {"X has to be greater or equal than 0 And less or equal than 500!",
                                               vbExclamation, "Invalid data insert!"});
        if (c.outsideVenue == 'Z')
            expected.insert(expected.begin(), {"Z has to be greater or equal than 0 And less or equal than 100!",
                                               vbExclamation, "Invalid data insert!"});
        EXPECT_EQ(Messages(), expected);
        EXPECT_EQ(ProjectFileName, Path("old.lac"));
        EXPECT_EQ(Frame().Caption(), "Torvi - [Vertical View] - " + Path("old.lac"));
        // A project read in part is a mix of two: it counts as changed and is saved under a new name.
        EXPECT_EQ(ConfigChanged, c.applied ? VbTrue : VbFalse);
        EXPECT_EQ(ProjectNeedsNewName, c.applied);
        if (QByteArray(c.from).startsWith("HooksNumber")) {
            EXPECT_EQ(HooksNumber, 3);
        }
    }
}

TEST_F(ProjectFileTest, TextCutShortIsCorruptedWhereverItEnds)
{
    const QByteArray text(ExampleText);
    for (qsizetype length : {qsizetype(0), qsizetype(5), qsizetype(200), text.indexOf("[Array Mounting]"), text.size() - 3}) {
        SCOPED_TRACE(length);
        ConfigChanged = VbFalse;
        Open(text.left(length));
        EXPECT_EQ(Messages(), (std::vector<ShownMessage>{{"Unable to load saved file!", vbCritical, "Corrupted file"}}));
        EXPECT_EQ(ProjectFileName, Path("old.lac"));
    }
}

TEST_F(ProjectFileTest, TypeThatNoRowOffersStartsANewProject)
{
    InitValues[5] = {-7, 0};
    Open(Replaced(QByteArray(ExampleText), "ElementType[2]=LB8", "ElementType[2]=LX1"));
    EXPECT_EQ(Messages(), (std::vector<ShownMessage>{{"BoxType LX1 not found!", vbExclamation, "Loading modules"}}));
    EXPECT_EQ(ProjectFileName, "new.lac");
    EXPECT_EQ(Frame().Caption(), "Torvi - [Vertical View] - new.lac");
    EXPECT_EQ(ConfigChanged, VbFalse);
    EXPECT_FALSE(ProjectNeedsNewName);
    // The rows read so far are gone with the old window; the initial values stay.
    EXPECT_EQ(Principale().Tipo[1].Text(), "");
    EXPECT_EQ(InitValues[5].Abs, -7);
}

TEST_F(ProjectFileTest, BoxWithoutAcousticPartHidesItsSplay)
{
    QByteArray text = Replaced(QByteArray(ExampleText), "ElementType[1]=LA12", "ElementType[1]=Hanger");
    text = Replaced(text, "ElementType[2]=LB8", "ElementType[2]=Hanger");
    text = Replaced(text, "ElementType[3]=LA12", "ElementType[3]=Hanger");
    Open(text);
    EXPECT_TRUE(Messages().empty());
    EXPECT_FALSE(Principale().Angolo[0].Visible());
    EXPECT_FALSE(Principale().Angolo[2].Visible());
}
