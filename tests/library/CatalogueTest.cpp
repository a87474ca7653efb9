#include "core/ModuleRecord.h"
#include "forms/Form_PrincipaleControls.h"
#include "library/Catalogue.h"

#include <gtest/gtest.h>

namespace {

class Catalogue : public ::testing::Test {
protected:
    void SetUp() override
    {
        UnloadPrincipale();
        ClearModuleTable();
        BoxTypeNames = {};
    }
    void TearDown() override
    {
        UnloadPrincipale();
        ClearModuleTable();
        BoxTypeNames = {};
    }

    // Records 1.. in order; ModuleCount follows.
    static void load(const std::vector<ModuleRecord>& records)
    {
        for (std::size_t k = 0; k < records.size(); ++k) {
            Modules[k + 1] = records[k];
            Modules[k + 1].Slot = static_cast<std::uint8_t>(k + 1);
        }
        ModuleCount = static_cast<std::int16_t>(records.size() + 1);
        ModulesLoaded = VbTrue;
    }

    static ModuleRecord module(const QString& model, std::uint8_t boxType, std::array<std::uint8_t, 10> compat = {},
                               std::vector<std::int16_t> holes = {})
    {
        ModuleRecord r;
        r.Model = model;
        r.BoxType = boxType;
        r.CompatList = compat;
        std::copy(holes.begin(), holes.end(), r.Hole.begin());
        r.HoleCount = static_cast<std::uint8_t>(holes.size());
        return r;
    }

    static QStringList items(const ComboList& list)
    {
        QStringList texts;
        for (int i = 0; i < list.ListCount(); ++i)
            texts << list.List(i);
        return texts;
    }

    // Large (type 12, takes 8 below), Small (type 8, takes 12), Sub (type 18, a full list without
    // 8, 12 or 0), Twin (type 12 again, an empty list), Bare (type 0: listed by every module with room
    // left in its list).
    void loadCatalogue()
    {
        const std::array<std::uint8_t, 10> all = {1, 2, 3, 4, 5, 6, 7, 9, 10, 11};
        load({module("Large", 12, {8}), module("Small", 8, {12}), module("Sub", 18, all), module("Twin", 12),
              module("Bare", 0, all)});
    }
};

}

TEST_F(Catalogue, GetModuleIndexFindsLoadedModelsExactly)
{
    EXPECT_EQ(GetModuleIndex("").Packed(), FindResult{}.Packed());
    loadCatalogue();
    struct Case {
        QString name;
        FindResult expected;
    };
    const std::vector<Case> cases = {
        {"Large", {1, VbTrue}}, {"Bare", {5, VbTrue}}, {"large", {0, VbFalse}}, {"Unknown", {0, VbFalse}},
        // Record 0 is the empty record, counted among the loaded ones.
        {"", {0, VbTrue}},
    };
    for (const auto& c : cases) {
        const FindResult r = GetModuleIndex(c.name);
        EXPECT_EQ(r.Index, c.expected.Index) << c.name.toStdString();
        EXPECT_EQ(r.Found, c.expected.Found) << c.name.toStdString();
    }
    // Only records below ModuleCount count.
    ModuleCount = 2;
    EXPECT_EQ(GetModuleIndex("Small").Found, VbFalse);
    ModuleCount = 0;
    EXPECT_EQ(GetModuleIndex("Large").Found, VbFalse);
}

TEST_F(Catalogue, FillTypeComboOffersTheModuleThenWhatMayHangBelowIt)
{
    loadCatalogue();
    struct Case {
        std::int16_t module;
        QStringList offered;
    };
    const std::vector<Case> cases = {
        {1, {"Large", "Small", "Twin", "Bare"}},
        {2, {"Small", "Large", "Twin", "Bare"}},
        // A full compatibility list has no 0 left, so Bare is not offered below Sub.
        {3, {"Sub"}},
        {5, {"Bare"}},
        // The empty record offers an empty name, then what shares its type 0.
        {0, {"", "Bare"}},
    };
    for (const auto& c : cases) {
        UnloadPrincipale();
        FillTypeCombo(c.module, 0);
        for (int row = 1; row < 16; ++row)
            EXPECT_EQ(items(Principale().Tipo[row]), c.offered) << c.module << " row " << row;
        EXPECT_EQ(Principale().Tipo[0].ListCount(), 0);
    }
    EXPECT_THROW(FillTypeCombo(100, 0), VbError);
}

TEST_F(Catalogue, FillTypeComboRebuildsOnlyTheRowsBelow)
{
    loadCatalogue();
    for (int row = 0; row < 16; ++row)
        Principale().Tipo[row].AddItem("old");
    FillTypeCombo(3, 15);
    for (int row = 0; row < 16; ++row)
        EXPECT_EQ(items(Principale().Tipo[row]), QStringList{"old"}) << row;
    FillTypeCombo(3, 13);
    EXPECT_EQ(items(Principale().Tipo[13]), QStringList{"old"});
    EXPECT_EQ(items(Principale().Tipo[14]), QStringList{"Sub"});
    EXPECT_EQ(items(Principale().Tipo[15]), QStringList{"Sub"});
    EXPECT_EQ(items(Principale().Tipo[16]), QStringList{});
}

TEST_F(Catalogue, FillAngleComboListsTheMountingAngles)
{
    load({module("Box", 10, {}, {0, 5, 10}), module("Wide", 10, {}, {0, 15, 100, 125}), module("Rigid", 10)});
    struct Case {
        std::int16_t row;
        QString model;
        QStringList items;
        QString shown;
    };
    // The tests run with a comma as decimal separator.
    const std::vector<Case> cases = {
        {1, "Box", {"0", "0,5", "1"}, "0"},
        {7, "Wide", {"0", "1,5", "10", "12,5"}, "0"},
        {2, "Rigid", {}, ""},
        {3, "Unknown", {}, ""},
        // The top row has no box above it, whatever its module.
        {0, "Wide", {"0"}, "0"},
    };
    for (const auto& c : cases) {
        ComboList& angles = Principale().Angolo[c.row];
        angles.AddItem("stale");
        angles.SetText("stale");
        Principale().Tipo[c.row].SetText(c.model);
        FillAngleCombo(c.row);
        EXPECT_EQ(items(angles), c.items) << c.row;
        EXPECT_EQ(angles.Text(), c.shown) << c.row;
    }
    EXPECT_THROW(FillAngleCombo(16), VbError);
    EXPECT_THROW(FillAngleCombo(-1), VbError);
}

TEST_F(Catalogue, FillAngleComboShowsTheFirstAngleThroughTheChangeHook)
{
    load({module("Box", 10, {}, {20, 40})});
    ComboList& angles = Principale().Angolo[4];
    QStringList seen;
    angles.Change = [&] { seen << angles.Text(); };
    Principale().Tipo[4].SetText("Box");
    FillAngleCombo(4);
    EXPECT_EQ(seen, QStringList{"2"});
}

TEST_F(Catalogue, FillAngleComboWithAPointAsDecimalSeparator)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    load({module("Box", 10, {}, {0, 5, 10})});
    Principale().Tipo[1].SetText("Box");
    FillAngleCombo(1);
    QLocale::setDefault(saved);
    EXPECT_EQ(items(Principale().Angolo[1]), QStringList({"0", "0.5", "1"}));
}

TEST_F(Catalogue, CheckTypeCompatibilityRemembersCompatibleUpperRows)
{
    loadCatalogue();
    struct Case {
        const char* boxes;
        QStringList rows;
        std::array<QString, 4> names;  // BoxTypeNames 0..3 afterwards
    };
    const std::vector<Case> cases = {
        {"4", {"Large", "Small", "Large", "Sub"}, {"Large", "Small", "", ""}},
        {"4", {"Sub", "Sub", "Bare", "Large"}, {"Sub", "", "", ""}},
        {"3", {"Large", "Twin", "Bare", "Bare"}, {"Large", "Twin", "", ""}},
        // The last row is never written.
        {"2", {"Small", "Large", "Large", "Large"}, {"Small", "", "", ""}},
        {"1", {"Large", "Large", "Large", "Large"}, {"", "", "", ""}},
        // Unknown names find the empty record, whose type 0 matches Bare.
        {"3", {"Nobody", "Bare", "Nobody", "Bare"}, {"Nobody", "Bare", "", ""}},
    };
    for (const auto& c : cases) {
        UnloadPrincipale();
        BoxTypeNames = {};
        auto& form = Principale();
        form.Area[4].SetText(c.boxes);
        for (int row = 0; row < 4; ++row)
            form.Tipo[row].SetText(c.rows[row]);
        CheckTypeCompatibility();
        for (int row = 0; row < 4; ++row)
            EXPECT_EQ(BoxTypeNames[row], c.names[row]) << c.boxes << " " << c.rows.join(',').toStdString() << " " << row;
    }
}

TEST_F(Catalogue, CheckTypeCompatibilityKeepsEarlierNamesAndStopsAt16Boxes)
{
    loadCatalogue();
    auto& form = Principale();
    BoxTypeNames[0] = "Earlier";
    form.Area[4].SetText("40");
    for (int row = 0; row < 17; ++row)
        form.Tipo[row].SetText("Large");
    form.Tipo[1].SetText("Sub");
    CheckTypeCompatibility();
    EXPECT_EQ(BoxTypeNames[0], "Earlier");
    EXPECT_EQ(BoxTypeNames[1], "");
    EXPECT_EQ(BoxTypeNames[2], "Large");
    EXPECT_EQ(BoxTypeNames[14], "Large");
    EXPECT_EQ(BoxTypeNames[15], "");
}
