#include "ui/Elements.h"

#include <gtest/gtest.h>

using namespace pilotune;

namespace {
Scene TwoLabels() {
    Scene scene;
    scene.Add({.name = "lblTitreN", .bounds = {11, 1, 50, 13}, .color = kBlack});
    scene.Add({.name = "lblTitreB", .bounds = {10, 2, 50, 13}});
    return scene;
}
} // namespace

TEST(Twin, KeepsTheShadowOnePixelRightAndUpWithTheSameTextAndHint) {
    Scene scene = TwoLabels();
    Twin title(scene, "lblTitre");
    for (int i = 0; i < 100; ++i) scene.Add({.name = "x" + std::to_string(i)}); // no dangling
    title.SetText("3. Artiste - Morceau");
    title.SetHint("3. Artiste - Morceau - Pause");
    title.SetBounds({40, 2, 200, 13});
    title.SetVisible(false);
    title.SetPopupMenu("ppmPlan");
    const Element& n = scene["lblTitreN"];
    EXPECT_EQ(n.text, "3. Artiste - Morceau");
    EXPECT_EQ(n.hint, scene["lblTitreB"].hint);
    EXPECT_EQ(n.bounds, (Rect{41, 1, 200, 13}));
    EXPECT_FALSE(n.visible);
    EXPECT_EQ(n.popupMenu, "ppmPlan");
    EXPECT_EQ(n.color, kBlack);
}

TEST(Scene, HitTestFindsTheTopmostVisibleEnabledElement) {
    Scene scene;
    scene.Add({.name = "imgFond", .kind = ElementKind::Picture, .bounds = {0, 0, 100, 26},
               .enabled = false});
    scene.Add({.name = "under", .bounds = {10, 0, 20, 10}});
    scene.Add({.name = "over", .bounds = {15, 0, 20, 10}});
    EXPECT_EQ(scene.HitTest(16, 5)->name, "over");
    EXPECT_EQ(scene.HitTest(12, 5)->name, "under");
    EXPECT_EQ(scene.HitTest(35, 5), nullptr); // right edge is outside
    EXPECT_EQ(scene.HitTest(50, 20), nullptr); // the disabled background takes nothing
    scene["over"].visible = false;
    EXPECT_EQ(scene.HitTest(16, 5)->name, "under");
    EXPECT_THROW(scene["absent"], std::out_of_range);
}

TEST(Menu, FindsItemsByNameAndSkipsSeparators) {
    Menu menu("ppmBoucle");
    menu.Add({.name = "mnuExtrait", .caption = "Extrait"});
    menu.AddSeparator();
    menu.Add({.name = "mnuBoucle9", .caption = "Boucle Infini"});
    menu["mnuBoucle9"].checked = true;
    EXPECT_TRUE(menu.Items()[2].checked);
    EXPECT_EQ(menu.Find(""), nullptr);
    EXPECT_THROW(menu["mnuBoucle1"], std::out_of_range);
}
