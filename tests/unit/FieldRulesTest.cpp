#include <gtest/gtest.h>

#include <climits>

#include "controls/FieldRules.h"

TEST(SpinStep, TheUpArrowRaisesAndTheDownArrowLowersWithinTheRange) {
    EXPECT_EQ(SpinStep(5, -1, 0, 59), 6);
    EXPECT_EQ(SpinStep(5, 0, 0, 59), 6);  // no change proposed counts as up
    EXPECT_EQ(SpinStep(5, 1, 0, 59), 4);
    EXPECT_EQ(SpinStep(5, 7, 0, 59), 4);  // one step, whatever the size of the change
}

TEST(SpinStep, AStepPastEitherEndLeavesTheValue) {
    EXPECT_EQ(SpinStep(23, -1, 0, 23), 23);
    EXPECT_EQ(SpinStep(0, 1, 0, 23), 0);
    EXPECT_EQ(SpinStep(INT_MAX, -1, 0, INT_MAX), INT_MAX);
    EXPECT_EQ(SpinStep(INT_MIN, 1, INT_MIN, 0), INT_MIN);
    // A value already outside the range comes back only by a step that lands inside it.
    EXPECT_EQ(SpinStep(60, -1, 0, 59), 60);
    EXPECT_EQ(SpinStep(60, 1, 0, 59), 59);
}

TEST(InDigitRange, ReadsTheTextAsAtoiAndIncludesBothEnds) {
    EXPECT_TRUE(InDigitRange("0", 0, 23));
    EXPECT_TRUE(InDigitRange("23", 0, 23));
    EXPECT_FALSE(InDigitRange("24", 0, 23));
    EXPECT_TRUE(InDigitRange("007", 0, 23));
    EXPECT_TRUE(InDigitRange("", 0, 23));     // no digits read as 0
    EXPECT_FALSE(InDigitRange("", 1, 12));
    EXPECT_FALSE(InDigitRange("99999999999", 0, 59));  // saturates, stays out
    EXPECT_TRUE(InDigitRange("5x", 0, 9));    // what follows the digits is not read
}
