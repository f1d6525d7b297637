#pragma once
// The control bar's windowless elements, in paint order, and its layout.
#include <optional>
#include <string_view>

#include "schedule/Action.h"
#include "ui/Elements.h"
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

// Places every element for a bar whose left edge is `barLeft` on a primary
// screen `screenWidth` pixels wide; returns the bar's size.
BarSize LayoutBar(Scene& scene, int screenWidth, int barLeft);

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

} // namespace pilotune
