#include "core/Settings.h"

#include <gtest/gtest.h>

// Values the program starts with, before any window has loaded or any pointer has moved.
TEST(SharedStateAtStart, StartingValues)
{
    const struct {
        const char* what;
        int value;
        int expected;
    } cases[] = {
        {"pointed audience area", PointedStand, 0},
        {"selected audience area", SPL_SelectedAudience, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.value, c.expected) << c.what;
}
