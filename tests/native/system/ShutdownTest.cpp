// The requests and the count at their edges; the countdown window itself, its
// texts and the forced reboot or power-off run in the Windows countdown tests.
#include <gtest/gtest.h>

#include "system/Shutdown.h"

using namespace pilotune;

TEST(Shutdown, FlagsOfAPlainRebootAndOnTheOlderFamily) {
    EXPECT_EQ(ExitFlags(true, false, true), 2u);
    EXPECT_EQ(ExitFlags(false, true, false), 5u);
    EXPECT_EQ(ExitFlags(true, true, false), 6u);
}

TEST(Shutdown, TenTicksEndAtTheTenthAndAZeroTotalAtTheFirst) {
    Countdown c(10);
    for (int tick = 1; tick < 10; ++tick)
        ASSERT_FALSE(c.Tick()) << tick;
    EXPECT_EQ(c.SecondsLeft(), 1);
    EXPECT_TRUE(c.Tick());
    EXPECT_EQ(CountdownText(c.SecondsLeft()),
              "L'ordinateur va effectuer l'opération suivante dans 0 secondes : ");
    Countdown zero(0); // never below zero
    EXPECT_TRUE(zero.Tick());
    EXPECT_EQ(zero.SecondsLeft(), 0);
}
