#include "library/ListLookups.h"
#include "library/Log10.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace {

void fill(ComboList& combo, const std::vector<std::pair<QString, std::int32_t>>& items)
{
    for (const auto& [text, data] : items)
        combo.AddItem(text, data);
}

}

TEST(ListLookups, FindComboTextFindsTheFirstExactMatch)
{
    ComboList combo;
    fill(combo, {{"Low", 1}, {"Medium", 5}, {"High", 9}, {"Medium", 7}});
    struct Case {
        QString text;
        FindResult expected;
    };
    const std::vector<Case> cases = {
        {"Low", {0, VbTrue}},
        {"Medium", {1, VbTrue}},
        {"High", {2, VbTrue}},
        {"medium", {0, VbFalse}},
        {"Medium ", {0, VbFalse}},
        {"", {0, VbFalse}},
    };
    for (const auto& c : cases) {
        for (const bool stringCompare : {true, false}) {
            const FindResult r = FindComboText(combo, c.text, stringCompare);
            EXPECT_EQ(r.Index, c.expected.Index) << c.text.toStdString();
            EXPECT_EQ(r.Found, c.expected.Found) << c.text.toStdString();
        }
    }
    const ComboList empty;
    EXPECT_EQ(FindComboText(empty, "", true).Packed(), FindResult{}.Packed());
}

TEST(ListLookups, FindComboItemDataFindsTheFirstItemWithTheValue)
{
    ComboList combo;
    fill(combo, {{"a", 10}, {"b", 20}, {"c", 31}, {"d", 40}, {"e", 50}, {"f", 31}});
    struct Case {
        std::int16_t value;
        FindResult expected;
    };
    const std::vector<Case> cases = {
        {31, {2, VbTrue}}, {10, {0, VbTrue}}, {50, {4, VbTrue}}, {0, {0, VbFalse}}, {-31, {0, VbFalse}},
    };
    for (const auto& c : cases) {
        const FindResult r = FindComboItemData(combo, c.value, 0);
        EXPECT_EQ(r.Index, c.expected.Index) << c.value;
        EXPECT_EQ(r.Found, c.expected.Found) << c.value;
    }
    EXPECT_EQ(FindComboItemData(ComboList{}, 0, 0).Found, VbFalse);
}

TEST(ListLookups, FindInArrayKeepsTheLastMatch)
{
    const std::array<std::uint8_t, 10> entries = {3, 7, 3, 0, 0, 0, 0, 0, 0, 0};
    struct Case {
        QString value;
        std::int16_t count;
        FindResult expected;
    };
    const std::vector<Case> cases = {
        {"3", 10, {2, VbTrue}},
        {"0", 10, {9, VbTrue}},
        {"7", 10, {1, VbTrue}},
        {"5", 10, {0, VbFalse}},
        {"03", 10, {0, VbFalse}},
        {"3,0", 10, {0, VbFalse}},
        {"3", 1, {0, VbTrue}},
        {"0", 3, {0, VbFalse}},
        {"3", 0, {0, VbFalse}},
        // A count beyond the array stops at its end.
        {"0", 200, {9, VbTrue}},
    };
    for (const auto& c : cases) {
        for (const std::int16_t mode : {0, 1}) {
            const FindResult r = FindInArray(entries, c.value, c.count, mode);
            EXPECT_EQ(r.Index, c.expected.Index) << c.value.toStdString() << " " << c.count;
            EXPECT_EQ(r.Found, c.expected.Found) << c.value.toStdString() << " " << c.count;
        }
    }
}

TEST(Log10, IsTheQuotientOfNaturalLogarithms)
{
    EXPECT_EQ(Log10(100), 2);
    EXPECT_EQ(Log10(10), 1);
    EXPECT_EQ(Log10(1), 0);
    EXPECT_EQ(Log10(2), std::log(2.0) / std::log(10.0));
    EXPECT_NEAR(Log10(0.001), -3, 1e-15);
}
