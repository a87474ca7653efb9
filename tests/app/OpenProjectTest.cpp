#include "ProjectFixture.h"
#include "app/Form_Splash.h"
#include "app/OpenProject.h"
#include "mechanics/Mechanics.h"
#include "vertical_view/Form_Principale.h"

#include <QDir>
#include <QFile>

namespace {

class OpenProjectTest : public ProjectFixture {
protected:
    // The example project saved as "saved.lac" and then left behind: the current project is "old.lac",
    // unchanged, with the default settings.
    void SaveExample()
    {
        SetExampleProject();
        ASSERT_TRUE(SaveArrayConfig(Path("saved.lac")));
        UnloadPrincipale();
        PrepareView();
        InizializeDefaultPreferences();
        InitValues = {};
        ProjectFileName = Path("old.lac");
        Frame().SetTitle();
        ConfigChanged = VbFalse;
        svc->messages.clear();
    }

    // The vertical view with its handlers in place of the bare window, for one test; the bare window
    // comes back for the other tests whatever happens there.
    struct RealVerticalView {
        RealVerticalView()
        {
            ModulesLoaded = VbTrue;
            SplashTimeElapsed = VbTrue;
            InstallVerticalView();
            UnloadPrincipale();
        }
        ~RealVerticalView() { SetPrincipaleFactory(nullptr); }
    };

    void OpenNamed(const QString& path)
    {
        Principale().Apri.FileName = path;
        OpenArrayConfig(1);
    }

    const ShownMessage corrupted{"Unable to load saved file!", vbCritical, "Corrupted file"};
};

} // namespace

TEST_F(OpenProjectTest, OpenedProjectIsNamedAndUnchanged)
{
    SaveExample();
    OpenNamed(Path("saved.lac"));
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(svc->dialogs.empty());
    EXPECT_EQ(ProjectFileName, Path("saved.lac"));
    EXPECT_EQ(Frame().Caption(), "Torvi - [Vertical View] - " + Path("saved.lac"));
    EXPECT_EQ(ConfigChanged, VbFalse);
    // The handed-over name is used once.
    EXPECT_EQ(Principale().Apri.FileName, "");

    const Form_PrincipaleControls& f = Principale();
    EXPECT_EQ(f.VScroll_SourceRes.Value(), -3);
    EXPECT_EQ(f.VScroll_MapRes.Value(), -5);
    EXPECT_EQ(f.VScroll_Temperature.Value(), -25);
    EXPECT_EQ(f.Temperature.SelStart(), 0);
    EXPECT_EQ(f.Temperature.SelText(), "25");
}

TEST_F(OpenProjectTest, EachOpenAsksThroughTheDialog)
{
    SaveExample();
    svc->fileAnswers.assign({Path("saved.lac")});
    OpenArrayConfig(1);
    ASSERT_EQ(svc->dialogs.size(), 1u);
    const FileDialogRequest& r = svc->dialogs[0].request;
    EXPECT_FALSE(svc->dialogs[0].save);
    EXPECT_EQ(r.title, "Open");
    EXPECT_EQ(r.initialFolder, folder.path() + "/projects");
    EXPECT_EQ(r.filter, "LineArrayConfig (*.lac)|*.lac|All files (*.*)|*.*");
    EXPECT_EQ(r.filterIndex, 1);
    EXPECT_EQ(ProjectFileName, Path("saved.lac"));

    // The next open asks again; a cancel there changes nothing.
    ConfigChanged = VbTrue;
    svc->fileAnswers.assign({QString()});
    OpenArrayConfig(1);
    EXPECT_EQ(svc->dialogs.size(), 2u);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(ProjectFileName, Path("saved.lac"));
    EXPECT_EQ(ConfigChanged, VbTrue);
}

TEST_F(OpenProjectTest, FileThatCannotBeReadIsReported)
{
    SaveExample();
    ASSERT_TRUE(QDir(folder.path()).mkdir("folder.lac"));
    // A file too short for the header and one byte of text cannot be read either.
    const QByteArray good = FileBytes(Path("saved.lac"));
    for (const auto& [name, bytes] : {std::pair{"short.lac", good.left(45)}, std::pair{"empty.lac", QByteArray()}}) {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    for (const QString& path :
         {Path("absent.lac"), Path("nowhere/absent.lac"), Path("folder.lac"), Path("short.lac"), Path("empty.lac")}) {
        svc->messages.clear();
        ConfigChanged = VbTrue;
        OpenNamed(path);
        EXPECT_EQ(Messages(), (std::vector<ShownMessage>{{"Unable to open file!\r" + path, vbOKOnly | vbExclamation, "Torvi"}}));
        EXPECT_EQ(ProjectFileName, Path("old.lac"));
        EXPECT_EQ(Frame().Caption(), "Torvi - [Vertical View] - " + Path("old.lac"));
        EXPECT_EQ(ConfigChanged, VbTrue);
        EXPECT_EQ(SplScaleMax, 120);
    }
}

TEST_F(OpenProjectTest, DamagedContainerIsCorrupted)
{
    SaveExample();
    const QByteArray good = FileBytes(Path("saved.lac"));
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    QByteArray flipped = good;
    flipped[flipped.size() / 2] = char(flipped[flipped.size() / 2] ^ 0x01);
    QByteArray marker = good;
    marker[1] = 'd';
    const std::vector<Case> cases = {
        {"checksum", flipped}, {"marker", marker}, {"payload without a tag", good.left(46)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile file(Path("damaged.lac"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.bytes);
        file.close();
        svc->messages.clear();
        OpenNamed(Path("damaged.lac"));
        EXPECT_EQ(Messages(), std::vector<ShownMessage>{corrupted});
        EXPECT_EQ(ProjectFileName, Path("old.lac"));
        EXPECT_EQ(ConfigChanged, VbFalse);
        EXPECT_FALSE(ProjectNeedsNewName);
        EXPECT_EQ(SplScaleMax, 120);
    }
}

TEST_F(OpenProjectTest, PartlyReadProjectIsSavedUnderANewName)
{
    SaveExample();
    QByteArray text = StoredText(Path("saved.lac"));
    WriteProject(Path("half.lac"), text.replace("Boxes=3", "Boxes=99"));
    OpenNamed(Path("half.lac"));
    EXPECT_EQ(Messages(), std::vector<ShownMessage>{corrupted});
    EXPECT_EQ(ConfigChanged, VbTrue);
    EXPECT_EQ(ProjectFileName, Path("old.lac"));

    // File > Save asks for a name instead of writing the mix over "old.lac".
    svc->fileAnswers.assign({Path("mix.lac")});
    Frame().mnuFileSave.RaiseClick();
    EXPECT_EQ(svc->dialogs.size(), 1u);
    EXPECT_FALSE(QFile::exists(Path("old.lac")));
    EXPECT_EQ(ProjectFileName, Path("mix.lac"));
    EXPECT_FALSE(ProjectNeedsNewName);
    svc->fileAnswers.clear();
    Frame().mnuFileSave.RaiseClick();
    EXPECT_EQ(svc->dialogs.size(), 1u);
}

TEST_F(OpenProjectTest, OpenedSettingsReachTheOpenDialogs)
{
    SaveExample();
    QByteArray text = StoredText(Path("saved.lac"));
    WriteProject(Path("loud.lac"), text.replace("SplScaleMax=120", "SplScaleMax=160"));
    PreferencesDialog().Show();
    InitValuesDialog().Show();
    OpenNamed(Path("loud.lac"));
    EXPECT_EQ(PreferencesDialog().SplMax.Text(), "160 dB");
    EXPECT_EQ(InitValuesDialog().Power[0].Text(), "-3");
    EXPECT_EQ(InitValuesDialog().Delay[1].Text(), "100");
    EXPECT_EQ(ConfigChanged, VbFalse);
}

TEST_F(OpenProjectTest, NewProjectKeepsTheViewOnScreenAndTheInitialValues)
{
    struct Case {
        bool mechanicalCurrent;
    };
    for (const Case& c : {Case{false}, Case{true}}) {
        SCOPED_TRACE(c.mechanicalCurrent);
        SetExampleProject();
        ProjectFileName = Path("old.lac");
        ProjectNeedsNewName = true;
        ConfigChanged = VbTrue;
        WorkingMode = 1;
        HooksNumber = 3;
        ReverseMode = VbTrue;
        if (c.mechanicalCurrent)
            Frame().mnuMechanical_Click();
        else
            Frame().mnuVertical_Click();

        OpenArrayConfig(0);

        EXPECT_EQ(ProjectFileName, "new.lac");
        EXPECT_FALSE(ProjectNeedsNewName);
        EXPECT_EQ(ConfigChanged, VbFalse);
        EXPECT_EQ(Frame().Caption(), c.mechanicalCurrent ? "Torvi - [Mechanical View] - new.lac"
                                                         : "Torvi - [Vertical View] - new.lac");
        EXPECT_EQ(MecView().Visible(), c.mechanicalCurrent);
        EXPECT_EQ(Principale().Visible(), !c.mechanicalCurrent);
        EXPECT_TRUE(Frame().Visible());
        EXPECT_EQ(InitValues[1].Delay, 100);
        EXPECT_EQ(WorkingMode, 0);
        EXPECT_EQ(HooksNumber, 1);
        EXPECT_EQ(ReverseMode, VbFalse);
        EXPECT_EQ(MecView().Mode.Text(), "Auto");
        EXPECT_EQ(MecView().Hooks_Num.Text(), "1");
        EXPECT_EQ(MecView().ReverseModeOn.Value(), 0);

        // A fresh view whose first row offers every loaded module, record k at entry k - 1.
        const Form_PrincipaleControls& f = Principale();
        EXPECT_EQ(f.Area[4].Text(), "1");
        ASSERT_EQ(f.Tipo[0].ListCount(), ModuleCount - 1);
        for (int k = 0; k < ModuleCount; ++k) {
            if (k > 0) {
                EXPECT_EQ(f.Tipo[0].List(k - 1), Modules[k].Model);
            }
            EXPECT_EQ(Modules[k].Slot, k);
        }
        EXPECT_EQ(f.VScroll_Area[3].Value(), 0);
        PrepareView();
    }
}

// With the real vertical view: its load gives the first row record 1's model, and the new project
// keeps that type while its list is refilled with every loaded module.
TEST_F(OpenProjectTest, NewProjectWithTheVerticalViewStartsFromRecordOne)
{
    const RealVerticalView realView;
    Form_PrincipaleControls& first = Principale();
    EXPECT_EQ(first.Tipo[0].Text(), "LA12");
    first.Area[4].SetText("2");
    first.Tipo[0].SetListIndex(1);
    EXPECT_EQ(first.Tipo[0].Text(), "LB8");

    OpenArrayConfig(0);

    const Form_PrincipaleControls& f = Principale();
    EXPECT_NE(dynamic_cast<const Form_Principale*>(&f), nullptr);
    EXPECT_EQ(f.Tipo[0].Text(), "LA12");
    ASSERT_EQ(f.Tipo[0].ListCount(), ModuleCount - 1);
    for (int k = 1; k < ModuleCount; ++k)
        EXPECT_EQ(f.Tipo[0].List(k - 1), Modules[k].Model);
    EXPECT_EQ(f.Area[4].Text(), "1");
    EXPECT_FALSE(f.Tipo[1].Visible());
    EXPECT_EQ(ProjectFileName, "new.lac");
    EXPECT_EQ(ConfigChanged, VbFalse);
}

// Whatever type the first row of a new project offers, a project saved with it opens again: the
// empty record 0 is never offered, so no row can be saved with a name that names no module.
TEST_F(OpenProjectTest, EveryTypeANewProjectOffersSavesAndOpensAgain)
{
    const RealVerticalView realView;
    Principale();
    OpenArrayConfig(0);

    struct Case {
        int entry;
        const char* model;
    };
    const std::vector<Case> cases = {{0, "LA12"}, {1, "LB8"}, {2, "LB8W"}, {3, "Hanger"}};
    ASSERT_EQ(Principale().Tipo[0].ListCount(), int(cases.size()));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        Form_PrincipaleControls& f = Principale();
        f.Tipo[0].SetListIndex(c.entry);
        ASSERT_EQ(f.Tipo[0].Text(), c.model);
        const QString path = folder.filePath(QString::number(c.entry) + ".lac");
        ASSERT_TRUE(SaveArrayConfig(path));
        svc->messages.clear();
        OpenNamed(path);
        EXPECT_TRUE(Messages().empty());
        EXPECT_EQ(ProjectFileName, path);
        EXPECT_EQ(Principale().Tipo[0].Text(), c.model);
    }
}

TEST_F(OpenProjectTest, NewProjectRereadsThePreferencesFile)
{
    QFile file(PreferencesFilePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Do not change anything below this line!]\r\n\r\n\r\n"
               "SplScaleMax=140\r\nDeltaSpl=40\r\nSplGrid=0\r\nSplGridColor=1\r\nSplBackColor=2\r\n"
               "SplForeColor=3\r\nSplAccuracy=0\r\nVenueGrid=0\r\nCoGOn=0\r\nVenueGridColor=4\r\n"
               "VenueBackColor=5\r\nRaysColor=6\r\nArrayColor=7\r\nCoGColor=8\r\nZeroColor=9\r\n");
    file.close();
    OpenArrayConfig(0);
    EXPECT_EQ(SplScaleMax, 140);
    EXPECT_EQ(ZeroColor, 9);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(OpenProjectTest, SpinnersFollowTheirFields)
{
    struct Case {
        const char* mapRes;
        const char* sourceRes;
        const char* temperature;
        int map, source, degrees;
    };
    const std::vector<Case> cases = {
        {"0,5", "0,02", "25 \u00B0C", -5, -2, -25},
        {"5", "0,1", "-25 \u00B0C", -50, -10, 25},
        {"0,25", "0,015", "60 \u00B0C", -2, -2, -60},
        // Texts that are no value the spinner can take leave it where it is.
        {"", "abc", "99 \u00B0C", -2, -2, -60},
        {"0,01", "1", "\u00B0C", -2, -2, -60},
    };
    Form_PrincipaleControls& f = Principale();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mapRes);
        f.MapRes.SetText(QString::fromLatin1(c.mapRes));
        f.SourceRes.SetText(QString::fromLatin1(c.sourceRes));
        f.Temperature.SetText(QString::fromUtf8(c.temperature));
        SyncSimulationScrollBars();
        EXPECT_EQ(f.VScroll_MapRes.Value(), c.map);
        EXPECT_EQ(f.VScroll_SourceRes.Value(), c.source);
        EXPECT_EQ(f.VScroll_Temperature.Value(), c.degrees);
        EXPECT_EQ(f.Temperature.SelStart(), 0);
        EXPECT_EQ(f.Temperature.SelLength(), std::max<qsizetype>(0, f.Temperature.Text().size() - 3));
    }
}

TEST_F(OpenProjectTest, SixteenBoxProjectComesBackWhole)
{
    Form_PrincipaleControls& f = Principale();
    ScrambleSettings();
    WorkingMode = 1;
    HooksNumber = 2;
    MecView().LoadRiggingSettings();
    FlyingBarHooks[0] = {0, 1, VbTrue, VbFalse};
    FlyingBarHooks[1] = {0, 3, VbTrue, VbFalse};
    SetVenue({{{"3", "1", "25", "4", "Seats", "255", "Off"},
               {"25", "4", "40", "9", "Stand", "65280", "On"},
               {"40", "9", "60", "15", "Seats", "16711680", "On"},
               {"-2", "0", "3", "1", "Seats", "8421504", "Off"}}});
    f.VScroll_Area[0].SetValue(-123);
    f.VScroll_Area[1].SetValue(-145);
    f.Area[2].SetText("3");
    f.Area[3].SetText("-7,5");
    f.Area[4].SetText("16");
    f.Stage_color.SetBackColor(0x404040);
    const char* types[] = {"LA12", "LB8", "LB8W"};
    const char* splays[] = {"0", "1", "2,5", "5", "10"};
    for (int r = 0; r < 16; ++r) {
        f.Tipo[r].SetText(QString::fromLatin1(types[r % 3]));
        f.Angolo[r].SetText(QString::fromLatin1(splays[r % 5]));
        InitValues[std::size_t(r)] = {double(-r), double(100 * r)};
    }
    SPL_SelectedAudience = 2;
    f.Frequency.SetText("31.5 Hz");
    f.Bandwidth.SetText("1/6 Octave");
    f.VScroll_SourceRes.SetValue(-7);
    f.VScroll_MapRes.SetValue(-23);
    f.Frequency_Num.SetText("Low");
    f.VScroll_Temperature.SetValue(12);
    // The mechanics that every open recomputes, settled before the first save.
    UpdateMechanics();

    ASSERT_TRUE(SaveArrayConfig(Path("a.lac")));
    const QByteArray saved = StoredText(Path("a.lac"));
    ASSERT_TRUE(saved.contains("ElementType[16]=LA12\r\nElementTilt[16]=0\r\n"));

    // Everything back to the start, then the file.
    UnloadPrincipale();
    UnloadMecView();
    PrepareView();
    InizializeDefaultPreferences();
    ClearArrayState();
    InitValues = {};
    SPL_SelectedAudience = 0;
    ProjectFileName = UnsavedProjectName;
    OpenNamed(Path("a.lac"));
    EXPECT_EQ(ProjectFileName, Path("a.lac"));
    EXPECT_EQ(ConfigChanged, VbFalse);

    const Form_PrincipaleControls& g = Principale();
    EXPECT_EQ(g.Area[0].Text(), "12,3");
    EXPECT_EQ(g.Area[3].Text(), "-7,5");
    EXPECT_EQ(ArrayTilt, -7.5);
    EXPECT_EQ(g.Tipo[15].Text(), "LA12");
    EXPECT_EQ(g.Angolo[12].Text(), "2,5");
    EXPECT_EQ(InitValues[15].Delay, 1500);
    EXPECT_EQ(g.Audience3[3].Text(), "15");
    EXPECT_EQ(g.Elemento_Venue_Pulsante[0].Caption(), "Off");
    EXPECT_FALSE(g.Linea[0]->Visible());
    EXPECT_EQ(g.Frequency.Text(), "31.5 Hz");
    EXPECT_EQ(g.MapRes.Text(), "2,3");
    EXPECT_EQ(g.VScroll_Temperature.Value(), 12);
    EXPECT_EQ(g.Temperature.Text(), QString::fromUtf8("-12 \u00B0C"));
    EXPECT_EQ(MecView().ReverseModeOn.Value(), 1);
    EXPECT_EQ(SplDiagramSteps, 150);

    ASSERT_TRUE(SaveArrayConfig(Path("b.lac")));
    EXPECT_EQ(StoredText(Path("b.lac")), saved);
}

TEST_F(OpenProjectTest, CommandLineOpensTheProjectAtStartUp)
{
    SaveExample();
    Frame().MDIForm_Initialize("\"" + Path("saved.lac") + "\"");
    UnloadSplash();
    EXPECT_TRUE(svc->dialogs.empty());
    EXPECT_EQ(ProjectFileName, Path("saved.lac"));
    EXPECT_EQ(Frame().Caption(), "Torvi - [Vertical View] - " + Path("saved.lac"));
    EXPECT_EQ(Principale().Area[4].Text(), "3");
}
