#include <gtest/gtest.h>

#include "windows/AProposDe.h"
#include "windows/PleinEcranScene.h"

using namespace pilotune;

namespace {

TEST(ViewAnchors, EachSideKeepsItsDistanceAFreeAxisItsCentreInProportionOnA1024By768Screen) {
    struct Case {
        Anchors anchors;
        Rect expected; // design {100, 50, 20, 10} in 200 x 100, shown in 400 x 300
    };
    const Case cases[] = {
        {{true, true, false, false}, {100, 50, 20, 10}},   // left, top: stays
        {{true, true, true, true}, {100, 50, 220, 210}},   // all four: stretches
        {{false, false, true, true}, {300, 250, 20, 10}},  // right, bottom: moves
        {{false, true, false, false}, {210, 50, 20, 10}},  // top: centre 110 -> 220
        {{false, false, false, true}, {210, 250, 20, 10}}, // bottom only
        {{true, false, false, true}, {100, 250, 20, 10}},  // left, bottom
    };
    for (const Case& c : cases)
        EXPECT_EQ(AnchorRect({100, 50, 20, 10}, c.anchors, 200, 100, 400, 300), c.expected);
    // At its design size nothing moves.
    EXPECT_EQ(AnchorRect({100, 50, 20, 10}, {false, false, false, false}, 200, 100, 200, 100),
              (Rect{100, 50, 20, 10}));

    Scene scene = BuildViewScene();
    EXPECT_FALSE(scene["shaSelection"].visible);
    EXPECT_TRUE(scene["lblTitreB"].wrap); // long titles wrap, not cut
    LayoutView(scene, 1024, 768);
    EXPECT_EQ(scene["lblTitreB"].bounds, (Rect{8, 128, 617 + 389, 265 + 322}));
    EXPECT_EQ(scene["shaBord2B"].bounds, (Rect{624 + 389, 402 + 322, 7, 41}));
    EXPECT_EQ(scene["shaAvanceB"].bounds.left, 33);
    EXPECT_EQ(scene["shaAvanceB"].bounds.top, 413 + 322);
    // Top-anchored controls spread with the width: the close picture's centre
    // keeps its proportion (584 of 635 -> 941 of 1024).
    EXPECT_EQ(scene["imgFerme"].bounds, (Rect{941 - 17, 32, 34, 34}));
    EXPECT_LT(scene["shaBord1B"].bounds.left, scene["shaAvanceB"].bounds.left);
}

TEST(ViewGradient, TwoHundredFiftySixBandsFromBlueToNavyCoverEveryRow) {
    EXPECT_EQ(ViewGradientBand(0, 768).color, 0x0000FFu);
    EXPECT_EQ(ViewGradientBand(255, 768).color, 0x000080u);
    EXPECT_EQ(ViewGradientBand(128, 768).color, 0x0000C0u); // 255 - 128 * 127 / 255
    EXPECT_EQ(ViewGradientBand(1, 768).top, 3);             // 768 * 1 / 256
    for (int height : {768, 446, 1080, 100, 1}) {
        int next = 0;
        for (int i = 0; i < kGradientBands; ++i) {
            const GradientBand band = ViewGradientBand(i, height);
            EXPECT_EQ(band.top, next) << height << " band " << i;
            EXPECT_GE(band.bottom, band.top);
            next = band.bottom;
        }
        EXPECT_EQ(next, height);
    }
    EXPECT_EQ(ViewGradientBand(1, 446).top, 2); // 446 / 256 = 1.74, rounded
}

TEST(ViewHoverTable, ActionsFramedElementsAndClosingClicks) {
    struct Case {
        const char* name;
        TAction action;
        const char* framed;
    };
    const Case cases[] = {
        {"imgJoue", JOUER, "imgJoue"},        {"lblNbBoucleN", BOUCLE, "imgSens"},
        {"lblHazardB", HAZARD, "lblHazardB"}, {"lblCopierB", COPIER, "lblCopierB"},
        {"lblDureeB", AFFICHENEGATIF, ""},    {"", ARIEN, ""},
    };
    for (const Case& c : cases) {
        const auto hover = ViewHoverOf(c.name);
        ASSERT_TRUE(hover) << c.name;
        EXPECT_EQ(hover->action, c.action) << c.name;
        EXPECT_EQ(hover->framed, c.framed) << c.name;
    }
    for (const char* kept : {"lblTitreB", "lblTitreN", "shaBord1B", "shaBord2N", "shaSelection"})
        EXPECT_FALSE(ViewHoverOf(kept)) << kept;
    EXPECT_EQ(SelectionAround({10, 20, 34, 34}), (Rect{9, 19, 37, 36}));
    for (const char* name : {"", "lblDureeB", "lblDureeN", "lblTitreB"})
        EXPECT_TRUE(ClosesOnDoubleClick(name)) << name;
    for (const char* name : {"lblTitreN", "imgJoue", "lblHazardB"})
        EXPECT_FALSE(ClosesOnDoubleClick(name)) << name;
    EXPECT_TRUE(ClosesOnClick("lblTitreN"));
    EXPECT_FALSE(ClosesOnClick("lblTitreB"));
    EXPECT_FALSE(ClosesOnClick(""));
}

TEST(ViewSeek, SeekAtTheMiddleNothingOutsideTheZoneAndATickRepaintsOnlyWhatChanged) {
    Scene scene = BuildViewScene();
    LayoutView(scene, 1024, 768);
    const int l = scene["shaBord1B"].bounds.left, r = scene["shaBord2B"].bounds.left;
    const Rect bar = scene["shaAvanceB"].bounds;
    int asked = 0;
    auto length = [&] {
        ++asked;
        return 200;
    };
    EXPECT_EQ(ViewSeekSecond(scene, (l + r) / 2, bar.top, length),
              200 * ((r - l) / 2) / (r - l) + 2);
    EXPECT_EQ(asked, 1);
    // Just inside the band's edges, and just outside.
    EXPECT_TRUE(ViewSeekSecond(scene, l + 1, bar.top - bar.height + 1, length));
    EXPECT_TRUE(ViewSeekSecond(scene, r - 1, bar.top + bar.height - 1, length));
    asked = 0;
    for (auto [x, y] : {std::pair{(l + r) / 2, bar.top - bar.height}, // a click above the zone
                        std::pair{(l + r) / 2, bar.top + bar.height}, std::pair{l, bar.top},
                        std::pair{r, bar.top}, std::pair{(l + r) / 2, 300}})
        EXPECT_FALSE(ViewSeekSecond(scene, x, y, length)) << x << "," << y;
    EXPECT_EQ(asked, 0);
    EXPECT_FALSE(ViewSeekSecond(scene, (l + r) / 2, bar.top, [] { return 0; }));
    EXPECT_FALSE(ViewSeekSecond(scene, (l + r) / 2, bar.top, [] { return -1; }));

    const Scene& before = scene;

    // The time: both of its labels, widened by the overflow, nothing else.
    Scene after = before;
    after["lblDureeB"].text = after["lblDureeN"].text = "01:23";
    auto areas = ChangedAreas(before, after, 8);
    ASSERT_EQ(areas.size(), 4u);
    const Rect b = before["lblDureeB"].bounds;
    EXPECT_EQ(areas[2], (Rect{b.left - 8, b.top, b.width + 16, b.height}));

    // The progress bar grew by 5 pixels: a 5-pixel strip for each twin.
    Scene grown = before;
    grown["shaAvanceB"].bounds.width += 5;
    grown["shaAvanceN"].bounds.width += 5;
    areas = ChangedAreas(before, grown, 8);
    ASSERT_EQ(areas.size(), 2u);
    EXPECT_EQ(areas[1], (Rect{bar.Right(), bar.top, 5, bar.height}));

    // The remaining-time bar moved its left edge right: the strip it left.
    Scene moved = before;
    moved["shaAvanceB"].bounds.left += 7;
    moved["shaAvanceB"].bounds.width -= 7;
    areas = ChangedAreas(before, moved, 8);
    ASSERT_EQ(areas.size(), 1u);
    EXPECT_EQ(areas[0], (Rect{bar.left, bar.top, 7, bar.height}));

    // Shown or hidden: its place, once.
    Scene shown = before;
    shown["lblCopierB"].visible = true;
    areas = ChangedAreas(before, shown, 0);
    ASSERT_EQ(areas.size(), 1u);
    EXPECT_EQ(areas[0], shown["lblCopierB"].bounds);
    EXPECT_EQ(ChangedAreas(shown, before, 0).size(), 1u);
}

TEST(ViewProgressBar, ElapsedGrowsFromTheLeftRemainingShrinksTowardsTheRight) {
    struct Case {
        int e, d;
        bool remaining;
        ProgressBar expected;
    };
    // L = 3, R = 1013.
    const Case cases[] = {
        {0, 200, false, {3, 3}},     // (1010 - 2) * 0 / 200 + 3
        {100, 200, false, {3, 507}}, // 1008 * 100 / 200 + 3
        {200, 200, false, {3, 1011}},
        {250, 200, false, {3, 1011}}, // past the end: stays at the end
        {-5, 200, false, {3, 3}},
        {0, 200, true, {4, 1009}},    // 0 + 3 + 1, up to R
        {100, 200, true, {509, 504}}, // 1010 * 100 / 200 + 4
        {200, 200, true, {1014, 0}},
        {30, -1, false, {3, 0}}, // no known length: an empty bar
    };
    for (const Case& c : cases) {
        const auto bar = ViewProgress(c.e, c.d, 3, 1013, c.remaining);
        ASSERT_TRUE(bar) << c.e << "/" << c.d;
        EXPECT_EQ(std::tie(bar->left, bar->width), std::tie(c.expected.left, c.expected.width))
            << c.e << "/" << c.d << " " << c.remaining;
    }
    EXPECT_FALSE(ViewProgress(10, 0, 3, 1013, false));
}

TEST(Defilement, RisesOnePixelAStepAndComesBackFromTheBottomOnceGone) {
    Defilement d{.top = 1, .height = 3, .frameHeight = 257};
    const int expected[] = {0, -1, -2, -3, 257, 256};
    for (int top : expected) {
        d.Step();
        EXPECT_EQ(d.top, top);
    }
    // An empty text (no read-me) goes round too, without end.
    Defilement empty{.top = 0, .height = 0, .frameHeight = 10};
    empty.Step();
    EXPECT_EQ(empty.top, 10);
}

} // namespace
