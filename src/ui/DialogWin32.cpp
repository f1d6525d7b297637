#include "ui/DialogWin32.h"

#include "base/EncodingWin32.h"

namespace pilotune {

namespace {

LOGFONTW MessageLogFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    return metrics.lfMessageFont;
}

} // namespace

HFONT DialogFont() {
    static HFONT font = [] {
        LOGFONTW lf = MessageLogFont();
        return CreateFontIndirectW(&lf);
    }();
    return font;
}

HFONT DialogBoldFont() {
    static HFONT font = [] {
        LOGFONTW lf = MessageLogFont();
        lf.lfWeight = FW_BOLD;
        return CreateFontIndirectW(&lf);
    }();
    return font;
}

HWND DialogChild(HWND parent, const wchar_t* cls, const std::string& text, DWORD style, int x,
                 int y, int w, int h, int id, HFONT font) {
    HWND child = CreateWindowExW(0, cls, Widen(text).c_str(), WS_CHILD | WS_VISIBLE | style, x, y,
                                 w, h, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleW(nullptr), nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font ? font : DialogFont()), FALSE);
    return child;
}

SIZE OuterSize(DWORD style, DWORD exStyle, int clientWidth, int clientHeight) {
    RECT r{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
    return {r.right - r.left, r.bottom - r.top};
}

POINT CentredOnScreen(SIZE size) {
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    return {(sw - size.cx) / 2, (sh - size.cy) / 2};
}

void WakeModalLoop() {
    PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
}

void RunModal(HWND window, HWND owner) {
    const bool ownerEnabled = owner && IsWindowEnabled(owner);
    if (ownerEnabled) EnableWindow(owner, FALSE);
    MSG msg;
    while (IsWindow(window)) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
            if (IsWindow(window)) DestroyWindow(window);
            break;
        }
        if (!IsDialogMessageW(window, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    if (ownerEnabled) {
        EnableWindow(owner, TRUE);
        SetForegroundWindow(owner);
    }
}

HICON ProgramIcon() {
    HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    return icon ? icon : LoadIconW(nullptr, IDI_APPLICATION);
}

LRESULT EraseDialogBackground(HWND window, WPARAM dc) {
    RECT r;
    GetClientRect(window, &r);
    FillRect(reinterpret_cast<HDC>(dc), &r, GetSysColorBrush(COLOR_BTNFACE));
    return 1;
}

} // namespace pilotune
