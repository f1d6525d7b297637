#include "settings/SystemWin32.h"

#include "base/EncodingWin32.h"

namespace pilotune {

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
