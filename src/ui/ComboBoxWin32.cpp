#include "ui/ComboBoxWin32.h"

#include "base/EncodingWin32.h"

namespace pilotune {

void ComboBox::Create(Container& parent, const Rect& design, int id, unsigned anchors, Kind kind) {
    const DWORD style = WS_TABSTOP | WS_VSCROLL |
                        (kind == List ? CBS_DROPDOWNLIST : CBS_DROPDOWN | CBS_AUTOHSCROLL);
    hwnd = parent.AddControl(*this, L"COMBOBOX", "", style, design, anchors, 0, id);
}

void ComboBox::Create(Container& parent, const Rect& design, unsigned anchors, Kind kind) {
    Create(parent, design, 0, anchors, kind);
}

bool ComboBox::Command(WORD code) {
    const std::function<void()>* event = code == CBN_SELCHANGE    ? &onSelectionChanged
                                         : code == CBN_EDITCHANGE ? &onTextChanged
                                         : code == CBN_SETFOCUS   ? &onFocus
                                                                  : nullptr;
    if (!event || !*event) return false;
    (*event)();
    return true;
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

std::vector<std::string> ComboBox::Items() const {
    std::vector<std::string> items;
    for (int i = 0; i < Count(); ++i)
        items.push_back(Item(i));
    return items;
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

namespace {
std::wstring Lower(std::wstring text) {
    if (!text.empty()) CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}
} // namespace

bool ComboHasText(HWND combo, std::string_view text) {
    const std::wstring wanted = Lower(Widen(text));
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        if (length < 0) continue;
        if (static_cast<size_t>(length) != wanted.size())
            continue; // lower-casing keeps the length of UTF-16 text
        std::wstring item(static_cast<size_t>(length) + 1, L'\0');
        const LRESULT got = SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i),
                                         reinterpret_cast<LPARAM>(item.data()));
        if (got < 0) continue;
        item.resize(static_cast<size_t>(got));
        if (Lower(std::move(item)) == wanted) return true;
    }
    return false;
}

} // namespace pilotune
