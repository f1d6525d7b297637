#include "ui/Layout.h"

#include <algorithm>

namespace pilotune {

int ScaleToDpi(int design, int dpi) {
    if (dpi <= 0) dpi = kDesignDpi;
    const long long v = static_cast<long long>(design) * dpi;
    // Round half away from zero, as MulDiv does.
    return static_cast<int>(v >= 0 ? (v + kDesignDpi / 2) / kDesignDpi
                                   : -((-v + kDesignDpi / 2) / kDesignDpi));
}

Rect ScaleToDpi(const Rect& design, int dpi) {
    const int left = ScaleToDpi(design.left, dpi), top = ScaleToDpi(design.top, dpi);
    return {left, top, ScaleToDpi(design.Right(), dpi) - left,
            ScaleToDpi(design.Bottom(), dpi) - top};
}

Size ScaleToDpi(const Size& design, int dpi) {
    return {ScaleToDpi(design.width, dpi), ScaleToDpi(design.height, dpi)};
}

int DesignLength(int pixels, int dpi) {
    if (dpi <= 0) dpi = kDesignDpi;
    int design = static_cast<int>((static_cast<long long>(pixels) * kDesignDpi) / dpi);
    while (ScaleToDpi(design, dpi) < pixels)
        ++design;
    return design;
}

namespace {

// One axis: position and length of a control between two anchors.
void Follow(int& pos, int& length, bool nearSide, bool farSide, int grow) {
    if (farSide && nearSide)
        length = std::max(0, length + grow);
    else if (farSide)
        pos += grow;
}

} // namespace

Rect Anchored(const Rect& placed, unsigned anchors, Size base, Size now) {
    Rect r = placed;
    Follow(r.left, r.width, anchors & kAnchorLeft, anchors & kAnchorRight, now.width - base.width);
    Follow(r.top, r.height, anchors & kAnchorTop, anchors & kAnchorBottom,
           now.height - base.height);
    return r;
}

Size AtLeast(Size wanted, Size minimum) {
    return {std::max(wanted.width, minimum.width), std::max(wanted.height, minimum.height)};
}

namespace {

long long Overlap(const Rect& a, const Rect& b) {
    const long long w = std::min(a.Right(), b.Right()) - std::max(a.left, b.left);
    const long long h = std::min(a.Bottom(), b.Bottom()) - std::max(a.top, b.top);
    return w > 0 && h > 0 ? w * h : 0;
}

// Squared distance between two rectangles (0 when they touch or overlap).
long long Distance(const Rect& a, const Rect& b) {
    const long long dx = std::max({0, a.left - b.Right(), b.left - a.Right()});
    const long long dy = std::max({0, a.top - b.Bottom(), b.top - a.Bottom()});
    return dx * dx + dy * dy;
}

int Nearest(const std::vector<Screen>& monitors, const Rect& r) {
    int best = -1;
    long long bestDistance = 0;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        const long long d = Distance(monitors[i].area, r);
        if (best < 0 || d < bestDistance) {
            best = static_cast<int>(i);
            bestDistance = d;
        }
    }
    return best;
}

} // namespace

int MonitorHolding(const std::vector<Screen>& monitors, const Rect& r) {
    int best = -1;
    long long most = 0;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        const long long held = Overlap(monitors[i].area, r);
        if (held > most) {
            best = static_cast<int>(i);
            most = held;
        }
    }
    return best >= 0 ? best : Nearest(monitors, r);
}

int MonitorAt(const std::vector<Screen>& monitors, int x, int y) {
    for (std::size_t i = 0; i < monitors.size(); ++i)
        if (monitors[i].area.Contains(x, y)) return static_cast<int>(i);
    return Nearest(monitors, {x, y, 1, 1});
}

Layout::Layout(int dpi, Size designClient)
    : dpi_(dpi > 0 ? dpi : kDesignDpi), designClient_(designClient) {}

Rect Layout::Add(Key key, const Rect& design, unsigned anchors) {
    Remove(key);
    items_.push_back({key, design, anchors});
    return Scale(design);
}

void Layout::Remove(Key key) {
    std::erase_if(items_, [key](const Item& i) { return i.key == key; });
}

void Layout::Move(Key key, const Rect& design) {
    for (Item& i : items_)
        if (i.key == key) i.design = design;
}

std::vector<Layout::Placed> Layout::Arrange(Size now) const {
    const Size base = Client();
    std::vector<Placed> placed;
    placed.reserve(items_.size());
    for (const Item& i : items_)
        placed.push_back({i.key, Anchored(Scale(i.design), i.anchors, base, now)});
    return placed;
}

} // namespace pilotune
