#pragma once
// A framed group with a caption; the controls inside are its siblings.
#include "ui/ContainerWin32.h"
#include "ui/ControlWin32.h"

namespace pilotune {

struct GroupBox : Control {
    void Create(Container& parent, std::string_view text, const Rect& design, int id = -1,
                unsigned anchors = kAnchorTopLeft);
    void Create(Container& parent, std::string_view text, const Rect& design, unsigned anchors);
    // Beneath the controls it holds, whatever paints first.
    void SendToBack() const;
};

} // namespace pilotune
