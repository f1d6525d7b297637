#include "SearchWindow.h"

#include <string>

namespace winampsim {
namespace {

constexpr wchar_t kClass[] = L"BaseWindow_RootWnd";
constexpr int kListId = 100;

LRESULT CALLBACK SearchProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SIZE: {
        HWND list = GetDlgItem(hwnd, kListId);
        if (list) MoveWindow(list, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == kListId && HIWORD(wParam) == LBN_DBLCLK) {
            LRESULT sel = SendMessageW(reinterpret_cast<HWND>(lParam), LB_GETCURSEL, 0, 0);
            HWND main = reinterpret_cast<HWND>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
            if (sel != LB_ERR && main) PostMessageW(main, kPlayEntry, static_cast<WPARAM>(sel), 0);
            DestroyWindow(hwnd);
        }
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace

HWND OpenSearchWindow(HWND existing, HWND mainWindow, const std::vector<Track>& tracks,
                      HFONT font) {
    if (existing && IsWindow(existing)) {
        ShowWindow(existing, SW_SHOW);
        return existing;
    }
    HINSTANCE inst = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExW(inst, kClass, &wc)) {
        wc.lpfnWndProc = SearchProc;
        wc.hInstance = inst;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = kClass;
        RegisterClassExW(&wc);
    }
    HWND hwnd = CreateWindowExW(WS_EX_TOOLWINDOW, kClass, L"Aller au titre", WS_OVERLAPPEDWINDOW,
                                200, 150, 420, 360, nullptr, nullptr, inst, nullptr);
    if (!hwnd) return nullptr;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(mainWindow));
    RECT rc;
    GetClientRect(hwnd, &rc);
    HWND list = CreateWindowExW(
        0, L"LISTBOX", nullptr,
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0, 0, rc.right,
        rc.bottom, hwnd, reinterpret_cast<HMENU>(kListId), inst, nullptr);
    SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    for (size_t i = 0; i < tracks.size(); ++i) {
        std::wstring line = std::to_wstring(i + 1) + L". " + tracks[i].title;
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    }
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    return hwnd;
}

} // namespace winampsim
