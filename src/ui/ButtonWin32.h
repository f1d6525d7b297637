#pragma once
// A push button; the default one is what Enter presses.
#include <functional>

#include "ui/ContainerWin32.h"
#include "ui/ControlWin32.h"

namespace pilotune {

struct Button : Control {
    // With a fixed id: IDOK and IDCANCEL, which the dialog knows.
    void Create(Container& parent, std::string_view text, const Rect& design, int id,
                unsigned anchors = kAnchorTopLeft, bool isDefault = false);
    void Create(Container& parent, std::string_view text, const Rect& design,
                unsigned anchors = kAnchorTopLeft);
    // A button that `onDraw` paints whole.
    void CreateOwnerDrawn(Container& parent, std::string_view text, const Rect& design,
                          unsigned anchors = kAnchorTopLeft);
    // Sends the click, as the user's would (BN_CLICKED to the parent).
    void Click() const { SendMessageW(hwnd, BM_CLICK, 0, 0); }

    std::function<void()> onClick;
    std::function<void(const DRAWITEMSTRUCT&)> onDraw;
    bool Command(WORD code) override;
    bool Draw(const DRAWITEMSTRUCT& item) override;
};

} // namespace pilotune
