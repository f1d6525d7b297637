#include "ui/Elements.h"

#include <gtest/gtest.h>

using namespace pilotune;

namespace {
Element Label(std::string name, Rect bounds = {}, std::uint32_t color = kWhite) {
    Element e;
    e.name = std::move(name);
    e.bounds = bounds;
    e.color = color;
    return e;
}

Scene TwoLabels() {
    Scene scene;
    scene.Add(Label("lblTitreN", {11, 1, 50, 13}, kBlack));
    scene.Add(Label("lblTitreB", {10, 2, 50, 13}));
    return scene;
}
} // namespace

TEST(Twin, KeepsTheShadowOnePixelRightAndUpWithTheSameTextAndHint) {
    Scene scene = TwoLabels();
    Twin title(scene, "lblTitre");
    for (int i = 0; i < 100; ++i)
        scene.Add(Label("x" + std::to_string(i))); // no dangling
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
    Element background = Label("imgFond", {0, 0, 100, 26});
    background.kind = ElementKind::Picture;
    background.enabled = false;
    scene.Add(background);
    scene.Add(Label("under", {10, 0, 20, 10}));
    scene.Add(Label("over", {15, 0, 20, 10}));
    EXPECT_EQ(scene.HitTest(16, 5)->name, "over");
    EXPECT_EQ(scene.HitTest(12, 5)->name, "under");
    EXPECT_EQ(scene.HitTest(35, 5), nullptr);  // right edge is outside
    EXPECT_EQ(scene.HitTest(50, 20), nullptr); // the disabled background takes nothing
    scene["over"].visible = false;
    EXPECT_EQ(scene.HitTest(16, 5)->name, "under");
    EXPECT_THROW(scene["absent"], std::out_of_range);
}
