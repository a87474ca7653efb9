#include "ModuleFolderFixture.h"
#include "library/ModuleText.h"
#include "library/Storage.h"

#include <QFile>
#include <random>

using modtest::ModuleSpec;

namespace {

// Damage of the kinds a module file meets: changed characters (line ends, "=", signs and digits
// among them), a cut, lost or repeated lines.
std::string damaged(std::string text, std::mt19937& rng)
{
    const std::string alphabet = "\r\n=-,.0123456789[]eE x";
    auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); };
    const int edits = 1 + int(pick(4));
    for (int e = 0; e < edits && !text.empty(); ++e) {
        switch (pick(5)) {
        case 0: text[pick(text.size())] = alphabet[pick(alphabet.size())]; break;
        case 1: text[pick(text.size())] = static_cast<char>(pick(128)); break;
        case 2: text.resize(pick(text.size())); break;
        case 3: {
            const std::size_t at = pick(text.size());
            text.erase(at, std::min<std::size_t>(text.size() - at, 1 + pick(40)));
            break;
        }
        default: {
            const std::size_t at = pick(text.size());
            text.insert(at, text.substr(at, std::min<std::size_t>(text.size() - at, 1 + pick(40))));
            break;
        }
        }
    }
    return text;
}

QStringList bandNames()
{
    QStringList names;
    for (const auto& n : modtest::BandNames)
        names << QString::fromStdString(n);
    return names;
}

}

// Any bytes in a file give a loaded module or one refusal message: never a crash, a hang or a read
// outside the text or the record.
TEST_F(ModuleFolderTest, DamagedFilesLoadOrAreRefused)
{
    std::mt19937 rng(20240611);
    ModuleSpec small;
    small.compat = {"10", "11"};
    const std::string text = small.Text();
    int loaded = 0;
    for (int round = 0; round < 400; ++round) {
        UnloadPrincipale();
        ClearModuleTable();
        svc->messages.clear();
        const QString path = modulePath("a.bpf");
        if (round % 10 == 9) {
            // Raw bytes, no container at all.
            std::uniform_int_distribution<int> byte(0, 255);
            QByteArray raw(std::uniform_int_distribution<int>(0, 300)(rng), '\0');
            for (auto& b : raw)
                b = static_cast<char>(byte(rng));
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(raw);
        } else {
            write("a.bpf", damaged(text, rng));
        }
        LoadModules();
        ASSERT_EQ(ModulesLoaded, VbTrue);
        if (svc->messages.empty()) {
            ASSERT_EQ(ModuleCount, 2) << round;
            ASSERT_EQ(Principale().Tipo[0].ListCount(), 1) << round;
            ++loaded;
        } else {
            ASSERT_EQ(svc->messages.size(), 1u) << round;
            ASSERT_TRUE(svc->messages[0].text.startsWith("Unable to Open: " + path + "\r")) << round;
            ASSERT_EQ(ModuleCount, 1) << round;
            ASSERT_TRUE(modtest::IsEmptyRecord(Modules[1])) << round;
        }
    }
    // Some damage falls on skipped lines or names and leaves a readable module.
    EXPECT_GT(loaded, 0);
}

TEST(ModuleTextRobustness, AnyTextIsReadOrRefused)
{
    std::mt19937 rng(7);
    const std::string text = ModuleSpec{}.Text();
    std::vector<ModuleRecord> loaded(1);
    loaded[0].Code = 1;
    for (int round = 0; round < 3000; ++round) {
        std::string t = damaged(text, rng);
        if (round % 3 == 0) {
            // Any byte value at all, high ones included.
            std::uniform_int_distribution<int> byte(0, 255);
            for (int k = 0; k < 20 && !t.empty(); ++k)
                t[std::uniform_int_distribution<std::size_t>(0, t.size() - 1)(rng)] = static_cast<char>(byte(rng));
        }
        ModuleRecord record;
        const ModuleTextResult r = ParseModuleText(t, bandNames(), round % 2 ? loaded : std::vector<ModuleRecord>{},
                                                   record);
        ASSERT_TRUE(r.kind == ModuleTextResult::Accepted || r.kind == ModuleTextResult::Corrupted
                    || r.kind == ModuleTextResult::DuplicateCode || r.kind == ModuleTextResult::DuplicateModel);
        ASSERT_LE(record.HoleCount, 30);
        ASSERT_LE(record.FCHoleCount, 60);
        ASSERT_LE(record.FSHoleCount, 60);
    }
}
