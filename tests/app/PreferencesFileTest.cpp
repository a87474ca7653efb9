#include "AppFixture.h"
#include "platform/Picture.h"

#include <QDir>
#include <functional>
#include <string>
#include <vector>

namespace {

using PreferencesFile = AppFixture;

const QString Corrupted = QStringLiteral("Preferences file may be corrupted!\rDefault preferences will be loaded!");

QByteArray Replaced(QByteArray text, const QByteArray& from, const QByteArray& to)
{
    const qsizetype at = text.indexOf(from);
    EXPECT_GE(at, 0) << from.constData();
    return text.replace(at, from.size(), to);
}

std::vector<QString> Texts(const FakeServices& s)
{
    std::vector<QString> texts;
    for (const auto& m : s.messages)
        texts.push_back(m.title + "|" + QString::number(m.style) + "|" + m.text);
    return texts;
}

} // namespace

// The defaults give exactly these bytes, and the file reads back to the same settings.
TEST_F(PreferencesFile, DefaultFileIsExactAndReadsBack)
{
    WritePreferencesFile();
    EXPECT_EQ(FileBytes(), DefaultPreferencesText());

    ScrambleSettings();
    InizializePreferences(false);
    SettingsSnapshot expected = SettingsSnapshot::Defaults();
    // A good file leaves the rigging settings alone.
    expected.workingMode = 1;
    expected.hooksNumber = 3;
    expected.reverseMode = -1;
    EXPECT_EQ(SettingsSnapshot::Now(), expected);
    EXPECT_TRUE(svc->messages.empty());
}

// Every value written reads back unchanged; the rigging settings are not in the file.
TEST_F(PreferencesFile, WrittenSettingsReadBack)
{
    ScrambleSettings();
    SplGridColor = -5;
    WritePreferencesFile();
    EXPECT_EQ(FileBytes(),
              "[Do not change anything below this line!]\r\n\r\n\r\n"
              "SplScaleMax=150\r\nDeltaSpl=50\r\nSplGrid=0\r\nSplGridColor=-5\r\nSplBackColor=263430\r\n"
              "SplForeColor=255\r\nSplAccuracy=2\r\nVenueGrid=0\r\nCoGOn=0\r\nVenueGridColor=460809\r\n"
              "VenueBackColor=658188\r\nRaysColor=855567\r\nArrayColor=1052946\r\nCoGColor=1250325\r\n"
              "ZeroColor=1447704\r\n");
    SettingsSnapshot expected = SettingsSnapshot::Now();
    expected.workingMode = 0;
    expected.hooksNumber = 1;
    expected.reverseMode = 0;

    InizializeDefaultPreferences();
    InizializePreferences(false);
    EXPECT_EQ(SettingsSnapshot::Now(), expected);
}

// Writing replaces the whole file, however long the old one was.
TEST_F(PreferencesFile, WriteReplacesTheOldFileWhole)
{
    WriteFile(DefaultPreferencesText() + QByteArray(4000, 'x'));
    WritePreferencesFile();
    EXPECT_EQ(FileBytes(), DefaultPreferencesText());
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"preferences"});
}

// A file that cannot be written is reported with its path; the settings stay as they are.
TEST_F(PreferencesFile, FailedWriteIsReported)
{
    struct Case {
        const char* name;
        std::function<QString(const QString&)> prepare;  // returns the program folder to use
    } cases[] = {
        {"folder missing", [](const QString& root) { return root + "/missing"; }},
        {"a folder in the file's place",
         [](const QString& root) {
             QDir(root).mkpath("blocked/preferences");
             return root + "/blocked";
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        svc->messages.clear();
        ProgramFolder = c.prepare(folder.path());
        ScrambleSettings();
        const SettingsSnapshot before = SettingsSnapshot::Now();
        WritePreferencesFile();
        EXPECT_EQ(Texts(svc.fake), std::vector<QString>{"Torvi|48|Unable to write preferences file!\r" + ProgramFolder + "/preferences"});
        EXPECT_EQ(SettingsSnapshot::Now(), before);
    }
    EXPECT_TRUE(QFileInfo(folder.path() + "/blocked/preferences").isDir());
}

// Any fault in the file gives every setting, the sampling values and the rigging settings their
// defaults. At start-up a faulty file is reported; reloading it for a new project is silent.
TEST_F(PreferencesFile, EveryReaderFailureGivesAllDefaults)
{
    const QByteArray good = DefaultPreferencesText();
    struct Case {
        const char* name;
        QByteArray text;
    } cases[] = {
        {"empty file", ""},
        {"marker only", "[Do not change anything below this line!]\r\n"},
        {"space after the marker", Replaced(good, "line!]\r\n", "line!] \r\n")},
        {"marker in other case", Replaced(good, "[Do not", "[do not")},
        {"setting line begins with a space", Replaced(good, "\nDeltaSpl=", "\n DeltaSpl=")},
        {"misspelt key", Replaced(good, "DeltaSpl=", "DeltaSPL=")},
        {"key in other case", Replaced(good, "SplGrid=1", "SPLGrid=1")},
        {"another setting's alias", Replaced(good, "RaysColor=", "LineColor=")},
        {"keys out of order", Replaced(good, "SplGridColor=14671839\r\nSplBackColor=15724527",
                                       "SplBackColor=15724527\r\nSplGridColor=14671839")},
        {"line without =", Replaced(good, "DeltaSpl=30", "DeltaSpl 30")},
        {"scale max not in the list", Replaced(good, "SplScaleMax=120", "SplScaleMax=125")},
        {"scale max beyond 8 bits", Replaced(good, "SplScaleMax=120", "SplScaleMax=300")},
        {"scale max negative", Replaced(good, "SplScaleMax=120", "SplScaleMax=-120")},
        {"scale max no number", Replaced(good, "SplScaleMax=120", "SplScaleMax=abc")},
        {"scale range not in the list", Replaced(good, "DeltaSpl=30", "DeltaSpl=35")},
        {"accuracy 3", Replaced(good, "SplAccuracy=1", "SplAccuracy=3")},
        {"accuracy -1", Replaced(good, "SplAccuracy=1", "SplAccuracy=-1")},
        {"colour no number", Replaced(good, "RaysColor=4227327", "RaysColor=&H4080FF")},
        {"colour beyond 32 bits", Replaced(good, "ArrayColor=8388608", "ArrayColor=2147483648")},
        {"colour empty", Replaced(good, "CoGColor=65280", "CoGColor=")},
        {"file ends early", good.left(good.indexOf("ZeroColor="))},
        {"last value missing", good.left(good.indexOf("33024"))},
    };
    for (const bool newProject : {false, true}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (newProject ? " (new project)" : " (start-up)"));
            WriteFile(c.text);
            ScrambleSettings();
            svc->messages.clear();
            InizializePreferences(newProject);
            EXPECT_EQ(SettingsSnapshot::Now(), SettingsSnapshot::Defaults());
            if (newProject)
                EXPECT_TRUE(svc->messages.empty());
            else
                EXPECT_EQ(Texts(svc.fake), std::vector<QString>{"Loading preferences|48|" + Corrupted});
        }
    }
}

// No file at all: the defaults, without a word.
TEST_F(PreferencesFile, MissingFileGivesDefaultsSilently)
{
    for (const bool newProject : {false, true}) {
        ScrambleSettings();
        InizializePreferences(newProject);
        EXPECT_EQ(SettingsSnapshot::Now(), SettingsSnapshot::Defaults());
    }
    EXPECT_TRUE(svc->messages.empty());
}

// Files that read without failure, and what they give.
TEST_F(PreferencesFile, AcceptedVariants)
{
    const QByteArray good = DefaultPreferencesText();
    struct Case {
        const char* name;
        QByteArray text;
        std::function<void(SettingsSnapshot&)> expect;
    } cases[] = {
        {"scale max rounded down", Replaced(good, "SplScaleMax=120", "SplScaleMax=130,9"),
         [](SettingsSnapshot& s) { s.splScaleMax = 130; }},
        {"switch value 2 keeps the switch", Replaced(good, "SplGrid=1", "SplGrid=2"),
         [](SettingsSnapshot& s) { s.splGrid = 0; }},
        {"switch value 0", Replaced(good, "CoGOn=1", "CoGOn=0"), [](SettingsSnapshot& s) { s.cogOn = 0; }},
        {"accuracy 2 sets the sampling", Replaced(good, "SplAccuracy=1", "SplAccuracy=2"),
         [](SettingsSnapshot& s) {
             s.splAccuracy = 2;
             s.sourceRes = 0.01;
             s.steps = 150;
         }},
        {"accuracy 0 sets the sampling", Replaced(good, "SplAccuracy=1", "SplAccuracy=0"),
         [](SettingsSnapshot& s) {
             s.splAccuracy = 0;
             s.sourceRes = 0.03;
             s.steps = 50;
         }},
        {"negative colour", Replaced(good, "ZeroColor=33024", "ZeroColor=-1"),
         [](SettingsSnapshot& s) { s.zeroColor = -1; }},
        {"lines after the last setting", good + "Extra=1\r\nnonsense\r\n", [](SettingsSnapshot&) {}},
        {"no line end after the last setting", good.chopped(2), [](SettingsSnapshot&) {}},
        {"lines ended by LF alone", QByteArray(good).replace("\r\n", "\n"), [](SettingsSnapshot&) {}},
        {"anything in lines 2 and 3", Replaced(good, "line!]\r\n\r\n\r\n", "line!]\r\nfree text\r\nSplScaleMax=0\r\n"),
         [](SettingsSnapshot&) {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(c.text);
        InizializeDefaultPreferences();
        SplGrid = VbFalse;  // a switch the file does not set keeps this
        svc->messages.clear();
        InizializePreferences(false);
        SettingsSnapshot expected = SettingsSnapshot::Defaults();
        c.expect(expected);
        EXPECT_EQ(SettingsSnapshot::Now(), expected);
        EXPECT_TRUE(svc->messages.empty());
    }
}

// The second accepted keys read like the first ones; the writer always writes the first ones.
TEST_F(PreferencesFile, SecondKeysReadLikeTheFirst)
{
    ScrambleSettings();
    WritePreferencesFile();
    const QByteArray written = FileBytes();
    QByteArray aliased = written;
    for (const auto& [first, second] : {std::pair{"SplGrid=", "splGrid="}, {"SplGridColor=", "SplLineColor="},
                                        {"SplBackColor=", "SPLColor="}, {"SplForeColor=", "SPLForeColor="},
                                        {"VenueGridColor=", "LineColor="}, {"VenueBackColor=", "VenueColor="}})
        aliased = Replaced(aliased, first, second);
    WriteFile(aliased);
    const SettingsSnapshot expected = SettingsSnapshot::Now();

    InizializeDefaultPreferences();
    ScrambleSettings();
    InizializePreferences(false);
    EXPECT_EQ(SettingsSnapshot::Now(), expected);
    EXPECT_TRUE(svc->messages.empty());

    WritePreferencesFile();
    EXPECT_EQ(FileBytes(), written);
}

// The legend markers take their colours as the reader meets them, so a failure after CoGColor leaves
// the marker with the colour read, while the settings return to their defaults.
TEST_F(PreferencesFile, ReaderColoursTheMarkersAsItGoes)
{
    Picture venue(0, 0, 1500, 1500);
    ShapeElement& cog = venue.AddShape();
    ShapeElement& zero = venue.AddShape();
    GetAppHooks().System_CoG_Circle = [&cog] { return &cog; };
    GetAppHooks().System_Zero_Circle = [&zero] { return &zero; };

    const QByteArray good = Replaced(Replaced(DefaultPreferencesText(), "CoGColor=65280", "CoGColor=111"),
                                     "ZeroColor=33024", "ZeroColor=222");
    WriteFile(good);
    InizializePreferences(false);
    EXPECT_EQ(cog.FillColor(), 111);
    EXPECT_EQ(zero.FillColor(), 222);

    cog.SetFillColor(0);
    zero.SetFillColor(0);
    WriteFile(Replaced(good, "ZeroColor=222", "ZeroColor=x"));
    InizializePreferences(true);
    EXPECT_EQ(cog.FillColor(), 111);
    EXPECT_EQ(zero.FillColor(), 0);
    EXPECT_EQ(CoGColor, 0xFF00);
}
