#pragma once
// A combo box: a drop-down list to choose from, or a field that also takes
// typing. Its design height is the height of the open list.
#include <string>
#include <vector>

#include "ui/ContainerWin32.h"
#include "ui/ControlWin32.h"

namespace pilotune {

struct ComboBox : Control {
    enum Kind { List, Typing };
    void Create(Container& parent, const Rect& design, int id, unsigned anchors = kAnchorTopLeft,
                Kind kind = List);
    int Add(std::string_view item) const; // its index
    void SetItems(const std::vector<std::string>& items) const;
    void Clear() const { SendMessageW(hwnd, CB_RESETCONTENT, 0, 0); }
    int Count() const { return static_cast<int>(SendMessageW(hwnd, CB_GETCOUNT, 0, 0)); }
    // The selected index, -1 for none.
    int Selected() const { return static_cast<int>(SendMessageW(hwnd, CB_GETCURSEL, 0, 0)); }
    void Select(int index) const { SendMessageW(hwnd, CB_SETCURSEL, index, 0); }
    std::string Item(int index) const; // empty when out of range
    std::string SelectedItem() const { return Item(Selected()); }
};

} // namespace pilotune
