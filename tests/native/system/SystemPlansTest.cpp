// The see-through bar's plan, the shutdown requests and the count, at their
// edges; the layered window and the countdown window run in the Windows tests.
#include <gtest/gtest.h>

#include "system/Background.h"
#include "system/Shutdown.h"

using namespace pilotune;

TEST(Background, AlphaAndModeAtTheEdgesOfThePercentage) {
    EXPECT_EQ(TransparencyAlpha(88, true), 30);
    EXPECT_EQ(PlanTransparency(88, true, true).layer, LayerMode::ColourKey);
    // A hand-edited setting out of range stays within the bounds.
    EXPECT_EQ(TransparencyAlpha(250, true), 0);
    EXPECT_EQ(TransparencyAlpha(-40, true), 255);
    // No layered windows on the older family: always opaque.
    EXPECT_EQ(TransparencyAlpha(100, false), 255);
}

TEST(Background, WithoutLayeredWindowsThePictureAloneOpaque) {
    const auto none = PlanTransparency(100, true, false);
    EXPECT_EQ(none.layer, LayerMode::None);
    EXPECT_FALSE(none.keyColour);
    EXPECT_TRUE(none.pictureVisible);
    EXPECT_TRUE(none.loadPicture);
    const auto old = PlanTransparency(100, false, true);
    EXPECT_EQ(old.layer, LayerMode::None);
    EXPECT_TRUE(old.loadPicture);
}

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
