#include "bar/BarMenus.h"
#include "bar/BarScene.h"
#include "bar/Progress.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <tuple>

using namespace pilotune;

TEST(BarScene, ShadowsHoverActionsHighlightFramesAndMenus) {
    const Scene scene = BuildBarScene();
    std::set<std::string> painted;
    int pairs = 0;
    for (const Element& b : scene.Elements()) {
        painted.insert(b.name);
        if (b.name.back() != 'B' || b.name.starts_with("img")) continue;
        const std::string n = b.name.substr(0, b.name.size() - 1) + "N";
        EXPECT_TRUE(painted.contains(n)) << n << " painted first";
        EXPECT_EQ(scene[n].bounds, b.bounds.Moved(1, -1)) << n;
        EXPECT_EQ(std::tie(scene[n].color, b.color), std::tie(kBlack, kWhite)) << n;
        ++pairs;
    }
    EXPECT_EQ(pairs, 11);
    EXPECT_EQ(scene.Elements().front().name, "imgFond");
    EXPECT_FALSE(scene["imgFond"].enabled);

    EXPECT_EQ(ElementAction("lblNbBoucleN"), BOUCLE); // shadow and text act alike
    EXPECT_EQ(ElementAction("lblTitreB"), std::nullopt);
    EXPECT_EQ(ElementAction("imgFond"), std::nullopt);
    EXPECT_EQ(HighlightTarget("lblNbBoucleB"), "imgSens");
    EXPECT_EQ(HighlightTarget("lblHazardB"), "lblHazardB");
    // The frame: one pixel out left and up, two right, one down (scaled).
    EXPECT_EQ(HighlightFrame({10, 1, 10, 10}), (Rect{9, 0, 13, 12}));
    EXPECT_EQ(HighlightFrame({20, 2, 20, 20}, 192), (Rect{18, 0, 26, 24}));

    // One default item, the lock marked; numbered items parse within their menu's range.
    BarMenus menus = BuildBarMenus();
    const auto& main = menus.principale.Items();
    EXPECT_EQ(std::ranges::count_if(main, &MenuItem::isDefault), 1);
    EXPECT_EQ(std::ranges::count_if(main, &MenuItem::checked), 1);
    EXPECT_TRUE(menus.principale["mnuOption"].isDefault);
    EXPECT_TRUE(menus.principale[kMnuVerrouiller].checked);
    EXPECT_EQ(menus.boucle.Items().size(), 11u);
    EXPECT_EQ(LoopItemCount(menus.boucle.Items()[2].name), 9);
    for (const char* notALoop : {"mnuBoucle0", "mnuBoucle10", "mnuExtrait"})
        EXPECT_EQ(LoopItemCount(notALoop), std::nullopt) << notALoop;
    EXPECT_EQ(TrackItemIndex("mnuListe20"), 20);
    EXPECT_EQ(TrackItemIndex("mnuListe21"), std::nullopt);
    EXPECT_EQ(TrackItemIndex("mnuListe1x"), std::nullopt);
    for (const char* item : {"mnuReculer", "mnuAvancer", "mnuMiseAJour"})
        EXPECT_TRUE(PrincipaleCommand(item)->modeFlag) << item;
    EXPECT_EQ(PrincipaleCommand("mnuOuvrirWinamp")->action, JOUER);
    EXPECT_FALSE(PrincipaleCommand("mnuJouer")->modeFlag);
    EXPECT_EQ(PrincipaleCommand(kMnuVerrouiller), std::nullopt);
}

// At 96 DPI the bar is exactly as designed: 499 x 26 at 450 on a 1024 screen.
TEST(BarLayout, PlacesButtonsIndicatorsAndTextForTheDefaultPosition) {
    Scene scene = BuildBarScene();
    EXPECT_EQ(LayoutBar(scene, 1024, 450).width, 499);
    const int W = 499, X = W - 78 - 6;
    const char* buttons[] = {"imgRecule", "imgJoue",   "imgPause",
                             "imgStop",   "imgAvance", "imgFerme"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(scene[buttons[i]].bounds, (Rect{W - (6 - i) * 13, 1, 10, 10})) << buttons[i];
    EXPECT_EQ(scene["shaBord2B"].bounds, (Rect{X, 0, 3, 28}));
    EXPECT_EQ(scene["shaAvanceB"].bounds, (Rect{0, 21, 0, 4}));
    EXPECT_EQ(scene["lblHazardB"].bounds, (Rect{X + 2, 12, 22, 12}));
    EXPECT_EQ(scene["imgSens"].bounds, (Rect{X + 24, 12, 21, 12}));
    EXPECT_EQ(scene["lblNbBoucleB"].bounds, (Rect{X + 29, 11, 7, 10}));
    EXPECT_EQ(scene["lblOptionB"].bounds.left, X + 46);
    EXPECT_EQ(scene["lblCopierB"].bounds.left, X + 68);
    const Rect info = scene["lblInfoB"].bounds;
    EXPECT_EQ(info.Right(), X - 2);
    EXPECT_EQ(scene["lblDureeB"].bounds, (Rect{1, 2, 41, 13}));
    EXPECT_EQ(scene["lblTitreB"].bounds, (Rect{52, 2, X - info.width - 52, 13}));
    EXPECT_EQ(scene["lblTitreB"].font, (Font{"MS Sans Serif", 11, true}));
    EXPECT_EQ(scene["lblHazardB"].font, (Font{"Small Fonts", 8, true}));
    EXPECT_EQ(scene["lblInfoN"].font, (Font{"Small Fonts", 9, true}));
}

// Every size, offset and font follows the DPI; at 96 the bar is as designed.
TEST(BarLayout, EverySizeOffsetAndFontScalesWithTheDpi) {
    struct Case {
        int dpi, width, height, button, pitch, shadow, timeFont, indicatorFont;
    } cases[] = {
        {96, 499, 26, 10, 13, 1, 11, 8},
        {120, 480, 33, 13, 16, 1, 14, 10}, // 75 * 1.25 = 93.75 -> 94
        {144, 461, 39, 15, 20, 2, 17, 12}, // halves round up: 112.5 -> 113, 19.5 -> 20
        {192, 424, 52, 20, 26, 2, 22, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dpi);
        Scene scene = BuildBarScene();
        Element& info = scene["lblInfoB"];
        info.visible = true;
        info.bounds.width = ScaleToDpi(30, c.dpi); // as measured at that DPI
        LayoutBar(scene, 1024, 450, c.dpi);
        EXPECT_EQ(scene["imgFerme"].bounds,
                  (Rect{c.width - c.pitch, ScaleToDpi(1, c.dpi), c.button, c.button}));
        EXPECT_EQ(scene["imgRecule"].bounds.left, c.width - 6 * c.pitch);
        EXPECT_EQ(scene["lblTitreN"].bounds, scene["lblTitreB"].bounds.Moved(c.shadow, -c.shadow));
        EXPECT_EQ(scene["shaAvanceN"].bounds,
                  scene["shaAvanceB"].bounds.Moved(c.shadow, -c.shadow));
        // Above 96, outline faces: the small bitmap ones have no larger sizes.
        const bool outline = c.dpi > 96;
        EXPECT_EQ(scene["lblDureeN"].font,
                  (Font{outline ? "Microsoft Sans Serif" : "MS Sans Serif", c.timeFont, true}));
        EXPECT_EQ(scene["lblHazardN"].font,
                  (Font{outline ? "Tahoma" : "Small Fonts", c.indicatorFont, true}));
        EXPECT_EQ(scene["imgFond"].bounds, (Rect{0, 0, c.width, c.height}));
        EXPECT_EQ(scene["shaAvanceB"].bounds.Bottom(), c.height - ScaleToDpi(1, c.dpi));
        // Nothing that takes a click overlaps another, nothing leaves the bar,
        // and every label is high enough for its letters.
        std::vector<const Element*> clickable;
        for (const Element& e : scene.Elements()) {
            if (!e.visible || e.bounds.width == 0 || e.name.ends_with('N')) continue;
            EXPECT_GE(e.bounds.left, 0) << e.name;
            EXPECT_LE(e.bounds.Right(), c.width) << e.name;
            if (e.kind == ElementKind::Label) EXPECT_GE(e.bounds.height, e.font.height) << e.name;
            if (ElementAction(e.name)) clickable.push_back(&e);
        }
        for (const Element* a : clickable)
            for (const Element* b : clickable) {
                if (a == b || a->name == "lblNbBoucleB" || b->name == "lblNbBoucleB") continue;
                const bool apart =
                    a->bounds.Right() <= b->bounds.left || b->bounds.Right() <= a->bounds.left ||
                    a->bounds.Bottom() <= b->bounds.top || b->bounds.Bottom() <= a->bounds.top;
                EXPECT_TRUE(apart) << a->name << " overlaps " << b->name;
            }
    }
}

TEST(BarLayout, TheBarRestsOnTheMonitorThatHoldsItAtThatMonitorsDpi) {
    const Screen primary{{0, 0, 1024, 768}, 96};
    const Screen right{{1024, 0, 1920, 1080}, 192};
    const Screen above{{0, -1080, 1920, 1080}, 144};
    const Screen left{{-1280, 0, 1280, 1024}, 96};
    const std::vector<Screen> one{primary};
    struct Case {
        std::vector<Screen> monitors;
        Rect dropped;
        BarPlace expected;
    } drops[] = {
        {one, {450, 0, 499, 26}, {{450, 0, 499, 26}, 96}},   // exactly the old rule
        {one, {-90, 192, 499, 26}, {{0, 192, 949, 26}, 96}}, // clamped, then sized
        {one, {-5000, -300, 499, 26}, {{0, 0, 949, 26}, 96}},
        {one, {3000, 5000, 499, 26}, {{525, 742, 424, 26}, 96}},
        {one, {1000, 760, 499, 26}, {{1000, 742, 160, 26}, 96}}, // still touching the right
        // Across two: most of it on the right-hand monitor, at 200 %, onto it.
        {{primary, right}, {900, 100, 499, 26}, {{1024, 100, 1770, 52}, 192}},
        {{primary, right}, {600, 100, 499, 26}, {{600, 100, 349, 26}, 96}},
        // Past the bottom of the 200 % monitor: its own height decides.
        {{primary, right}, {1500, 1070, 499, 26}, {{1500, 1028, 1294, 52}, 192}},
        {{primary, above}, {300, -14, 499, 26}, {{300, -39, 1507, 39}, 144}},
        {{primary, left}, {-300, 50, 499, 26}, {{-300, 50, 225, 26}, 96}},
        {{primary, left}, {-1400, -40, 499, 26}, {{-1280, 0, 1205, 26}, 96}},
    };
    for (const Case& c : drops)
        EXPECT_EQ(DropBar(c.monitors, c.dropped), c.expected)
            << c.dropped.left << "," << c.dropped.top;

    struct Stored {
        std::vector<Screen> monitors;
        int left, top;
        BarPlace expected;
    } stored[] = {
        {one, 450, 0, {{450, 0, 499, 26}, 96}},
        {one, 5000, 0, {{864, 0, 160, 26}, 96}}, // a far-off place: still usable
        {{primary, right}, 2000, 500, {{2000, 500, 794, 52}, 192}},
        {one, 2000, 500, {{864, 500, 160, 26}, 96}}, // that monitor is gone: nearest
        {{primary, left}, -1000, 900, {{-1000, 900, 925, 26}, 96}},
        {{primary, above}, 1500, -5, {{1500, -39, 307, 39}, 144}},
    };
    for (const Stored& c : stored)
        EXPECT_EQ(PlaceStoredBar(c.monitors, c.left, c.top), c.expected) << c.left << "," << c.top;
}

TEST(Progress, ElapsedRemainingStartEndAndUnknownLengths) {
    struct Case {
        int p, d, L, R;
        bool remaining;
        ProgressDisplay expected;
    } cases[] = {
        {100, 200, 10, 410, false, {10, 100 * 398 / 200 + 10, "1:40"}},
        {100, 200, 10, 410, true, {211, 199, "-1:40"}},
        {1, 3, 0, 10, false, {0, 2, "0:01"}},
        {3725, 4000, 0, 10, false, {0, 7, "01:02:05"}},
        {0, 200, 0, 415, true, {1, 414, "-3:20"}}, // spans L + 1 .. R
        {0, 200, 0, 415, false, {0, 0, "0:00"}},
        {30, -1, 0, 415, true, {0, 0, "0:30"}},
        {200, 200, 0, 415, true, {416, 0, "0:00"}},
        {250, 200, 0, 415, false, {0, 413, "4:10"}},
    };
    for (const Case& c : cases) {
        const auto shown = ComputeProgress(c.p, c.d, c.L, c.R, c.remaining);
        ASSERT_TRUE(shown) << c.p << "/" << c.d;
        EXPECT_EQ(std::tie(shown->left, shown->width, shown->time),
                  std::tie(c.expected.left, c.expected.width, c.expected.time))
            << c.p << "/" << c.d << (c.remaining ? " remaining" : "");
    }
    EXPECT_EQ(ComputeProgress(0, 0, 0, 415, false), std::nullopt);
    EXPECT_EQ(ComputeProgress(37, 0, 0, 415, true), std::nullopt);
}
