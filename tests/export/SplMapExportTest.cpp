#include "export/ExportFixture.h"
#include "export/Form_SplMapExportView.h"
#include "export/SavePngMap.h"
#include "acoustics/Simulation.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QImage>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

const char* const SaveFailed = "Unable to save PNG file!\r";

TEST(SplMapExportNames, DefaultFileNameCutsTheTitleAtItsLastDot)
{
    struct Case {
        const char* project;
        const char* band;
        const char* name;
    };
    const Case cases[] = {
        {"new.lac", "1 kHz", "new - 1 kHz Map.png"},
        {"/home/eva/hall.concert.lac", "63 Hz", "hall.concert - 63 Hz Map.png"},
        {"C:\\Projects\\hall.concert.lac", "63 Hz", "hall.concert - 63 Hz Map.png"},
        {"/home/eva/v1.2/hall", "2 kHz", "hall - 2 kHz Map.png"},   // no dot in the title: used whole
        {"hall", "31.5 Hz", "hall - 31.5 Hz Map.png"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DefaultPngFileName(QString::fromLatin1(c.project), QString::fromLatin1(c.band)),
                  QString::fromLatin1(c.name))
            << c.project;
}

TEST(SplMapExportNames, TemporaryNameIsTheTimeOfDayInHundredths)
{
    ScopedFakeServices svc;
    svc->programFolder = QStringLiteral("/opt/torvi");
    struct Case {
        double seconds;
        const char* path;
    };
    const Case cases[] = {
        {43200.0, "/opt/torvi/exports/ff4320000.tmp"},
        {5.237, "/opt/torvi/exports/ff0000523.tmp"},   // rounded down
        {0.0, "/opt/torvi/exports/ff0000000.tmp"},
        {86399.999, "/opt/torvi/exports/ff8639999.tmp"},
        {86400.5, "/opt/torvi/exports/ff8639999.tmp"},   // never a day or more
    };
    for (const Case& c : cases) {
        svc->seconds = c.seconds;
        EXPECT_EQ(TemporaryPngPath(), QString::fromLatin1(c.path)) << c.seconds;
    }
}

TEST_F(ExportTest, TheWindowOpensWithAnEmptyPictureAndOnlyPreviewEnabled)
{
    Form_SplMapExport& form = SplMapExport();
    EXPECT_EQ(form.Caption(), QStringLiteral("MapPreview"));
    EXPECT_EQ(form.Width(), 15210);
    EXPECT_EQ(form.Height(), 10620);
    EXPECT_EQ(form.picMapPreview.PixelWidth(), 1012);
    EXPECT_EQ(form.picMapPreview.PixelHeight(), 688);
    EXPECT_EQ(form.picMapPreview.Image().pixel(500, 300), 0xFFFFFFFFu);
    struct Button {
        const CommandButton& button;
        const char* caption;
        int left;
        bool enabled;
    };
    const Button buttons[] = {{form.PreviewPNG, "Preview Map", 4500, true},
                              {form.PrintMap, "Print Map", 6000, false},
                              {form.ExportPNG, "Export PNG Map", 7500, false}};
    for (const Button& b : buttons) {
        EXPECT_EQ(b.button.Caption(), QString::fromLatin1(b.caption));
        EXPECT_EQ(b.button.Left(), b.left) << b.caption;
        EXPECT_EQ(b.button.Top(), 10395) << b.caption;
        EXPECT_EQ(b.button.Enabled(), b.enabled) << b.caption;
    }
    EXPECT_TRUE(form.picMapPreview.Composite() == form.picMapPreview.Image()) << "every label hidden";
}

TEST_F(ExportTest, TheWindowIsCentredAtTheTopOfTheScreen)
{
    ExportCalls().screenWidth = [] { return 1920 * 15; };
    const Form_SplMapExport& form = SplMapExport();
    EXPECT_EQ(form.Left(), (28800 - 15210) / 2);
    EXPECT_EQ(form.Top(), 0);
}

TEST_F(ExportTest, BothButtonsRestDuringABuildAndExportFollowsACompletedOne)
{
    Form_SplMapExport& form = SplMapExport();
    bool previewDuring = true;
    bool exportDuring = true;
    svc->onDoEvents = [&] {
        previewDuring = form.PreviewPNG.Enabled();
        exportDuring = form.ExportPNG.Enabled();
        // A click that still got through is refused: no second build starts inside this one.
        form.PreviewPNG_Click();
        form.ExportPNG_Click();
    };
    form.PreviewPNG_Click();
    EXPECT_FALSE(previewDuring);
    EXPECT_FALSE(exportDuring);
    EXPECT_EQ(svc->doEventsCalls, PlotH);
    EXPECT_TRUE(svc->dialogs.empty());
    EXPECT_TRUE(form.PictureBuilt());
    EXPECT_TRUE(form.PreviewPNG.Enabled());
    EXPECT_TRUE(form.ExportPNG.Enabled());
    EXPECT_FALSE(form.PrintMap.Enabled());
}

TEST_F(ExportTest, AStoppedBuildLeavesNothingToExport)
{
    Form_SplMapExport& form = SplMapExport();
    form.PreviewPNG_Click();
    ASSERT_TRUE(form.ExportPNG.Enabled());
    int ended = 0;
    ExportCalls().mapExportBuildEnded = [&] { ++ended; };
    svc->onDoEvents = [&] {
        if (svc->doEventsCalls == PlotH + 3)
            StopSplMapExportBuild();   // as the frame's close does
    };
    form.PreviewPNG_Click();
    EXPECT_EQ(svc->doEventsCalls, PlotH + 3);
    EXPECT_EQ(ended, 1);
    EXPECT_TRUE(SplMapExportLoaded());
    EXPECT_FALSE(form.PictureBuilt());
    EXPECT_TRUE(form.PreviewPNG.Enabled());
    EXPECT_FALSE(form.ExportPNG.Enabled());
}

TEST_F(ExportTest, ClosingTheWindowDuringABuildStopsItFirst)
{
    Form_SplMapExport& form = SplMapExport();
    bool loadedAfterClose = false;
    bool activeAtEnd = true;
    svc->onDoEvents = [&] {
        if (svc->doEventsCalls == 3) {
            UnloadSplMapExport();
            loadedAfterClose = SplMapExportLoaded();
        }
    };
    ExportCalls().mapExportBuildEnded = [&] { activeAtEnd = SplMapExportBuildActive(); };
    form.PreviewPNG_Click();
    EXPECT_TRUE(loadedAfterClose) << "the window waits for the build";
    EXPECT_EQ(svc->doEventsCalls, 3);
    EXPECT_FALSE(activeAtEnd);
    EXPECT_FALSE(SplMapExportLoaded());
}

class MapRunAndExportTest : public ExportTest {
protected:
    void SetUp() override
    {
        ExportTest::SetUp();
        SetBandLines(1.0 / 3.0, 5, 1000);
    }
    // No boxes and a venue of no extent: a short run that lets events run once, before its nodes.
    static void Run() { RunSPLMapSimulation(5, 343, 1, 0.02); }
};

TEST_F(MapRunAndExportTest, DuringAMapRunBothButtonsRestAndRefuse)
{
    Form_SplMapExport& form = SplMapExport();
    form.PreviewPNG_Click();
    const int afterBuild = svc->doEventsCalls;
    bool previewDuring = true;
    bool exportDuring = true;
    svc->onDoEvents = [&] {
        if (!MapRunActive())
            return;
        previewDuring = form.PreviewPNG.Enabled();
        exportDuring = form.ExportPNG.Enabled();
        form.PreviewPNG_Click();
        form.ExportPNG_Click();
    };
    Run();
    EXPECT_FALSE(previewDuring);
    EXPECT_FALSE(exportDuring);
    EXPECT_EQ(svc->doEventsCalls, afterBuild + 1) << "no build ran inside the run";
    EXPECT_TRUE(svc->dialogs.empty()) << "no save ran inside the run";
    EXPECT_TRUE(form.PreviewPNG.Enabled());
    EXPECT_TRUE(form.ExportPNG.Enabled());
}

TEST_F(MapRunAndExportTest, AMapRunStartedDuringABuildStopsTheBuild)
{
    Form_SplMapExport& form = SplMapExport();
    bool buttonsDuringRun = true;
    svc->onDoEvents = [&] {
        if (MapRunActive())
            buttonsDuringRun = form.PreviewPNG.Enabled() || form.ExportPNG.Enabled();
        else if (svc->doEventsCalls == 2)
            Run();
    };
    form.PreviewPNG_Click();
    EXPECT_FALSE(buttonsDuringRun);
    EXPECT_EQ(svc->doEventsCalls, 3);   // two rows of the build, one pause of the run
    EXPECT_FALSE(form.PictureBuilt());
    EXPECT_TRUE(form.PreviewPNG.Enabled());
    EXPECT_FALSE(form.ExportPNG.Enabled());
}

// Exports of a built picture into a program folder without an "exports" folder yet.
class PngSaveTest : public ExportTest {
protected:
    void SetUp() override
    {
        ExportTest::SetUp();
        ASSERT_TRUE(program.isValid() && elsewhere.isValid());
        svc->programFolder = program.path();
        svc->seconds = 43200;
        Principale().Elemento_Venue_Pulsante[0].SetCaption(QStringLiteral("On"));
        Principale().Audience1[2].SetText(QStringLiteral("50"));
        FillMap(10, 10, 10000);
        SplMapExport().PreviewPNG_Click();
        shown = Pic().Composite();
        drawn = Pic().Image();
    }
    QString Exports() const { return program.path() + QStringLiteral("/exports"); }
    QString Temporary() const { return Exports() + QStringLiteral("/ff4320000.tmp"); }
    static QStringList Entries(const QString& folder)
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }
    static void Write(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray Read(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir program;
    QTemporaryDir elsewhere;
    QImage shown;
    QImage drawn;
};

TEST_F(PngSaveTest, TheChosenFileHoldsThePictureAsTheWindowShowsIt)
{
    const QString target = Exports() + QStringLiteral("/new - 1 kHz Map.png");
    svc->fileAnswers = {target};
    SplMapExport().ExportPNG_Click();

    EXPECT_FALSE(SplMapExportLoaded());
    ASSERT_EQ(svc->dialogs.size(), 1u);
    const FileDialogRequest& asked = svc->dialogs[0].request;
    EXPECT_TRUE(svc->dialogs[0].save);
    EXPECT_EQ(asked.initialFolder, Exports());
    EXPECT_EQ(asked.filter, QStringLiteral("Export PNG Map (*.png)|*.png"));
    EXPECT_EQ(asked.filterIndex, 1);
    EXPECT_EQ(asked.fileName, target);
    EXPECT_EQ(Principale().Salva.Flags, 4);
    EXPECT_TRUE(Principale().Salva.CancelError);

    EXPECT_EQ(Entries(Exports()), QStringList({"new - 1 kHz Map.png"}));
    const QImage saved(target);
    ASSERT_EQ(saved.size(), QSize(1012, 688));
    EXPECT_TRUE(saved.convertToFormat(QImage::Format_RGB32) == shown.convertToFormat(QImage::Format_RGB32))
        << "the saved picture carries the drawing and its captions";
    EXPECT_NE(shown, drawn) << "the captions are part of what is saved";
    EXPECT_TRUE(svc->messages.empty());
}

TEST_F(PngSaveTest, AnExistingTargetInAnotherFolderIsReplacedWithoutLeftovers)
{
    const QString target = elsewhere.path() + QStringLiteral("/hall.png");
    Write(target, "the earlier export");
    svc->fileAnswers = {target};
    SplMapExport().ExportPNG_Click();

    EXPECT_EQ(Entries(elsewhere.path()), QStringList({"hall.png"}));
    EXPECT_TRUE(Entries(Exports()).isEmpty());
    EXPECT_TRUE(QImage(target).convertToFormat(QImage::Format_RGB32) == shown.convertToFormat(QImage::Format_RGB32));
    EXPECT_TRUE(svc->messages.empty());
}

TEST_F(PngSaveTest, ACancelLeavesNoFileBehindAndSaysNothing)
{
    QDir().mkpath(Exports());
    Write(Temporary(), "left over from an export at the same time of day");
    SplMapExport().ExportPNG_Click();

    EXPECT_EQ(svc->dialogs.size(), 1u);
    EXPECT_TRUE(Entries(Exports()).isEmpty());
    EXPECT_FALSE(SplMapExportLoaded());
    EXPECT_TRUE(svc->messages.empty());
}

TEST_F(PngSaveTest, AFailedMoveSaysSoAndLeavesTheTargetAsItWas)
{
    struct Case {
        QString target;
        bool targetIsFolder;
    };
    const Case cases[] = {
        {elsewhere.path() + QStringLiteral("/no such folder/hall.png"), false},
        {elsewhere.path() + QStringLiteral("/hall.png"), true},   // a folder of that name cannot be replaced
    };
    QDir().mkpath(elsewhere.path() + QStringLiteral("/hall.png"));
    Write(elsewhere.path() + QStringLiteral("/hall.png/inside.txt"), "kept");
    for (const Case& c : cases) {
        svc->messages.clear();
        SplMapExport().PreviewPNG_Click();
        svc->fileAnswers = {c.target};
        SplMapExport().ExportPNG_Click();

        ASSERT_EQ(svc->messages.size(), 1u) << c.target.toStdString();
        EXPECT_EQ(svc->messages[0].text, QString::fromLatin1(SaveFailed) + c.target);
        EXPECT_EQ(svc->messages[0].style, vbOKOnly | vbExclamation);
        EXPECT_TRUE(Entries(Exports()).isEmpty()) << c.target.toStdString();
        EXPECT_FALSE(SplMapExportLoaded());
    }
    EXPECT_EQ(Read(elsewhere.path() + QStringLiteral("/hall.png/inside.txt")), QByteArray("kept"));
    EXPECT_EQ(Entries(elsewhere.path()), QStringList({"hall.png"}));
}

TEST_F(PngSaveTest, APictureThatCannotBeWrittenSaysSoWithoutADialog)
{
    Write(Exports(), "a file where the exports folder belongs");
    svc->fileAnswers = {elsewhere.path() + QStringLiteral("/hall.png")};
    SplMapExport().ExportPNG_Click();

    EXPECT_TRUE(svc->dialogs.empty());
    ASSERT_EQ(svc->messages.size(), 1u);
    EXPECT_EQ(svc->messages[0].text, QString::fromLatin1(SaveFailed) + Temporary());
    EXPECT_FALSE(SplMapExportLoaded());
    EXPECT_TRUE(Entries(elsewhere.path()).isEmpty());
}

TEST_F(ExportTest, ExportBeforeAnyPictureDoesNothing)
{
    SplMapExport().ExportPNG_Click();
    EXPECT_TRUE(svc->dialogs.empty());
    EXPECT_TRUE(SplMapExportLoaded());
}

TEST_F(ExportTest, TheViewIsAToolWindowThatNeverTakesTheFocus)
{
    ShowSplMapExportWindow(nullptr);
    Form_SplMapExport& form = SplMapExport();
    QPointer<QWidget> view;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* v = qobject_cast<Form_SplMapExportView*>(w); v && v->Shows(form))
            view = v;
    ASSERT_TRUE(view);
    EXPECT_TRUE(form.Visible());
    EXPECT_TRUE(view->windowFlags().testFlag(Qt::Tool));
    EXPECT_TRUE(view->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_EQ(view->windowTitle(), QStringLiteral("MapPreview"));

    QPushButton* preview = nullptr;
    QPushButton* exporter = nullptr;
    for (QPushButton* b : view->findChildren<QPushButton*>()) {
        if (b->text() == QStringLiteral("Preview Map"))
            preview = b;
        if (b->text() == QStringLiteral("Export PNG Map"))
            exporter = b;
    }
    ASSERT_TRUE(preview && exporter);
    EXPECT_EQ(preview->focusPolicy(), Qt::NoFocus);
    EXPECT_FALSE(exporter->isEnabled());
    preview->click();
    EXPECT_TRUE(form.PictureBuilt());
    EXPECT_TRUE(exporter->isEnabled());

    view->close();
    EXPECT_FALSE(SplMapExportLoaded());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(view.isNull());
}

} // namespace
