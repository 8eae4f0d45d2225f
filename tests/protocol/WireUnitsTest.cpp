#include "protocol/WireUnits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using namespace proto;

TEST(WireUnits, LengthsToSteps) {
    struct Case {
        int um;
        int stepsPerMm;
        int steps;
    } const cases[] = {
        {1500000, 100, 150000},               // page length at step size 3
        {1500000, 10, 15000},                 // and at step size 0
        {200000, 20, 4000},                   // mark X distance
        {150000, 20, 3000},     {149, 10, 1}, // truncated, not rounded
        {-149, 10, -1},         {50000000, 100, 5000000},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MicrometresToSteps(c.um, c.stepsPerMm), c.steps) << c.um;
    }
}

TEST(WireUnits, TangentialLengthsAddFiveHundredthsOfAMillimetre) {
    EXPECT_EQ(TangentialToSteps(320, 40), 14); // trunc(0.37 x 40)
    EXPECT_EQ(TangentialToSteps(510, 40), 22); // trunc(0.56 x 40)
    EXPECT_EQ(TangentialToSteps(0, 100), 5);
    EXPECT_EQ(TangentialToSteps(900, 10), 9);
}

TEST(WireUnits, DistanceAdjustCodes) {
    EXPECT_EQ(DistanceAdjustCode(-2.0), 0);
    EXPECT_EQ(DistanceAdjustCode(2.0), 400);
    EXPECT_EQ(DistanceAdjustCode(-0.5), 150);
    EXPECT_EQ(DistanceAdjustCode(0.25), 225);
    EXPECT_EQ(DistanceAdjustCode(0.0), 200);
}

TEST(WireUnits, TruncationSaturatesInsteadOfOverflowing) {
    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    EXPECT_EQ(TruncToInt(1e300), kMax);
    EXPECT_EQ(TruncToInt(-1e300), kMin);
    EXPECT_EQ(TruncToInt(INFINITY), kMax);
    EXPECT_EQ(TruncToInt(NAN), 0);
    EXPECT_EQ(TruncToInt(-2.9), -2);
    EXPECT_EQ(DistanceAdjustCode(1e30), kMax);
}

} // namespace
