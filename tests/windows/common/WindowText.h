#pragma once
// Reading other windows from a test: a caption, the text of a message box,
// the top-level windows that carry a caption.
#include <windows.h>

#include <string>

#include "Waiting.h"

namespace pilotune::testing {

inline std::wstring CaptionOf(HWND w) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(w)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(w, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The texts of a dialog's Static children, joined in their order.
inline std::wstring StaticTexts(HWND dialog) {
    std::wstring text;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t cls[16] = {};
        GetClassNameW(child, cls, 16);
        if (lstrcmpiW(cls, L"Static") == 0) text += CaptionOf(child);
    }
    return text;
}

// Waits up to `ms` for a message box with a text, presses its OK and returns
// the text; empty when none showed.
inline std::wstring ReadMessageBox(int ms = 8000) {
    std::wstring text;
    HWND box = nullptr;
    WaitFor(
        [&] {
            box = FindWindowW(L"#32770", nullptr);
            return box && !(text = StaticTexts(box)).empty();
        },
        ms);
    if (box && !text.empty()) PostMessageW(box, WM_COMMAND, IDOK, 0);
    return text;
}

// The control `id` anywhere below `root` (the pages of a dialog included).
inline HWND DescendantWithId(HWND root, int id) {
    struct Search {
        int id;
        HWND found;
    } s{id, nullptr};
    EnumChildWindows(
        root,
        [](HWND h, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            if (GetDlgCtrlID(h) != s->id) return TRUE;
            s->found = h;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.found;
}

// How many top-level windows carry exactly `caption`.
inline int CountWindowsTitled(const std::wstring& caption) {
    struct Search {
        const std::wstring& caption;
        int found = 0;
    } search{caption};
    EnumWindows(
        [](HWND w, LPARAM s) -> BOOL {
            auto* search = reinterpret_cast<Search*>(s);
            if (CaptionOf(w) == search->caption) ++search->found;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace pilotune::testing
