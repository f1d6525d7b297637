#include <gtest/gtest.h>

#include "system/Background.h"

using namespace pilotune;

TEST(Background, AlphaFromThePercentage) {
    EXPECT_EQ(TransparencyAlpha(0, true), 255);
    EXPECT_EQ(TransparencyAlpha(50, true), 127);
    EXPECT_EQ(TransparencyAlpha(87, true), 33);
    EXPECT_EQ(TransparencyAlpha(88, true), 30);
    EXPECT_EQ(TransparencyAlpha(100, true), 0);
    // A hand-edited setting out of range stays within the bounds.
    EXPECT_EQ(TransparencyAlpha(250, true), 0);
    EXPECT_EQ(TransparencyAlpha(-40, true), 255);
    // No layered windows on the older family: always opaque.
    EXPECT_EQ(TransparencyAlpha(100, false), 255);
}

TEST(Background, ModeForEachPercentage) {
    const auto full = PlanTransparency(100, true, true);
    EXPECT_EQ(full.layer, LayerMode::ColourKey);
    EXPECT_FALSE(full.loadPicture);
    EXPECT_FALSE(full.pictureVisible);
    EXPECT_TRUE(full.keyColour);

    EXPECT_EQ(PlanTransparency(88, true, true).layer, LayerMode::ColourKey);
    const auto p87 = PlanTransparency(87, true, true);
    EXPECT_EQ(p87.layer, LayerMode::Alpha);
    EXPECT_EQ(p87.alpha, 33);
    EXPECT_TRUE(p87.loadPicture);
    EXPECT_TRUE(p87.pictureVisible);

    const auto opaque = PlanTransparency(0, true, true);
    EXPECT_EQ(opaque.layer, LayerMode::None);
    EXPECT_TRUE(opaque.loadPicture);
    EXPECT_TRUE(opaque.keyColour);

    // Without the layered-window function, the picture alone, opaque.
    const auto none = PlanTransparency(100, true, false);
    EXPECT_EQ(none.layer, LayerMode::None);
    EXPECT_FALSE(none.keyColour);
    EXPECT_TRUE(none.pictureVisible);
    EXPECT_TRUE(none.loadPicture);
    const auto old = PlanTransparency(100, false, true);
    EXPECT_EQ(old.layer, LayerMode::None);
    EXPECT_TRUE(old.loadPicture);
}
