#pragma once
// Labels and icons (the STATIC control).
#include <functional>

#include "ui/ContainerWin32.h"
#include "ui/ControlWin32.h"

namespace pilotune {

struct Static : Control {
    enum Align : DWORD { Left = SS_LEFT, Centre = SS_CENTER, Right = SS_RIGHT };
    // A word-wrapped label (no "&" mnemonics unless `mnemonics`).
    void Create(Container& parent, std::string_view text, const Rect& design, int id = -1,
                unsigned anchors = kAnchorTopLeft, Align align = Left, bool mnemonics = false);
    void Create(Container& parent, std::string_view text, const Rect& design, unsigned anchors,
                Align align = Left, bool mnemonics = false);
    // A label that answers clicks (onClick) and right clicks (the parent's
    // WM_CONTEXTMENU), on one line.
    void CreateClickable(Container& parent, std::string_view text, const Rect& design,
                         Align align = Centre);

    std::function<void()> onClick;
    bool Command(WORD code) override;
};

struct Picture : Control {
    void Create(Container& parent, const Rect& design, int id = -1,
                unsigned anchors = kAnchorTopLeft);
    void SetIcon(HICON icon) const;
};

} // namespace pilotune
