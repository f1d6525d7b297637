#pragma once
// A combo box: a drop-down list to choose from, or a field that also takes
// typing. Its design height is the height of the open list.
#include <functional>
#include <string>
#include <vector>

#include "ui/ContainerWin32.h"
#include "ui/ControlWin32.h"

namespace pilotune {

struct ComboBox : Control {
    enum Kind { List, Typing };
    void Create(Container& parent, const Rect& design, int id, unsigned anchors = kAnchorTopLeft,
                Kind kind = List);
    void Create(Container& parent, const Rect& design, unsigned anchors = kAnchorTopLeft,
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
    std::vector<std::string> Items() const;

    // The user chose another item; typed in the field; entered the box.
    std::function<void()> onSelectionChanged, onTextChanged, onFocus;
    bool Command(WORD code) override;
};

// True when one item of the combo box equals `text`, ignoring case (accented
// letters included: "é" equals "É").
bool ComboHasText(HWND combo, std::string_view text);

} // namespace pilotune
