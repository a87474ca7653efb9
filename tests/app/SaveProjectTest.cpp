#include "FailingSync.h"
#include "FileSizeLimit.h"
#include "ProjectFixture.h"
#include "export/Form_SplMapExport.h"

#include <QDir>
#include <QFileInfo>
#include <map>
#include <optional>

namespace {

using SaveProjectTest = ProjectFixture;

const ShownMessage Saved{"File saved!", vbOKOnly, "Array Simulator"};

} // namespace

TEST_F(SaveProjectTest, SaveWritesTheProjectUnderItsName)
{
    SetExampleProject();
    ProjectFileName = Path("show.lac");
    ConfigChanged = VbTrue;
    EXPECT_TRUE(SaveArrayConfig());
    EXPECT_TRUE(svc->dialogs.empty());
    EXPECT_EQ(Messages(), std::vector<ShownMessage>{Saved});
    EXPECT_EQ(ConfigChanged, VbFalse);
    EXPECT_EQ(Frame().Caption(), "Torvi - [Vertical View] - " + Path("show.lac"));

    // The protected container: marker line, then the enciphered text with its 8-digit checksum.
    const QByteArray bytes = FileBytes(Path("show.lac"));
    EXPECT_TRUE(bytes.startsWith("[Do not change anything below this line!]\r\n\r\n"));
    EXPECT_EQ(StoredText(Path("show.lac")), BuildProjectText().toLatin1());
    EXPECT_TRUE(IsStoredChecksum(ChecksumTag(Crc32Bytes(DataBytes))));

    // Nothing changed: the same bytes again.
    EXPECT_TRUE(SaveArrayConfig());
    EXPECT_EQ(FileBytes(Path("show.lac")), bytes);
}

TEST_F(SaveProjectTest, OnlyTheExactUnsavedNameAsksForAName)
{
    struct Case {
        QString name;
        bool asks;
    };
    const std::vector<Case> cases = {{"new.lac", true}, {Path("new.lac"), false}, {Path("other.lac"), false}};
    for (const Case& c : cases) {
        svc->dialogs.clear();
        ProjectFileName = c.name;
        svc->fileAnswers.assign({Path("chosen.lac")});
        EXPECT_TRUE(SaveArrayConfig(QString()));
        EXPECT_EQ(svc->dialogs.size(), c.asks ? 1u : 0u) << c.name.toStdString();
        EXPECT_EQ(ProjectFileName, c.asks ? Path("chosen.lac") : c.name);
    }
}

TEST_F(SaveProjectTest, SaveAsAsksInTheProjectsFolder)
{
    ConfigChanged = VbTrue;
    svc->fileAnswers.assign({Path("first")});
    EXPECT_TRUE(SaveArrayConfigAs());
    ASSERT_EQ(svc->dialogs.size(), 1u);
    const FileDialogRequest& r = svc->dialogs[0].request;
    EXPECT_TRUE(svc->dialogs[0].save);
    EXPECT_EQ(r.title, "Save");
    EXPECT_EQ(r.initialFolder, folder.path() + "/projects");
    EXPECT_EQ(r.filter, "LineArrayConfig (*.lac)|*.lac");
    EXPECT_EQ(r.filterIndex, 1);
    EXPECT_EQ(r.fileName, "new");
    // A bare name gets the project extension.
    EXPECT_EQ(ProjectFileName, Path("first.lac"));
    EXPECT_TRUE(QFile::exists(Path("first.lac")));
    EXPECT_EQ(Frame().Caption(), "Torvi - [Vertical View] - " + Path("first.lac"));
    EXPECT_EQ(ConfigChanged, VbFalse);

    // The next time the dialog proposes the name it last held.
    svc->fileAnswers.assign({Path("second.lac")});
    EXPECT_TRUE(SaveArrayConfigAs());
    EXPECT_EQ(svc->dialogs[1].request.fileName, Path("first.lac"));
    EXPECT_EQ(ProjectFileName, Path("second.lac"));
}

TEST_F(SaveProjectTest, CancelChangesNothing)
{
    ProjectFileName = Path("show.lac");
    ConfigChanged = VbTrue;
    Frame().SetTitle();
    svc->fileAnswers.assign({QString()});
    EXPECT_FALSE(SaveArrayConfigAs());
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(ProjectFileName, Path("show.lac"));
    EXPECT_EQ(ConfigChanged, VbTrue);
    EXPECT_EQ(Frame().Caption(), "Torvi - [Vertical View] - " + Path("show.lac"));
    EXPECT_FALSE(QFile::exists(Path("show.lac")));
}

TEST_F(SaveProjectTest, FailedWriteKeepsTheOldFileAndName)
{
    SetExampleProject();
    ASSERT_TRUE(SaveArrayConfig(Path("kept.lac")));
    const QByteArray before = FileBytes(Path("kept.lac"));
    svc->messages.clear();
    ConfigChanged = VbTrue;

    // A folder that does not exist, and a name taken by a folder.
    ASSERT_TRUE(QDir(folder.path()).mkdir("taken.lac"));
    for (const QString& target : {Path("missing/x.lac"), Path("taken.lac")}) {
        svc->messages.clear();
        EXPECT_FALSE(SaveArrayConfig(target));
        EXPECT_EQ(Messages(), (std::vector<ShownMessage>{{"Unable to save file!\r" + target, vbOKOnly | vbExclamation, "Save"}}));
        EXPECT_EQ(ProjectFileName, Path("kept.lac"));
        EXPECT_EQ(ConfigChanged, VbTrue);
        EXPECT_EQ(Frame().Caption(), "Torvi - [Vertical View] - " + Path("kept.lac"));
    }
    EXPECT_TRUE(QFileInfo(Path("taken.lac")).isDir());
    EXPECT_EQ(FileBytes(Path("kept.lac")), before);
}

TEST_F(SaveProjectTest, TextThatAFileCannotCarryIsRefused)
{
    SetExampleProject();
    ProjectFileName = Path("show.lac");
    ConfigChanged = VbTrue;
    Principale().Stand_Seats[2].SetCaption(QString::fromUtf8("Tribüne"));
    EXPECT_FALSE(SaveArrayConfig());
    EXPECT_EQ(Messages(), (std::vector<ShownMessage>{
                              {"Unable to save file!\r" + Path("show.lac") + QString::fromUtf8("\r\"Stand/Seat[3]=Tribüne\" holds a "
                                                                                        "character that a project file cannot store."),
                               vbOKOnly | vbExclamation, "Save"}}));
    EXPECT_FALSE(QFile::exists(Path("show.lac")));
    EXPECT_EQ(ConfigChanged, VbTrue);
}

TEST_F(SaveProjectTest, FrameMenusReachTheSaveOperations)
{
    SetExampleProject();
    ProjectFileName = Path("menu.lac");
    Frame().mnuFileSave.RaiseClick();
    EXPECT_TRUE(QFile::exists(Path("menu.lac")));
    EXPECT_TRUE(svc->dialogs.empty());

    // Exit after "Yes": a cancelled save keeps the program running.
    bool ended = false;
    Frame().EndProgram = [&ended] { ended = true; };
    ConfigChanged = VbTrue;
    svc->answers.assign({vbYes});
    svc->fileAnswers.assign({QString()});
    Frame().mnuFileExit.RaiseClick();
    EXPECT_FALSE(ended);
    svc->answers.assign({vbYes});
    svc->fileAnswers.assign({Path("exit.lac")});
    Frame().mnuFileExit.RaiseClick();
    EXPECT_TRUE(ended);
    EXPECT_TRUE(QFile::exists(Path("exit.lac")));
}

// A write cut short (a full disk, a quota), or one the storage refuses to hold only when it is synced,
// is a failed save with its message, and the file it was to replace keeps every byte: the project, the
// preferences, a container file and an exported map.
TEST_F(SaveProjectTest, AWriteCutShortFailsAndKeepsTheOldFile)
{
    SetExampleProject();
    ASSERT_TRUE(SaveArrayConfig(Path("kept.lac")));
    ASSERT_TRUE(SaveArrayConfig(Path("other.lac")));
    WritePreferencesFile();
    WriteProject(Path("module.bpf"), "[Product]\r\nCode=1\r\n");
    const QString png = Path("hall.png");
    {
        QFile earlier(png);
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly) && earlier.write("the earlier export") > 0);
    }
    const QStringList files = QDir(folder.path()).entryList(QDir::Files);
    std::map<QString, QByteArray> before;
    for (const QString& name : files)
        before[name] = FileBytes(folder.filePath(name));

    const std::pair<rlim_t, bool> refusals[] = {{0, false}, {64, false}, {RLIM_INFINITY, true}};
    for (const auto& [limit, atSync] : refusals) {
        SCOPED_TRACE(atSync ? "at the sync" : std::to_string(limit));
        ProjectFileName = Path("kept.lac");
        Frame().SetTitle();
        ConfigChanged = VbTrue;
        svc->messages.clear();
        {
            const FileSizeLimit full(limit);
            const FailingSync refused(atSync);
            EXPECT_FALSE(SaveArrayConfig(Path("other.lac")));
            WritePreferencesFile();
            DataBytes.assign(100, 'x');
            EXPECT_THROW(WriteProtectedFile(DataBytes, "12345678", Path("module.bpf")), VbError);
        }
        // The map's picture is written whole to its temporary file first; the disk fills up before
        // the copy onto the chosen file.
        SplMapExport().PreviewPNG_Click();
        std::optional<FileSizeLimit> full;
        std::optional<FailingSync> refused;
        svc->onFileDialog = [&full, &refused, limit, atSync] {
            full.emplace(limit);
            refused.emplace(atSync);
        };
        svc->fileAnswers = {png};
        SplMapExport().ExportPNG_Click();
        full.reset();
        refused.reset();
        svc->onFileDialog = nullptr;

        EXPECT_EQ(Messages(), (std::vector<ShownMessage>{
                                  {"Unable to save file!\r" + Path("other.lac"), vbOKOnly | vbExclamation, "Save"},
                                  {"Unable to write preferences file!\r" + ProgramFolder + "/preferences",
                                   vbOKOnly | vbExclamation, AppTitle},
                                  {"Unable to save PNG file!\r" + png, vbOKOnly | vbExclamation, AppTitle}}));
        EXPECT_EQ(ProjectFileName, Path("kept.lac"));
        EXPECT_EQ(Frame().Caption(), "Torvi - [Vertical View] - " + Path("kept.lac"));
        EXPECT_EQ(ConfigChanged, VbTrue);
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), files);
        for (const auto& [name, bytes] : before)
            EXPECT_EQ(FileBytes(folder.filePath(name)), bytes) << name.toStdString();
    }
}
