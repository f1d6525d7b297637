#include "ui/ComboBoxWin32.h"

#include "base/EncodingWin32.h"

namespace pilotune {

void ComboBox::Create(Container& parent, const Rect& design, int id, unsigned anchors, Kind kind) {
    const DWORD style = WS_TABSTOP | WS_VSCROLL |
                        (kind == List ? CBS_DROPDOWNLIST : CBS_DROPDOWN | CBS_AUTOHSCROLL);
    hwnd = parent.AddControl(L"COMBOBOX", "", style, design, id, anchors);
}

int ComboBox::Add(std::string_view item) const {
    return static_cast<int>(
        SendMessageW(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str())));
}

void ComboBox::SetItems(const std::vector<std::string>& items) const {
    Clear();
    for (const std::string& item : items)
        Add(item);
}

std::string ComboBox::Item(int index) const {
    const LRESULT length = SendMessageW(hwnd, CB_GETLBTEXTLEN, index, 0);
    if (index < 0 || length == CB_ERR) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT got =
        SendMessageW(hwnd, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    if (got == CB_ERR) return {};
    text.resize(static_cast<size_t>(got));
    return Narrow(text);
}

} // namespace pilotune
