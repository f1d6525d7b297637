#pragma once
// A check box that ticks itself when clicked.
#include "ui/ContainerWin32.h"
#include "ui/ControlWin32.h"

namespace pilotune {

struct CheckBox : Control {
    void Create(Container& parent, std::string_view text, const Rect& design, int id,
                unsigned anchors = kAnchorTopLeft, bool checked = false);
    bool Checked() const { return SendMessageW(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void SetChecked(bool checked) const {
        SendMessageW(hwnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
};

} // namespace pilotune
