#include "ModuleFileBuilder.h"
#include "library/ModuleText.h"

#include <gtest/gtest.h>

#include <functional>

using modtest::AbsAt;
using modtest::DelayAt;
using modtest::ModuleSpec;

namespace {

QStringList bandNames()
{
    QStringList names;
    for (const auto& n : modtest::BandNames)
        names << QString::fromStdString(n);
    return names;
}

struct Parsed {
    ModuleTextResult result;
    ModuleRecord record;
};

Parsed parse(const std::string& text, std::span<const ModuleRecord> loaded = {})
{
    Parsed p;
    p.result = ParseModuleText(text, bandNames(), loaded, p.record);
    return p;
}

std::vector<std::string> holeValues(std::initializer_list<std::pair<int, std::string>> set, std::size_t n,
                                    const std::string& filler)
{
    std::vector<std::string> v(n, filler);
    for (const auto& [i, text] : set)
        v[std::size_t(i)] = text;
    return v;
}

}

TEST(ModuleText, FullTextStoresEveryFieldInItsPlace)
{
    const Parsed p = parse(ModuleSpec{}.Text());
    ASSERT_EQ(p.result.kind, ModuleTextResult::Accepted);
    const ModuleRecord& r = p.record;
    EXPECT_EQ(r.Code, 1);
    EXPECT_EQ(r.Productor, "Test Maker");
    EXPECT_EQ(r.Model, "T1");
    EXPECT_EQ(r.BoxType, 10);
    EXPECT_EQ(r.CompatList, (std::array<std::uint8_t, 10>{10}));
    EXPECT_EQ(std::vector<int>({r.FrontLen, r.RearLen, r.BoxLen, r.CoG_X, r.CoG_Z, r.Weight}),
              std::vector<int>({25, 20, 300, 150, 12, 20}));
    EXPECT_EQ(std::vector<int>({r.FFrontLen, r.FLen, r.FY_Len, r.Reverse_Mode_X, r.FCoG_X, r.FCoG_Z, r.FWeight,
                                r.FSHole_Y}),
              std::vector<int>({50, 600, 500, 300, 300, 25, 10, 40}));
    EXPECT_EQ(r.FCHoleCount, 3);
    EXPECT_EQ(std::vector<int>(r.FCHole.begin(), r.FCHole.begin() + 5), std::vector<int>({100, 200, 300, -1, 0}));
    EXPECT_EQ(r.FSHoleCount, 2);
    EXPECT_EQ(std::vector<int>(r.FSHole.begin(), r.FSHole.begin() + 4), std::vector<int>({150, 450, -1, 0}));
    EXPECT_EQ(r.HoleCount, 3);
    EXPECT_EQ(std::vector<int>(r.Hole.begin(), r.Hole.begin() + 5), std::vector<int>({0, 5, 10, -1, 0}));
    // FrontLen 25 fills points 0..2 of every band and nothing beyond.
    for (int b = 0; b < ProfileBands; ++b) {
        for (int j = 0; j <= 2; ++j) {
            EXPECT_EQ(r.FrontAttenuationProfile[j][b].Abs, AbsAt(j, b)) << b << " " << j;
            EXPECT_EQ(r.FrontAttenuationProfile[j][b].Delay, DelayAt(j, b)) << b << " " << j;
        }
        EXPECT_EQ(r.FrontAttenuationProfile[3][b].Abs, 0);
        EXPECT_EQ(r.FrontAttenuationProfile[3][b].Delay, 0);
    }
    EXPECT_EQ(r.Slot, 0);
}

TEST(ModuleText, HoleListEndsAtTheMinusOneLine)
{
    struct Case {
        const char* rule;
        std::vector<std::string> values;  // all 60 lines of the central row
        int count;
        std::vector<int> stored;          // the first entries of FCHole
    };
    // Lines after the end marker hold text that is no number: they are passed over unread.
    const std::vector<Case> cases = {
        {"-1 on the first line: nothing valid, the other 59 lines skipped", holeValues({{0, "-1"}}, 60, "x"), 0,
         {-1, 0, 0}},
        {"-1 on line 3", holeValues({{0, "10"}, {1, "20"}, {2, "30"}, {3, "-1"}}, 60, "x"), 3, {10, 20, 30, -1, 0}},
        {"-1 on the last line", holeValues({{59, "-1"}}, 60, "7"), 59, {7, 7, 7}},
        {"no -1: every line is valid", holeValues({}, 60, "8"), 60, {8, 8, 8}},
    };
    for (const auto& c : cases) {
        ModuleSpec s;
        s.fcHole = c.values;
        const Parsed p = parse(s.Text());
        ASSERT_EQ(p.result.kind, ModuleTextResult::Accepted) << c.rule;
        EXPECT_EQ(p.record.FCHoleCount, c.count) << c.rule;
        EXPECT_EQ(std::vector<int>(p.record.FCHole.begin(), p.record.FCHole.begin() + int(c.stored.size())), c.stored)
            << c.rule;
        if (c.count >= 59) {
            EXPECT_EQ(p.record.FCHole[59], c.count == 59 ? -1 : 8) << c.rule;
        }
        // The next section follows as usual.
        EXPECT_EQ(p.record.FSHoleCount, 2) << c.rule;
    }

    ModuleSpec mounting;
    mounting.hole = holeValues({{29, "-1"}}, 30, "15");
    const Parsed last = parse(mounting.Text());
    ASSERT_EQ(last.result.kind, ModuleTextResult::Accepted);
    EXPECT_EQ(last.record.HoleCount, 29);
    EXPECT_EQ(last.record.Hole[28], 15);
    EXPECT_EQ(last.record.Hole[29], -1);
}

TEST(ModuleText, ValuesAreConvertedByTheirFieldRule)
{
    struct Case {
        const char* rule;
        std::function<void(ModuleSpec&)> set;
        std::function<int(const ModuleRecord&)> get;
        int expected;
    };
    // Under the comma locale of the tests; bytes and lengths round down, holes round half to even.
    const std::vector<Case> cases = {
        {"FrontLen 12,9 rounds down", [](ModuleSpec& s) { s.frontLen = "12,9"; }, [](auto& r) { return r.FrontLen; }, 12},
        {"FrontLen -12,1 rounds down", [](ModuleSpec& s) { s.frontLen = "-12,1"; }, [](auto& r) { return r.FrontLen; }, -13},
        {"Weight 32767 fits", [](ModuleSpec& s) { s.weight = "32767"; }, [](auto& r) { return r.Weight; }, 32767},
        {"CoG_X -32768 fits", [](ModuleSpec& s) { s.cogX = "-32768"; }, [](auto& r) { return r.CoG_X; }, -32768},
        {"FSHole_Y 40,99 rounds down", [](ModuleSpec& s) { s.fsHoleY = "40,99"; }, [](auto& r) { return r.FSHole_Y; }, 40},
        {"Code 5,9 rounds down", [](ModuleSpec& s) { s.code = "5,9"; }, [](auto& r) { return r.Code; }, 5},
        {"Code 255,5 rounds down to 255", [](ModuleSpec& s) { s.code = "255,5"; }, [](auto& r) { return r.Code; }, 255},
        {"Code 0 is a code", [](ModuleSpec& s) { s.code = "0"; }, [](auto& r) { return r.Code; }, 0},
        {"BoxType with blanks around it", [](ModuleSpec& s) { s.boxType = " 12 "; }, [](auto& r) { return r.BoxType; }, 12},
        {"compatible type 7,8 rounds down", [](ModuleSpec& s) { s.compat = {"7,8"}; }, [](auto& r) { return r.CompatList[0]; }, 7},
        {"hole 12,5 rounds to even 12", [](ModuleSpec& s) { s.fcHole = {"12,5"}; }, [](auto& r) { return r.FCHole[0]; }, 12},
        {"hole 13,5 rounds to even 14", [](ModuleSpec& s) { s.fcHole = {"13,5"}; }, [](auto& r) { return r.FCHole[0]; }, 14},
        {"hole -0,5 rounds to 0, not the end marker", [](ModuleSpec& s) { s.hole = {"-0,5"}; }, [](auto& r) { return r.Hole[0]; }, 0},
        {"hole -2,5 rounds to even -2", [](ModuleSpec& s) { s.fsHole = {"-2,5"}; }, [](auto& r) { return r.FSHole[0]; }, -2},
        {"hole 1E2 in exponent form", [](ModuleSpec& s) { s.fsHole = {"1E2"}; }, [](auto& r) { return r.FSHole[0]; }, 100},
    };
    for (const auto& c : cases) {
        ModuleSpec s;
        c.set(s);
        const Parsed p = parse(s.Text());
        ASSERT_EQ(p.result.kind, ModuleTextResult::Accepted) << c.rule;
        EXPECT_EQ(c.get(p.record), c.expected) << c.rule;
    }
}

TEST(ModuleText, NamesAreKeptExactly)
{
    ModuleSpec s;
    s.productor = "  Maker & Sons = 1 ";
    s.model = " x-12 ";
    const Parsed p = parse(s.Text());
    ASSERT_EQ(p.result.kind, ModuleTextResult::Accepted);
    EXPECT_EQ(p.record.Productor, "  Maker & Sons = 1 ");
    EXPECT_EQ(p.record.Model, " x-12 ");
}

TEST(ModuleText, CompatibilityListHoldsUpToTenTypes)
{
    struct Case {
        std::vector<std::string> entries;
        ModuleTextResult::Kind kind;
        std::array<std::uint8_t, 10> stored;
    };
    const std::vector<Case> cases = {
        {{}, ModuleTextResult::Accepted, {}},
        {{"3", "0", "255"}, ModuleTextResult::Accepted, {3, 0, 255}},
        {{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}, ModuleTextResult::Accepted, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"}, ModuleTextResult::Corrupted, {}},
        {{"256"}, ModuleTextResult::Corrupted, {}},
    };
    for (const auto& c : cases) {
        ModuleSpec s;
        s.compat = c.entries;
        const Parsed p = parse(s.Text());
        EXPECT_EQ(p.result.kind, c.kind) << c.entries.size();
        if (c.kind == ModuleTextResult::Accepted) {
            EXPECT_EQ(p.record.CompatList, c.stored) << c.entries.size();
        }
    }
}

TEST(ModuleText, ProfileHasOnePointPer10mmUpTo100Points)
{
    ModuleSpec s;
    s.frontLen = "999";
    const Parsed full = parse(s.Text());
    ASSERT_EQ(full.result.kind, ModuleTextResult::Accepted);
    EXPECT_EQ(full.record.FrontAttenuationProfile[99][30].Abs, AbsAt(99, 30));
    EXPECT_EQ(full.record.FrontAttenuationProfile[99][30].Delay, DelayAt(99, 30));

    // 1000 mm would need a 101st point.
    s.frontLen = "1000";
    EXPECT_EQ(parse(s.Text()).result.kind, ModuleTextResult::Corrupted);

    // A negative front has no profile points, only the band headers.
    s.frontLen = "-5";
    const Parsed none = parse(s.Text());
    ASSERT_EQ(none.result.kind, ModuleTextResult::Accepted);
    EXPECT_EQ(none.record.FrontAttenuationProfile[0][0].Abs, 0);
}

TEST(ModuleText, BoxTypeAbove100HasNoMountingNorProfile)
{
    struct Case {
        const char* boxType;
        int holeCount;
        bool hasProfile;
    };
    const std::vector<Case> cases = {{"100", 3, true}, {"101", 0, false}, {"255", 0, false}};
    for (const auto& c : cases) {
        ModuleSpec s;
        s.boxType = c.boxType;
        const Parsed p = parse(s.Text());
        ASSERT_EQ(p.result.kind, ModuleTextResult::Accepted) << c.boxType;
        EXPECT_EQ(p.record.HoleCount, c.holeCount) << c.boxType;
        EXPECT_EQ(p.record.FrontAttenuationProfile[1][0].Abs != 0, c.hasProfile) << c.boxType;
    }
    // Whatever follows the side holes of such a module is not read.
    ModuleSpec s;
    s.boxType = "101";
    EXPECT_EQ(parse(s.Text() + "[Mounting]\r\nHole[0]=not read\r\n").result.kind, ModuleTextResult::Accepted);
}

TEST(ModuleText, AnythingAfterTheLastLineIsIgnored)
{
    EXPECT_EQ(parse(ModuleSpec{}.Text() + "trailing text without a line end").result.kind, ModuleTextResult::Accepted);
}

TEST(ModuleText, CodeAndModelMustBeNewToTheTable)
{
    std::vector<ModuleRecord> loaded(2);
    loaded[0].Code = 5;
    loaded[0].Model = "Alpha";
    loaded[1].Code = 9;
    loaded[1].Model = "Beta";
    struct Case {
        const char* rule;
        std::string code;
        std::string model;
        ModuleTextResult::Kind kind;
        QString repeated;
    };
    const std::vector<Case> cases = {
        {"new code and model", "6", "Gamma", ModuleTextResult::Accepted, ""},
        {"same code", "9", "Gamma", ModuleTextResult::DuplicateCode, "9"},
        {"5,5 is stored as 5, the code of Alpha", "5,5", "Gamma", ModuleTextResult::DuplicateCode, "5,5"},
        {"4,99 is stored as 4", "4,99", "Gamma", ModuleTextResult::Accepted, ""},
        {"same model", "6", "Beta", ModuleTextResult::DuplicateModel, "Beta"},
        {"model differing in letter case only", "6", "beta", ModuleTextResult::Accepted, ""},
        {"the code is checked first", "5", "Alpha", ModuleTextResult::DuplicateCode, "5"},
    };
    for (const auto& c : cases) {
        ModuleSpec s;
        s.code = c.code;
        s.model = c.model;
        const Parsed p = parse(s.Text(), loaded);
        EXPECT_EQ(p.result.kind, c.kind) << c.rule;
        if (c.kind != ModuleTextResult::Accepted) {
            EXPECT_EQ(p.result.repeated, c.repeated) << c.rule;
        }
    }
    // A duplicate is found as soon as its line is read, before a fault further on.
    ModuleSpec broken;
    broken.code = "9";
    broken.weight = "heavy";
    EXPECT_EQ(parse(broken.Text(), loaded).result.kind, ModuleTextResult::DuplicateCode);
}
