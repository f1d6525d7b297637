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

// The drop rule, also applied to a stored position at start: a 499 x 26 bar
// on a 1024 x 768 screen, and on a second monitor left of the primary one.
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
