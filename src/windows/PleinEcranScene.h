#pragma once
// The full-screen view's windowless elements at their design size, their
// anchors, and the arithmetic of the view: layout for the window's size, the
// gradient bands, the hover table, the seek on the progress track, the
// progress bar, and the areas a change of the scene repaints.
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "schedule/Action.h"
#include "ui/Elements.h"

namespace pilotune {

inline constexpr int kViewDesignWidth = 635;
inline constexpr int kViewDesignHeight = 446;
inline constexpr char kViewFace[] = "Arial Rounded MT Bold";

// Sides of the window an element keeps its distance to. An axis with neither
// side keeps the element's centre at the same proportion of the window.
struct Anchors {
    bool left = true, top = true, right = false, bottom = false;
};

// Where an element designed at `design` in a `designW` x `designH` window
// lies in a `width` x `height` one.
Rect AnchorRect(const Rect& design, Anchors anchors, int designW, int designH, int width,
                int height);

// The view's scene at its design size, shadows ("N") before their white
// twins ("B"), the selection first. Pictures carry no picture yet: they take
// the bar's.
Scene BuildViewScene();

// The scale the view's design is drawn at in a `width` x `height` window on a
// monitor of `dpi`: the monitor's, as long as the scaled design still fits the
// window (a small screen at a large scale keeps the design whole), never
// below 96.
int ViewDpi(int width, int height, int dpi);

// Places every element for a `width` x `height` window by its anchors, the
// design scaled first (positions, sizes and letters) to ViewDpi.
void LayoutView(Scene& scene, int width, int height, int monitorDpi = 96);

// The progress bar's shadow lies this far from the white bar.
inline constexpr int kViewProgressShadowDx = 4;
inline constexpr int kViewProgressShadowDy = -4;

// Band i (0..255) of the background gradient of a window `height` high: its
// rows [top, bottom) and colour 0xRRGGBB, from blue at the top to navy.
struct GradientBand {
    int top, bottom;
    std::uint32_t color;
};
GradientBand ViewGradientBand(int i, int height);
inline constexpr int kGradientBands = 256;

// Hover: what the pointer over the element `name` (empty: the window itself)
// selects. nullopt: the selection stays as it is (titles and shapes).
struct ViewHover {
    TAction action;
    std::string_view framed; // element framed by the selection; empty: none
};
std::optional<ViewHover> ViewHoverOf(std::string_view name);

// The selection rectangle around `r`.
Rect SelectionAround(const Rect& r);

// What a double click (or, for the black title, a single click) on `name`
// does: true when it closes the view.
bool ClosesOnDoubleClick(std::string_view name);
bool ClosesOnClick(std::string_view name);

// A left press on the background at (x, y): the second to jump to, or
// nullopt when the press is outside the track's zone (less than one bar
// height above or below the bar's top, strictly between the ends' left
// edges). `length` (seconds) is asked only for a press inside; a track of no
// known length gives nullopt.
std::optional<int> ViewSeekSecond(const Scene& scene, int x, int y,
                                  const std::function<int()>& length);

// The white progress bar for elapsed e of length d between the left edges L
// and R of the track's ends; nullopt when d is 0. An unknown length (d < 0)
// gives an empty bar at L; a position past either end stays in the track.
struct ProgressBar {
    int left, width;
};
std::optional<ProgressBar> ViewProgress(int e, int d, int L, int R, bool remaining);

} // namespace pilotune
