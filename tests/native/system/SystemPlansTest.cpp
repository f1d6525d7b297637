// The see-through bar's plan at the edges: half, full and opaque are shown on
// a real layered window by the Windows background tests.
#include <gtest/gtest.h>

#include "system/Background.h"

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
