#pragma once
// Windows of a test: one of its own class, a control among a dialog's pages,
// the top-level windows that carry a caption.
#include <windows.h>

#include <string>

#include "base/EncodingWin32.h"
#include "ui/WindowTextWin32.h"

namespace pilotune::testing {

// A window of class `cls`, registered with `proc` on first use; `at` holds the
// left, top, width and height.
inline HWND MakeWindow(const wchar_t* cls, WNDPROC proc, DWORD style, RECT at,
                       const wchar_t* caption = L"", HWND parent = nullptr, DWORD exStyle = 0) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = cls;
    RegisterClassW(&wc);
    return CreateWindowExW(exStyle, cls, caption, style, at.left, at.top, at.right, at.bottom,
                           parent, nullptr, wc.hInstance, nullptr);
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

// The first control below `root` whose text is `text`.
inline HWND DescendantWithText(HWND root, const std::string& text) {
    struct Search {
        const std::string& text;
        HWND found;
    } s{text, nullptr};
    EnumChildWindows(
        root,
        [](HWND h, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            if (WindowText(h) != s->text) return TRUE;
            s->found = h;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.found;
}

// How many top-level windows carry exactly `caption`.
inline int CountWindowsTitled(const std::wstring& caption) {
    struct Search {
        const std::string caption;
        int found = 0;
    } search{Narrow(caption)};
    EnumWindows(
        [](HWND w, LPARAM s) -> BOOL {
            auto* search = reinterpret_cast<Search*>(s);
            if (WindowText(w) == search->caption) ++search->found;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace pilotune::testing
