#include <gtest/gtest.h>

#include "ui/Elements.h"
#include "ui/Layout.h"

using namespace pilotune;

TEST(Layout, DesignCoordinatesScaleToEachDpi) {
    struct Case {
        int dpi;
        Rect design, expected;
    };
    const Case cases[] = {
        {96, {8, 48, 241, 21}, {8, 48, 241, 21}},
        {120, {8, 48, 241, 21}, {10, 60, 301, 26}}, // 8*1.25=10, 249*1.25=311.25 -> 311
        {144, {8, 48, 241, 21}, {12, 72, 362, 32}}, // 249*1.5=373.5 -> 374, 69*1.5 -> 104
        {144, {0, 0, 258, 134}, {0, 0, 387, 201}},
        {120, {1, 1, 1, 1}, {1, 1, 2, 2}},   // 1.25 -> 1, 2.5 -> 3: edges, not lengths
        {0, {5, 5, 10, 10}, {5, 5, 10, 10}}, // an unknown DPI counts as 96
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScaleToDpi(c.design, c.dpi), c.expected) << c.dpi;

    // Two controls that touch at 96 DPI still touch at every DPI.
    for (int dpi : {96, 120, 144, 168}) {
        const Rect a = ScaleToDpi(Rect{8, 71, 129, 25}, dpi);
        const Rect b = ScaleToDpi(Rect{137, 71, 97, 25}, dpi);
        EXPECT_EQ(a.Right(), b.left) << dpi;
        EXPECT_EQ(ScaleToDpi(-3, dpi), -ScaleToDpi(3, dpi)) << dpi;
    }
    // Lengths back: the smallest design length that covers the pixels.
    EXPECT_EQ(DesignLength(26, 96), 26);
    EXPECT_EQ(DesignLength(40, 144), 27); // 27 * 1.5 = 40.5 -> 41 >= 40; 26 -> 39
    EXPECT_EQ(DesignLength(41, 120), 33);
    for (int dpi : {96, 120, 144})
        for (int px = 0; px < 200; ++px)
            EXPECT_GE(ScaleToDpi(DesignLength(px, dpi), dpi), px) << dpi << " " << px;
}

TEST(Layout, AnchorsFollowAResizeAndTheClientNeverShrinksBelowTheMinimum) {
    const Size base{300, 200}, now{400, 260}; // 100 wider, 60 taller
    const Rect r{10, 20, 50, 30};
    struct Case {
        unsigned anchors;
        Rect expected;
    };
    const Case cases[] = {
        {kAnchorTop | kAnchorRight, {110, 20, 50, 30}},
        {kAnchorLeft | kAnchorBottom, {10, 80, 50, 30}},
        {kAnchorAll, {10, 20, 150, 90}},
        {0, {10, 20, 50, 30}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Anchored(r, c.anchors, base, now), c.expected) << c.anchors;
    // Shrinking a stretched control never gives it a negative size.
    EXPECT_EQ(Anchored(r, kAnchorAll, base, {200, 100}), (Rect{10, 20, 0, 0}));

    // The layout remembers its controls and arranges them at its DPI.
    Layout layout(144, {200, 100});
    EXPECT_EQ(layout.Add(1, {8, 8, 100, 20}, kAnchorLeft | kAnchorRight | kAnchorTop),
              (Rect{12, 12, 150, 30}));
    layout.Add(2, {120, 70, 72, 22}, kAnchorRight | kAnchorBottom);
    layout.Add(3, {8, 70, 50, 22});
    layout.Remove(3);
    const auto placed = layout.Arrange({layout.Client().width + 30, layout.Client().height + 9});
    ASSERT_EQ(placed.size(), 2u);
    EXPECT_EQ(placed[0].key, 1u);
    EXPECT_EQ(placed[0].bounds, (Rect{12, 12, 180, 30}));
    EXPECT_EQ(placed[1].bounds, (Rect{180 + 30, 105 + 9, 108, 33}));
    // A form that grows its client moves a control and measures from the new size.
    layout.Move(2, {120, 90, 72, 22});
    layout.SetDesignClient({200, 120});
    EXPECT_EQ(layout.Arrange(layout.Client())[1].bounds, (Rect{180, 135, 108, 33}));

    // The client never shrinks below the minimum (none by default).
    Layout sized(120, {400, 300});
    EXPECT_EQ(sized.Minimum(), (Size{0, 0}));
    sized.SetMinimum({320, 200});
    EXPECT_EQ(sized.Minimum(), (Size{400, 250}));
    EXPECT_EQ(AtLeast({100, 100}, sized.Minimum()), (Size{400, 250}));
    EXPECT_EQ(AtLeast({500, 100}, sized.Minimum()), (Size{500, 250}));
    EXPECT_EQ(AtLeast({100, 900}, sized.Minimum()), (Size{400, 900}));
}

TEST(Layout, AWindowBelongsToTheMonitorHoldingMostOfItOrTheNearest) {
    const std::vector<Screen> sideBySide{{{0, 0, 1920, 1080}, 96}, {{1920, 0, 2560, 1440}, 144}};
    const std::vector<Screen> stacked{{{0, 0, 1024, 768}, 96}, {{-200, -1080, 1920, 1080}, 192}};
    const std::vector<Screen> leftOfPrimary{{{0, 0, 1024, 768}, 96}, {{-1280, 0, 1280, 1024}, 120}};
    struct Case {
        const std::vector<Screen>* monitors;
        Rect r;
        int expected;
    };
    const Case cases[] = {
        {&sideBySide, {1700, 10, 500, 26}, 1},  // 280 on the second, 220 on the first
        {&sideBySide, {1680, 10, 480, 26}, 0},  // 240 each: the first of equals
        {&sideBySide, {5000, 300, 500, 26}, 1}, // off to the right: the nearest
        {&stacked, {100, -20, 500, 26}, 1},     // 20 rows above the primary, 6 on it
        {&stacked, {100, -10, 500, 26}, 0},     // 10 above, 16 on it
        {&stacked, {3000, -3000, 10, 10}, 1},   // far up and right
        {&leftOfPrimary, {-200, 500, 499, 26}, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MonitorHolding(*c.monitors, c.r), c.expected) << c.r.left << "," << c.r.top;
    EXPECT_EQ(MonitorAt(leftOfPrimary, -1, 0), 1);
    EXPECT_EQ(MonitorAt(leftOfPrimary, 0, 0), 0);
    EXPECT_EQ(MonitorAt(leftOfPrimary, 1100, 100), 0); // right of the primary: nearest
    EXPECT_EQ(MonitorAt(stacked, 1800, -1), 1);
    EXPECT_EQ(MonitorHolding({}, {0, 0, 1, 1}), -1);
    EXPECT_EQ(MonitorAt({}, 0, 0), -1);
}

namespace {
Element Label(std::string name, Rect bounds = {}, std::uint32_t color = kWhite) {
    Element e;
    e.name = std::move(name);
    e.bounds = bounds;
    e.color = color;
    return e;
}
} // namespace

TEST(Scene, ATwinKeepsItsShadowOnePixelRightAndUpAndAHitFindsTheTopmostElement) {
    Scene scene;
    scene.Add(Label("lblTitreN", {11, 1, 50, 13}, kBlack));
    scene.Add(Label("lblTitreB", {10, 2, 50, 13}));
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

    // A hit finds the topmost visible, enabled element.
    scene = Scene();
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
