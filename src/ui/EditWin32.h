#pragma once
// A single-line (or multi-line) edit field.
#include "ui/ContainerWin32.h"
#include "ui/ControlWin32.h"

namespace pilotune {

struct Edit : Control {
    void Create(Container& parent, std::string_view text, const Rect& design, int id,
                unsigned anchors = kAnchorTopLeft, bool multiline = false);
    void SelectAll() const { SendMessageW(hwnd, EM_SETSEL, 0, -1); }
    void SetReadOnly(bool readOnly) const { SendMessageW(hwnd, EM_SETREADONLY, readOnly, 0); }
    void SetLimit(int characters) const { SendMessageW(hwnd, EM_LIMITTEXT, characters, 0); }
};

} // namespace pilotune
