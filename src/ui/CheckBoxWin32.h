#pragma once
// A check box that ticks itself when clicked.
#include <functional>
#include <initializer_list>

#include "ui/ContainerWin32.h"
#include "ui/ControlWin32.h"

namespace pilotune {

struct CheckBox : Control {
    void Create(Container& parent, std::string_view text, const Rect& design, int id,
                unsigned anchors = kAnchorTopLeft, bool checked = false);
    void Create(Container& parent, std::string_view text, const Rect& design,
                unsigned anchors = kAnchorTopLeft, bool checked = false);
    bool Checked() const { return SendMessageW(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void SetChecked(bool checked) const {
        SendMessageW(hwnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    // The box as the switch of a group: the members are enabled while it is
    // ticked; the box itself always is.
    void SwitchGroup(std::initializer_list<const Control*> members) const;

    // The user ticked or cleared it (not SetChecked).
    std::function<void()> onChanged;
    bool Command(WORD code) override;
};

} // namespace pilotune
