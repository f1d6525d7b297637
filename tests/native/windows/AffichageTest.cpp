#include "windows/Affichage.h"
#include "player/Winamp.h"

#include <gtest/gtest.h>

using namespace pilotune;

namespace {
bool Inside(const Rect& inner, const Rect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.Right() <= outer.Right() &&
           inner.Bottom() <= outer.Bottom();
}
} // namespace

TEST(Affichage, TheVolumeGaugeAndPercentageFitTheWindowAtEveryDpi) {
    EXPECT_EQ(VolumePercent(0), 0);
    EXPECT_EQ(VolumePercent(128), 50);
    EXPECT_EQ(VolumePercent(255), 100);
    EXPECT_EQ(VolumePercent(300), 100);
    EXPECT_EQ(VolumePercent(-4), 0);
    EXPECT_EQ(PercentText(75), "75\xC2\xA0%");

    for (int dpi : {96, 144, 192}) {
        const Size widest{ScaleToDpi(52, dpi), ScaleToDpi(27, dpi)};
        const AffichageLayout none = LayoutVolume(0, widest, dpi);
        const AffichageLayout half = LayoutVolume(50, widest, dpi);
        const AffichageLayout full = LayoutVolume(100, widest, dpi);
        const Rect window{0, 0, full.window.width, full.window.height};
        EXPECT_EQ(full.window, ScaleToDpi(Size{252, 47}, dpi)) << dpi;
        EXPECT_TRUE(Inside(full.text, window) && Inside(full.gauge, window)) << dpi;
        EXPECT_LE(full.gauge.Right(), full.text.left) << dpi;
        EXPECT_TRUE(Inside(full.level, full.gauge)) << dpi;
        EXPECT_EQ(none.level.width, 0);
        EXPECT_NEAR(half.level.width * 2, full.level.width, 1) << dpi;
        EXPECT_EQ(full.level.width, full.gauge.width - 2 * ScaleToDpi(2, dpi));
    }
}

TEST(Affichage, ATitleIsOneLineBetweenItsBoundsAndTheCornersKeepTheirMargin) {
    const AffichageLayout shortTitle = LayoutTitle({10, 20}, 500, 96);
    EXPECT_EQ(shortTitle.window, (Size{120, 40}));
    const AffichageLayout longTitle = LayoutTitle({900, 30}, 500, 144);
    EXPECT_EQ(longTitle.window, (Size{500, 60}));
    EXPECT_EQ(longTitle.text, (Rect{21, 15, 458, 30}));
    EXPECT_EQ(longTitle.gauge, Rect{});

    const Rect work{-1280, 0, 1280, 984}; // a monitor left of the primary one
    const Size s{200, 50};
    EXPECT_EQ(PlaceAtCorner(work, s, kCoinHautGauche, 96), (Rect{-1256, 24, 200, 50}));
    EXPECT_EQ(PlaceAtCorner(work, s, kCoinHautDroite, 96), (Rect{-224, 24, 200, 50}));
    EXPECT_EQ(PlaceAtCorner(work, s, kCoinBasGauche, 144), (Rect{-1244, 898, 200, 50}));
    EXPECT_EQ(PlaceAtCorner(work, s, kCoinBasDroite, 144), (Rect{-236, 898, 200, 50}));
    EXPECT_EQ(PlaceAtCorner(work, s, 9, 96), PlaceAtCorner(work, s, kCoinBasDroite, 96));
}

TEST(Affichage, ItStaysWholeTwoSecondsThenFadesToNothing) {
    EXPECT_EQ(FadeAlpha(0), kAffichageAlpha);
    EXPECT_EQ(FadeAlpha(kAffichageMs - 1), kAffichageAlpha);
    const int a = FadeAlpha(kAffichageMs + 100), b = FadeAlpha(kAffichageMs + 300);
    EXPECT_TRUE(kAffichageAlpha > a && a > b && b > 0) << a << " " << b;
    EXPECT_EQ(FadeAlpha(kAffichageMs + kAffichageFonduMs), 0);
    EXPECT_EQ(FadeAlpha(1'000'000), 0);
}
