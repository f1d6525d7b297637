#pragma once
// A single-line (or multi-line) edit field.
#include <functional>

#include "ui/ContainerWin32.h"
#include "ui/ControlWin32.h"

namespace pilotune {

struct Edit : Control {
    void Create(Container& parent, std::string_view text, const Rect& design, int id,
                unsigned anchors = kAnchorTopLeft, bool multiline = false);
    void Create(Container& parent, std::string_view text, const Rect& design,
                unsigned anchors = kAnchorTopLeft, bool multiline = false);
    void SelectAll() const { SendMessageW(hwnd, EM_SETSEL, 0, -1); }
    void SetReadOnly(bool readOnly) const { SendMessageW(hwnd, EM_SETREADONLY, readOnly, 0); }
    void SetLimit(int characters) const { SendMessageW(hwnd, EM_LIMITTEXT, characters, 0); }

    // The text changed (by the user or by SetText); the field took or lost the focus.
    std::function<void()> onChange, onFocus, onFocusLost;
    bool Command(WORD code) override;
};

} // namespace pilotune
