#include "ModuleFolderFixture.h"
#include "core/ContainerState.h"
#include "library/Storage.h"

#include <QFile>
#include <functional>

using modtest::ModuleSpec;

namespace {

std::string replaced(const ModuleSpec& s, const std::string& from, const std::string& to)
{
    std::vector<std::string> lines = s.Lines();
    const auto at = std::find(lines.begin(), lines.end(), from);
    EXPECT_NE(at, lines.end()) << from;
    if (at != lines.end())
        *at = to;
    return ModuleSpec::Join(lines);
}

std::string without(const ModuleSpec& s, const std::string& line)
{
    std::vector<std::string> lines = s.Lines();
    const auto at = std::find(lines.begin(), lines.end(), line);
    EXPECT_NE(at, lines.end()) << line;
    if (at != lines.end())
        lines.erase(at);
    return ModuleSpec::Join(lines);
}

ModuleSpec with(const std::function<void(ModuleSpec&)>& change)
{
    ModuleSpec s;
    change(s);
    return s;
}

void writeRaw(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A container holding text with the given tag instead of its own.
void writeWithTag(const QString& path, const std::string& text, const QString& tag)
{
    DataBytes.assign(text.begin(), text.end());
    DataUBound = static_cast<std::int32_t>(DataBytes.size()) - 1;
    WriteProtectedFile(DataBytes, tag, path);
}

}

TEST_F(ModuleFolderTest, EmptyFolderLoadsNothingAndSaysNothing)
{
    LoadModules();
    EXPECT_TRUE(svc->messages.empty());
    EXPECT_EQ(ModuleCount, 1);
    EXPECT_EQ(ModulesLoaded, VbTrue);
    EXPECT_EQ(Principale().Tipo[0].ListCount(), 0);
}

TEST_F(ModuleFolderTest, MissingFolderIsReportedAndLeavesTheCountAlone)
{
    ASSERT_TRUE(QDir(dir.path()).rmdir("modules"));
    LoadModules();
    ASSERT_EQ(svc->messages.size(), 1u);
    EXPECT_EQ(svc->messages[0].text, "Unable to find Modules folder! ");
    EXPECT_EQ(svc->messages[0].title, "Loading modules");
    EXPECT_EQ(svc->messages[0].style, vbOKOnly | vbExclamation);
    EXPECT_EQ(ModuleCount, 0);
    EXPECT_EQ(ModulesLoaded, VbTrue);
}

TEST_F(ModuleFolderTest, FoldersComeFromTheExecutablesFolder)
{
    write("a.bpf", module(1, "A"));
    LoadModules();
    EXPECT_EQ(ProgramFolder, dir.path());
    EXPECT_EQ(ModulesFolder, dir.path() + "/modules");
    EXPECT_EQ(Principale().Current.Text(), dir.path());
    EXPECT_EQ(Principale().File.Path(), QDir(dir.path() + "/modules").absolutePath());

    // A program folder already shown stays as it is.
    UnloadPrincipale();
    ClearModuleTable();
    Principale().Current.SetText("/elsewhere");
    LoadModules();
    EXPECT_EQ(Principale().Current.Text(), "/elsewhere");
    EXPECT_EQ(ProgramFolder, dir.path());
}

TEST_F(ModuleFolderTest, EveryRefusalRuleGivesTheCorruptionMessage)
{
    struct Case {
        const char* rule;
        std::function<void(const QString& path)> writeFile;
    };
    const auto text = [](std::string t) { return [t](const QString& path) { modtest::WriteModuleFile(path, t); }; };
    const auto spec = [&](std::function<void(ModuleSpec&)> change) { return text(with(change).Text()); };
    const ModuleSpec plain;
    const std::string full = plain.Text();
    const std::vector<Case> cases = {
        {"header differing in letter case", text(replaced(plain, "[Product]", "[product]"))},
        {"a section header misspelt", text(replaced(plain, "[Flying Bar]", "[Flying bar]"))},
        {"a key misspelt", text(replaced(plain, "Code=1", "code=1"))},
        {"a key line without =", text(replaced(plain, "Productor=Test Maker", "Productor Test Maker"))},
        {"nothing after =", text(replaced(plain, "Model=T1", "Model="))},
        {"Code 256", spec([](ModuleSpec& s) { s.code = "256"; })},
        {"Code -1", spec([](ModuleSpec& s) { s.code = "-1"; })},
        {"Code -0,5 rounds down to -1", spec([](ModuleSpec& s) { s.code = "-0,5"; })},
        {"Code that is no number", spec([](ModuleSpec& s) { s.code = "one"; })},
        {"a point is no decimal separator here", spec([](ModuleSpec& s) { s.code = "1.5"; })},
        {"BoxType 256", spec([](ModuleSpec& s) { s.boxType = "256"; })},
        {"an 11th compatible type", spec([](ModuleSpec& s) { s.compat = std::vector<std::string>(11, "3"); })},
        {"FrontLen 1000", spec([](ModuleSpec& s) { s.frontLen = "1000"; })},
        {"FrontLen 32768", spec([](ModuleSpec& s) { s.frontLen = "32768"; })},
        {"Weight -32769", spec([](ModuleSpec& s) { s.weight = "-32769"; })},
        {"a number too large for any field", spec([](ModuleSpec& s) { s.fWeight = "1e999"; })},
        {"a hole beyond 16 bits", spec([](ModuleSpec& s) { s.fcHole = {"32767,5"}; })},
        {"a hole that rounds to the end marker", spec([](ModuleSpec& s) { s.fsHole = {"100", "-1,2"}; })},
        {"hole keys out of order", text(replaced(plain, "FCHole[1]=200", "FCHole[2]=200"))},
        {"a hole list one line short", text(without(plain, "Hole[29]=-1"))},
        {"a skipped line missing", text(without(plain, "*"))},
        {"a band header differing", text(replaced(plain, "[1 kHz]", "[1 KHz]"))},
        {"Abs 256", text(replaced(plain, "Abs[0]=0", "Abs[0]=256"))},
        {"Delay -1", text(replaced(plain, "Delay[1]=1", "Delay[1]=-1"))},
        {"the text ends inside the profile", text(full.substr(0, full.size() - 40))},
        {"the last line without its CR LF", text(full.substr(0, full.size() - 2))},
        {"lines ended by LF alone",
         text([&] {
             std::string t = full;
             t.erase(std::remove(t.begin(), t.end(), '\r'), t.end());
             return t;
         }())},
        {"a blank line before the first", text("\r\n" + full)},
        {"an empty text", text("")},
        {"a tag that does not match the text",
         [&](const QString& path) { writeWithTag(path, full, "00000000"); }},
        {"a tag in lower case",
         [&](const QString& path) {
             const std::string t = plain.Text();
             DataBytes.assign(t.begin(), t.end());
             DataUBound = static_cast<std::int32_t>(DataBytes.size()) - 1;
             writeWithTag(path, t, ChecksumTag(Crc32Bytes(DataBytes)).toLower());
         }},
        {"a marker line that differs",
         [&](const QString& path) {
             modtest::WriteModuleFile(path, full);
             QFile f(path);
             ASSERT_TRUE(f.open(QIODevice::ReadWrite));
             f.write("{");
         }},
        {"a file shorter than its header", [](const QString& path) { writeRaw(path, "[Do not change"); }},
        {"an empty file", [](const QString& path) { writeRaw(path, ""); }},
        {"a payload shorter than a tag",
         [](const QString& path) { writeRaw(path, QByteArray(ProtectedFileMarker) + "\r\n\r\nabc"); }},
    };
    for (const auto& c : cases) {
        UnloadPrincipale();
        ClearModuleTable();
        svc->messages.clear();
        QFile::remove(modulePath("a.bpf"));
        c.writeFile(modulePath("a.bpf"));
        LoadModules();
        ASSERT_EQ(svc->messages.size(), 1u) << c.rule;
        EXPECT_EQ(svc->messages[0].text, corruptMessage("a.bpf")) << c.rule;
        EXPECT_EQ(svc->messages[0].title, "Loading modules") << c.rule;
        EXPECT_EQ(svc->messages[0].style, vbOKOnly | vbExclamation) << c.rule;
        EXPECT_EQ(ModuleCount, 1) << c.rule;
        EXPECT_EQ(ModulesLoaded, VbTrue) << c.rule;
        EXPECT_EQ(Principale().Tipo[0].ListCount(), 0) << c.rule;
        EXPECT_TRUE(modtest::IsEmptyRecord(Modules[1])) << c.rule;
    }
}

TEST_F(ModuleFolderTest, ValidFilesFillRecordsInListOrderAroundACorruptOne)
{
    write("a.bpf", module(1, "A"));
    write("b.bpf", "garbage");
    write("c.bpf", module(3, "C"));
    write("d.bpf", module(4, "D"));
    LoadModules();
    EXPECT_EQ(messageTexts(), QStringList{corruptMessage("b.bpf")});
    EXPECT_EQ(ModuleCount, 4);
    EXPECT_EQ(typeList(), QStringList({"A", "C", "D"}));
    const std::vector<std::pair<int, QString>> expected = {{1, "A"}, {3, "C"}, {4, "D"}};
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(Modules[k].Slot, k);
        EXPECT_EQ(Modules[k].Code, expected[k - 1].first);
        EXPECT_EQ(Modules[k].Model, expected[k - 1].second);
    }
    EXPECT_TRUE(modtest::IsEmptyRecord(Modules[0]));
    EXPECT_TRUE(modtest::IsEmptyRecord(Modules[4]));
}

TEST_F(ModuleFolderTest, TwoCorruptFilesInARowAreBothReported)
{
    write("a.bpf", "bad");
    write("b.bpf", "worse");
    write("c.bpf", module(3, "C"));
    LoadModules();
    EXPECT_EQ(messageTexts(), QStringList({corruptMessage("a.bpf"), corruptMessage("b.bpf")}));
    EXPECT_EQ(ModuleCount, 2);
    EXPECT_EQ(Modules[1].Model, "C");
}

TEST_F(ModuleFolderTest, DuplicatesAreRefusedWithTheirOwnMessages)
{
    struct Case {
        const char* rule;
        ModuleSpec second;
        QString message;  // after "Unable to Open: <path>" CR
    };
    ModuleSpec sameCode = module(5, "Other");
    ModuleSpec sameStoredCode = module(5, "Other");
    sameStoredCode.code = "5,5";
    const std::vector<Case> cases = {
        {"same code", sameCode, "Box Code: 5 already loaded!"},
        {"a code that rounds down to a loaded one", sameStoredCode, "Box Code: 5,5 already loaded!"},
        {"same model", module(6, "First"), "Model: First already loaded!"},
    };
    for (const auto& c : cases) {
        UnloadPrincipale();
        ClearModuleTable();
        svc->messages.clear();
        write("a.bpf", module(5, "First"));
        write("b.bpf", c.second);
        LoadModules();
        ASSERT_EQ(svc->messages.size(), 1u) << c.rule;
        EXPECT_EQ(svc->messages[0].text, "Unable to Open: " + modulePath("b.bpf") + "\r" + c.message) << c.rule;
        EXPECT_EQ(svc->messages[0].title, "Loading modules") << c.rule;
        EXPECT_EQ(svc->messages[0].style, vbOKOnly | vbExclamation) << c.rule;
        EXPECT_EQ(ModuleCount, 2) << c.rule;
        EXPECT_EQ(typeList(), QStringList{"First"}) << c.rule;
        EXPECT_TRUE(modtest::IsEmptyRecord(Modules[2])) << c.rule;
    }
}

TEST_F(ModuleFolderTest, ARefusedFileLeavesNothingForTheNext)
{
    ModuleSpec refused = module(1, "Refused");
    refused.compat = {"1", "2", "3", "4"};
    refused.weight = "heavy";
    ModuleSpec valid = module(2, "Valid");
    valid.compat = {"7"};
    write("a.bpf", refused);
    write("b.bpf", valid);
    LoadModules();
    EXPECT_EQ(Modules[1].Model, "Valid");
    EXPECT_EQ(Modules[1].CompatList, (std::array<std::uint8_t, 10>{7}));
}

TEST_F(ModuleFolderTest, AModuleWithoutMountingKeepsTenAngles)
{
    ModuleSpec bar = module(1, "Bar");
    bar.boxType = "101";
    ModuleSpec box = module(2, "Box");
    box.boxType = "100";
    write("a.bpf", bar);
    write("b.bpf", box);
    LoadModules();
    EXPECT_TRUE(svc->messages.empty());
    EXPECT_EQ(Modules[1].HoleCount, 10);
    EXPECT_EQ(Modules[2].HoleCount, 3);
}

TEST_F(ModuleFolderTest, TheTableHoldsNinetyNineModules)
{
    for (int k = 1; k <= 101; ++k) {
        ModuleSpec s = module(k, std::string("M").append(std::to_string(k)));
        s.boxType = "101";
        write(QString("m%1.bpf").arg(k, 3, 10, QChar('0')), s);
    }
    LoadModules();
    EXPECT_EQ(messageTexts(), QStringList({corruptMessage("m100.bpf"), corruptMessage("m101.bpf")}));
    EXPECT_EQ(ModuleCount, 100);
    EXPECT_EQ(Principale().Tipo[0].ListCount(), 99);
    EXPECT_EQ(Modules[99].Model, "M99");
    EXPECT_EQ(Modules[99].Slot, 99);
}

TEST_F(ModuleFolderTest, FilesAreTakenInNameOrderWhateverTheirCase)
{
    write("b.bpf", module(1, "from b"));
    write("A.BPF", module(2, "from A"));
    write("c.Bpf", module(3, "from c"));
    write("a.txt", module(4, "not a module file"));
    LoadModules();
    EXPECT_TRUE(svc->messages.empty());
    EXPECT_EQ(typeList(), QStringList({"from A", "from b", "from c"}));
    EXPECT_EQ(ModuleCount, 4);
}

TEST_F(ModuleFolderTest, ASecondRunStaysSilentAndStopsAtAFault)
{
    write("a.bpf", module(1, "A"));
    write("b.bpf", module(1, "Same code"));
    write("c.bpf", module(3, "C"));
    write("d.bpf", "bad");
    write("e.bpf", module(5, "E"));
    ModulesLoaded = VbTrue;
    ModuleCount = 7;
    LoadModules();
    EXPECT_TRUE(svc->messages.empty());
    EXPECT_EQ(typeList(), QStringList({"A", "C"}));
    EXPECT_EQ(ModuleCount, 7);
    EXPECT_EQ(ModulesLoaded, VbTrue);

    ASSERT_TRUE(QDir(dir.path() + "/modules").removeRecursively());
    LoadModules();
    EXPECT_TRUE(svc->messages.empty());
}
