#include "bar/BarMenus.h"
#include "bar/BarScene.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace pilotune;

TEST(BarScene, EveryWhiteElementHasABlackShadowPaintedBeneathIt) {
    const Scene scene = BuildBarScene();
    const auto& all = scene.Elements();
    int pairs = 0;
    for (std::size_t i = 0; i < all.size(); ++i) {
        const Element& b = all[i];
        if (b.name.back() != 'B' || b.name.substr(0, 3) == "img") continue;
        const std::string nName = b.name.substr(0, b.name.size() - 1) + "N";
        const auto n =
            std::find_if(all.begin(), all.end(), [&](const Element& e) { return e.name == nName; });
        ASSERT_NE(n, all.end()) << b.name;
        EXPECT_LT(n - all.begin(), static_cast<std::ptrdiff_t>(i)) << nName << " painted first";
        EXPECT_EQ(b.color, kWhite) << b.name;
        EXPECT_EQ(n->color, kBlack) << nName;
        EXPECT_EQ(n->text, b.text);
        EXPECT_EQ(n->font, b.font);
        EXPECT_EQ(n->bounds, b.bounds.Moved(1, -1)) << nName;
        ++pairs;
    }
    EXPECT_EQ(pairs, 10);

    EXPECT_EQ(scene["lblDureeB"].text, "00:00");
    EXPECT_EQ(scene["lblDureeB"].align, TextAlign::Right);
    EXPECT_EQ(scene["lblDureeB"].font, (Font{"MS Sans Serif", 11, true}));
    EXPECT_EQ(scene["lblTitreB"].text, "000. Titre");
    EXPECT_EQ(scene["lblHazardB"].font, (Font{"Small Fonts", 8, true}));
    EXPECT_EQ(scene["lblInfoN"].font, (Font{"Small Fonts", 9, true}));
    EXPECT_FALSE(scene["lblInfoN"].visible);
    EXPECT_EQ(scene["lblInfoN"].popupMenu, "ppmPlan");
    EXPECT_FALSE(scene["lblCopierB"].visible);
    EXPECT_EQ(scene["imgRecule"].popupMenu, "ppmListe");
    EXPECT_EQ(scene["imgAvance"].popupMenu, "ppmListe");
    EXPECT_EQ(scene["imgSens"].popupMenu, "ppmBoucle");
    EXPECT_EQ(scene["imgJoue"].picture, "imgJoueS");
    EXPECT_EQ(scene["imgStop"].picture, "imgStopS");
    EXPECT_FALSE(scene["imgEnregistreS"].visible);
    EXPECT_FALSE(scene["shaSelection"].visible);
    EXPECT_EQ(scene["shaSelection"].color, kRed);
    // The background takes no mouse input: a press on it reaches the bar.
    EXPECT_FALSE(scene["imgFond"].enabled);
    EXPECT_EQ(scene.Elements().front().name, "imgFond");
}

TEST(BarLayout, PlacesButtonsIndicatorsAndTextForTheDefaultPosition) {
    Scene scene = BuildBarScene();
    const BarSize size = LayoutBar(scene, 1024, 450);
    EXPECT_EQ(size.width, 499);
    EXPECT_EQ(size.height, 26);
    const int W = 499;
    const char* buttons[] = {"imgRecule", "imgJoue",   "imgPause",
                             "imgStop",   "imgAvance", "imgFerme"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(scene[buttons[i]].bounds, (Rect{W - (6 - i) * 13, 1, 10, 10})) << buttons[i];
    const int X = W - 78 - 6;
    EXPECT_EQ(scene["shaBord2B"].bounds, (Rect{X, 0, 3, 28}));
    EXPECT_EQ(scene["shaBord2N"].bounds, (Rect{X + 1, -1, 3, 28}));
    EXPECT_EQ(scene["shaAvanceB"].bounds.top, 21);
    EXPECT_EQ(scene["shaAvanceB"].bounds.height, 4);
    EXPECT_EQ(scene["lblHazardB"].bounds.left, X + 2);
    EXPECT_EQ(scene["lblHazardB"].bounds.top, 12);
    EXPECT_EQ(scene["imgSens"].bounds.left, X + 24);
    EXPECT_EQ(scene["lblNbBoucleB"].bounds.left, X + 29);
    EXPECT_EQ(scene["lblNbBoucleB"].bounds.top, 11);
    EXPECT_EQ(scene["lblOptionB"].bounds.left, X + 46);
    EXPECT_EQ(scene["lblCopierN"].bounds, scene["lblCopierB"].bounds.Moved(1, -1));
    EXPECT_EQ(scene["lblCopierB"].bounds.left, X + 68);
    const Rect info = scene["lblInfoB"].bounds;
    EXPECT_EQ(info.Right(), X - 2);
    const Rect title = scene["lblTitreB"].bounds;
    EXPECT_EQ(title.left, scene["lblDureeB"].bounds.Right() + 10);
    EXPECT_EQ(title.Right(), X - info.width);
    EXPECT_EQ(scene["imgFond"].bounds, (Rect{0, 0, W, 26}));
}

TEST(BarLayout, AFarRightLeftEdgeStillGivesAUsableBar) {
    Scene scene = BuildBarScene();
    const BarSize size = LayoutBar(scene, 1024, 5000); // corrupted stored position
    EXPECT_EQ(size.width, kBarMinWidth);
    EXPECT_GE(scene["lblTitreB"].bounds.width, 0);
    EXPECT_GT(scene["imgRecule"].bounds.left, scene["lblDureeB"].bounds.Right());
}

TEST(BarScene, HoverActionsAndHighlightTargets) {
    EXPECT_EQ(ElementAction("lblNbBoucleN"), BOUCLE); // shadow and text act alike
    EXPECT_EQ(ElementAction("lblCopierB"), COPIER);
    EXPECT_EQ(ElementAction("lblTitreB"), std::nullopt);
    EXPECT_EQ(ElementAction("imgFond"), std::nullopt);
    EXPECT_EQ(HighlightTarget("lblNbBoucleB"), "imgSens");
    EXPECT_EQ(HighlightTarget("lblHazardB"), "lblHazardB");
}

TEST(BarMenus, MenusKeepTheirShapeDefaultAndLock) {
    BarMenus menus = BuildBarMenus();
    const auto& main = menus.principale.Items();
    ASSERT_EQ(main.size(), 27u);
    EXPECT_EQ(main.front().caption, "Reculer");
    EXPECT_TRUE(main[6].separator);
    EXPECT_EQ(main[12].caption, "&Vérifier les mises à jour...");
    EXPECT_EQ(main.back().caption, "Quitter Pilotune");
    int defaults = 0, checked = 0;
    for (const MenuItem& item : main) {
        defaults += item.isDefault;
        checked += item.checked;
    }
    EXPECT_EQ(defaults, 1);
    EXPECT_EQ(checked, 1);
    EXPECT_TRUE(menus.principale["mnuOption"].isDefault);
    EXPECT_TRUE(menus.principale[kMnuVerrouiller].checked);

    const auto& loop = menus.boucle.Items();
    ASSERT_EQ(loop.size(), 11u);
    EXPECT_EQ(loop[2].caption, "Boucle Infini");
    EXPECT_EQ(loop.back().caption, "Boucle 8");
    EXPECT_EQ(LoopItemCount(loop[2].name), 9);
    EXPECT_EQ(LoopItemCount("mnuBoucle0"), std::nullopt);
    EXPECT_EQ(LoopItemCount("mnuBoucle10"), std::nullopt);
    EXPECT_EQ(LoopItemCount("mnuExtrait"), std::nullopt);
    EXPECT_EQ(menus.plan.Items().size(), 2u);
    EXPECT_EQ(menus.plan[kMnuAnnulerTout].caption, "Annuler Tout");
    EXPECT_EQ(menus.liste.Items().size(), 21u);
    EXPECT_EQ(TrackItemIndex("mnuListe20"), 20);
    EXPECT_EQ(TrackItemIndex("mnuListe21"), std::nullopt);
    EXPECT_EQ(TrackItemIndex("mnuListe1x"), std::nullopt);
}

TEST(BarMenus, MainMenuCommandsCarryTheirModeFlag) {
    EXPECT_EQ(PrincipaleCommand("mnuReculer")->modeFlag, true);
    EXPECT_EQ(PrincipaleCommand("mnuAvancer")->modeFlag, true);
    EXPECT_EQ(PrincipaleCommand("mnuMiseAJour")->action, MISEAJOUR);
    EXPECT_EQ(PrincipaleCommand("mnuMiseAJour")->modeFlag, true);
    EXPECT_EQ(PrincipaleCommand("mnuOuvrirWinamp")->action, JOUER);
    EXPECT_EQ(PrincipaleCommand("mnuJouer")->modeFlag, false);
    EXPECT_EQ(PrincipaleCommand(kMnuVerrouiller), std::nullopt);
    EXPECT_EQ(PrincipaleCommand(""), std::nullopt);
}

// One monitor: the clamp of a drop, also applied to a stored position at start.
TEST(BarLayout, ADroppedOrStoredBarComesBackOntoItsScreen) {
    const Rect screen{0, 0, 1024, 768};
    const Rect left{-1280, 0, 1280, 1024};
    struct Case {
        Rect bar, on, expected;
    } cases[] = {
        {{450, 0, 499, 26}, screen, {450, 0, 499, 26}},        // in place: unchanged
        {{-90, 192, 499, 26}, screen, {0, 192, 499, 26}},      // past the left edge
        {{-5000, -300, 499, 26}, screen, {0, 0, 499, 26}},     // far off, up and left
        {{3000, 5000, 499, 26}, screen, {525, 742, 499, 26}},  // far off, down and right
        {{1000, 760, 499, 26}, screen, {1000, 742, 499, 26}},  // still touching the right side
        {{-1400, 2000, 499, 26}, left, {-1280, 998, 499, 26}}, // a monitor at a negative origin
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClampBarToScreen(c.bar, c.on), c.expected) << c.bar.left << "," << c.bar.top;
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
        const BarSize size = LayoutBar(scene, 1024, 450, c.dpi);
        EXPECT_EQ(size.width, c.width);
        EXPECT_EQ(size.height, c.height);
        EXPECT_EQ(scene["imgFerme"].bounds,
                  (Rect{c.width - c.pitch, ScaleToDpi(1, c.dpi), c.button, c.button}));
        EXPECT_EQ(scene["imgRecule"].bounds.left, c.width - 6 * c.pitch);
        EXPECT_EQ(scene["lblTitreN"].bounds, scene["lblTitreB"].bounds.Moved(c.shadow, -c.shadow));
        EXPECT_EQ(scene["shaAvanceN"].bounds,
                  scene["shaAvanceB"].bounds.Moved(c.shadow, -c.shadow));
        EXPECT_EQ(scene["lblTitreB"].font.height, c.timeFont);
        EXPECT_EQ(scene["lblDureeN"].font.height, c.timeFont);
        EXPECT_EQ(scene["lblHazardN"].font.height, c.indicatorFont);
        EXPECT_EQ(scene["imgFond"].bounds, (Rect{0, 0, c.width, c.height}));
        EXPECT_EQ(scene["shaAvanceB"].bounds.Bottom(), c.height - ScaleToDpi(1, c.dpi));
        // The highlight frames a button the same way at every scale.
        const Rect b = scene["imgJoue"].bounds;
        const Rect frame = HighlightFrame(b, c.dpi);
        EXPECT_EQ(frame.left, b.left - c.shadow);
        EXPECT_EQ(frame.Right(), b.Right() + ScaleToDpi(2, c.dpi));
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

// Two monitors: the bar lands on the one that holds most of it, at its DPI,
// sized by its right edge; a stored place comes back on its monitor, or the
// nearest one when that monitor is gone.
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
        {one, {3000, 5000, 499, 26}, {{525, 742, 424, 26}, 96}},
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
