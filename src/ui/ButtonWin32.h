#pragma once
// A push button; the default one is what Enter presses.
#include "ui/ContainerWin32.h"
#include "ui/ControlWin32.h"

namespace pilotune {

struct Button : Control {
    void Create(Container& parent, std::string_view text, const Rect& design, int id,
                unsigned anchors = kAnchorTopLeft, bool isDefault = false);
    // Sends the click, as the user's would (BN_CLICKED to the parent).
    void Click() const { SendMessageW(hwnd, BM_CLICK, 0, 0); }
};

} // namespace pilotune
