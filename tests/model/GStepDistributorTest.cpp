#include <gtest/gtest.h>

#include <vector>

#include "model/GStepDistributor.h"

using Stepper = GStepDistributor::Stepper;

TEST(GStepDistributorTest, SpreadsTheExtraUnitsEvenly) {
    struct Case {
        Stepper stepper; // base, accumulator, step, remaining, reload
        std::vector<uint16_t> yields;
    };
    const Case cases[] = {
        {{3, 4, 1, 4, 4}, {3, 3, 3, 4}},    // 13 units over 4 steps
        {{0, 2, 1, 2, 2}, {0, 1}},          // 1 unit over 2 steps
        {{2, 5, 3, 5, 5}, {2, 3, 2, 3, 3}}, // 13 units over 5 steps
        {{1, 3, 3, 3, 3}, {2, 2, 2}},       // a whole extra unit on every step
        {{7, 1, 0, 3, 1}, {7, 7, 7}},       // nothing to spread
    };
    for (const Case& c : cases) {
        GStepDistributor d(Stepper{}, c.stepper, 0, 0);
        std::vector<uint16_t> yields;
        while (d.HasMore())
            yields.push_back(d.Next());
        EXPECT_EQ(yields, c.yields) << "base " << c.stepper.base << " step " << c.stepper.step;
        EXPECT_EQ(d.First().remaining, 0u);
    }
}

TEST(GStepDistributorTest, SteppingPastTheEndYieldsZeroAndWraps) {
    GStepDistributor d;
    Stepper s{5, 1, 0, 0, 1};
    EXPECT_EQ(d.Step(s), 0u);
    EXPECT_EQ(s.remaining, 0xFFFFu);
    // The accumulator is tested as a signed 16-bit value.
    Stepper wide{0, 0x8001, 1, 1, 3};
    EXPECT_EQ(d.Step(wide), 1u); // 0x8000 is negative: below 1
    EXPECT_EQ(wide.accumulator, 0x8003u);
}

TEST(GStepDistributorTest, DefaultsHaveNothingToHandOut) {
    GStepDistributor d;
    EXPECT_FALSE(d.HasMore());
    EXPECT_EQ(d.Next(), 0u);
}

TEST(GStepDistributorTest, AHeldSecondStepperYieldsItsBaseForever) {
    GStepDistributor d(Stepper{4, 9, 9, 0, 9}, Stepper{3, 4, 1, 4, 4}, 1, 1);
    EXPECT_EQ(d.Second().accumulator, 1u);
    EXPECT_EQ(d.Second().step, 0u);
    EXPECT_EQ(d.Second().remaining, 1u);
    EXPECT_EQ(d.Second().reload, 1u);
    // Mode 1 adds the held 4 to the first stepper's 3, 3, 3, 4.
    const uint16_t expected[] = {7, 7, 7, 8};
    for (uint16_t e : expected)
        EXPECT_EQ(d.Next(), e);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(d.NextSecond(), 4u);
    EXPECT_TRUE(d.HasMore()); // the first is spent, the second never runs out

    GStepDistributor zero(Stepper{0, 9, 9, 9, 9}, Stepper{}, 1, 1);
    EXPECT_EQ(zero.NextSecond(), 0u);
    EXPECT_FALSE(zero.HasMore());
}

TEST(GStepDistributorTest, OnlyModeOneAddsTheSecondStepper) {
    GStepDistributor plain(Stepper{4, 1, 0, 9, 1}, Stepper{3, 4, 1, 4, 4}, 0, 2);
    EXPECT_EQ(plain.Next(), 3u);
    EXPECT_EQ(plain.Second().remaining, 9u); // untouched
    GStepDistributor both(Stepper{4, 1, 0, 9, 1}, Stepper{3, 4, 1, 4, 4}, 0, 1);
    EXPECT_EQ(both.Next(), 7u);
    EXPECT_EQ(both.Second().remaining, 8u); // not held: it runs down
}
