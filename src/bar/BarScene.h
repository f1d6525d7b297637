#pragma once
// The control bar's windowless elements, in paint order, and its layout.
#include <optional>
#include <string_view>
#include <vector>

#include "schedule/Action.h"
#include "ui/Elements.h"
#include "ui/Layout.h"
#include "ui/Pictures.h"

namespace pilotune {

inline constexpr int kBarHeight = 26;
inline constexpr int kBarRightMargin = 75; // space left free at the screen's right edge
inline constexpr int kBarMinWidth =
    160; // a left edge near the screen's end still gives a usable bar
inline constexpr int kButtonSize = 10;

// Every element of the bar with its design-time state: "N" shadows before
// their "B" twins, hidden source pictures last.
Scene BuildBarScene();

struct BarSize {
    int width = 0;
    int height = kBarHeight;
};

// The bar's size at `dpi` for a left edge at `barLeft` on a monitor whose
// right edge is `screenRight`: it ends the (scaled) margin before that edge.
BarSize BarSizeAt(int screenRight, int barLeft, int dpi = kDesignDpi);

// Places every element for a bar of `size`, every size, offset and font
// scaled to `dpi`. Labels keep the width they measured (lblInfo) and the
// progress bar its length.
void ArrangeBar(Scene& scene, BarSize size, int dpi);

// Places every element for a bar whose left edge is `barLeft` on a monitor
// whose right edge is `screenRight`, every size, offset and font scaled to
// `dpi`; returns the bar's size.
BarSize LayoutBar(Scene& scene, int screenRight, int barLeft, int dpi = kDesignDpi);

// The bar's window at rest: its bounds on the virtual screen and the DPI of
// the monitor it is on.
struct BarPlace {
    Rect bounds;
    int dpi = kDesignDpi;
    bool operator==(const BarPlace&) const = default;
};

// At start, the stored top-left corner: on the monitor that holds it (the
// nearest one when that monitor is gone), sized there, then brought onto it.
BarPlace PlaceStoredBar(const std::vector<Screen>& monitors, int left, int top);
// After a drag (or a change of DPI), the bar at `bar`: on the monitor that
// holds most of it, at that monitor's DPI, brought onto it, then sized there.
BarPlace DropBar(const std::vector<Screen>& monitors, const Rect& bar);

// Where a bar dropped at `bar` (screen coordinates) comes to rest on `screen`
// (the monitor it belongs to): no further left or up than the screen, not
// below it, and back inside when its left edge passed the right side. Also
// brings a stored position that lies off every screen back into view.
Rect ClampBarToScreen(const Rect& bar, const Rect& screen);

// The action of a clickable element of the bar (hover selection), if any.
std::optional<TAction> ElementAction(std::string_view name);
// The element framed by the hover highlight of `name` (the loop-count labels
// frame the mode picture).
std::string_view HighlightTarget(std::string_view name);
// The hover highlight around `target`: one pixel out on the left and top,
// two on the right, one below (scaled to `dpi`).
Rect HighlightFrame(const Rect& target, int dpi = kDesignDpi);

} // namespace pilotune
