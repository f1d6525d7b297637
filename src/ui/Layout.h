#pragma once
// Positions of a window's controls: design coordinates at 96 DPI, scaled once
// to the window's DPI, and anchors that make a control follow a resize.
#include <cstdint>
#include <vector>

#include "ui/Elements.h"

namespace pilotune {

inline constexpr int kDesignDpi = 96;

// Sides a control keeps its distance to. Left and right together stretch it;
// neither keeps its offset from the left (the same for top and bottom).
enum Anchor : unsigned {
    kAnchorLeft = 1,
    kAnchorTop = 2,
    kAnchorRight = 4,
    kAnchorBottom = 8,
    kAnchorTopLeft = kAnchorLeft | kAnchorTop,
    kAnchorAll = kAnchorLeft | kAnchorTop | kAnchorRight | kAnchorBottom,
};

struct Size {
    int width = 0, height = 0;
    bool operator==(const Size&) const = default;
};

// A design length at `dpi`, rounded to the nearest pixel.
int ScaleToDpi(int design, int dpi);
// Edges are scaled, so that controls that touch at 96 DPI still touch.
Rect ScaleToDpi(const Rect& design, int dpi);
Size ScaleToDpi(const Size& design, int dpi);
// The smallest design length that covers `pixels` at `dpi`.
int DesignLength(int pixels, int dpi);

// A display monitor (screen): its area on the virtual screen, in pixels (the primary
// one at the origin; others may lie at negative coordinates), and its DPI.
struct Screen {
    Rect area;
    int dpi = kDesignDpi;
    bool operator==(const Screen&) const = default;
};

// The monitor that holds the largest part of `r`; when none holds any of it,
// the one nearest to it (the first of equals). -1 for no monitor at all.
int MonitorHolding(const std::vector<Screen>& monitors, const Rect& r);
// The monitor that holds the point, or else the nearest one; -1 for none.
int MonitorAt(const std::vector<Screen>& monitors, int x, int y);

// Where a control placed at `placed` in a client of size `base` goes when the
// client becomes `now`.
Rect Anchored(const Rect& placed, unsigned anchors, Size base, Size now);

// The size a user may drag a window to: never below the minimum.
Size AtLeast(Size wanted, Size minimum);

class Layout {
  public:
    using Key = std::uintptr_t;
    struct Placed {
        Key key;
        Rect bounds; // pixels
    };

    Layout(int dpi = kDesignDpi, Size designClient = {});
    int Dpi() const { return dpi_; }
    // The window moved to a monitor of another DPI: the same design, rescaled.
    void SetDpi(int dpi) { dpi_ = dpi > 0 ? dpi : kDesignDpi; }
    int Scale(int design) const { return ScaleToDpi(design, dpi_); }
    Rect Scale(const Rect& design) const { return ScaleToDpi(design, dpi_); }
    Size Client() const { return ScaleToDpi(designClient_, dpi_); }
    // The design client size that anchors measure from (a form that grows).
    void SetDesignClient(Size design) { designClient_ = design; }
    // Remembers a control; returns its pixel bounds in the client of design size.
    Rect Add(Key key, const Rect& design, unsigned anchors = kAnchorTopLeft);
    void Remove(Key key);
    // Moves a control's design bounds (a form that grows a label).
    void Move(Key key, const Rect& design);
    // Every anchored control's bounds for a client of `now` pixels.
    std::vector<Placed> Arrange(Size now) const;
    // The client never shrinks below `design` (scaled); default: no minimum.
    void SetMinimum(Size design) { minimum_ = design; }
    Size Minimum() const { return ScaleToDpi(minimum_, dpi_); }

  private:
    struct Item {
        Key key;
        Rect design;
        unsigned anchors;
    };
    int dpi_;
    Size designClient_;
    Size minimum_;
    std::vector<Item> items_;
};

} // namespace pilotune
