#include <gtest/gtest.h>

#include <vector>

#include "system/Shutdown.h"

using namespace pilotune;

TEST(Shutdown, FlagsForEachChoice) {
    EXPECT_EQ(ExitFlags(false, false, true), 8u);
    EXPECT_EQ(ExitFlags(false, true, true), 12u);
    EXPECT_EQ(ExitFlags(true, false, true), 2u);
    EXPECT_EQ(ExitFlags(true, true, true), 6u);
    EXPECT_EQ(ExitFlags(false, true, false), 5u);
    EXPECT_EQ(ExitFlags(true, true, false), 6u);
}

TEST(Shutdown, TenTicksCountNineDownToZeroThenStop) {
    Countdown c(10);
    std::vector<std::string> labels;
    int last = 0;
    for (int tick = 1; tick <= 10; ++tick) {
        const bool end = c.Tick();
        labels.push_back(CountdownText(c.SecondsLeft()));
        if (end) {
            last = tick;
            break;
        }
    }
    EXPECT_EQ(last, 10);
    ASSERT_EQ(labels.size(), 10u);
    EXPECT_EQ(labels.front(), "L'ordinateur va effectuer l'opération suivante dans 9 secondes : ");
    EXPECT_EQ(labels.back(), "L'ordinateur va effectuer l'opération suivante dans 0 secondes : ");
    // A degenerate total still ends at the first tick, never counting below zero.
    Countdown zero(0);
    EXPECT_TRUE(zero.Tick());
    EXPECT_EQ(zero.SecondsLeft(), 0);
}
