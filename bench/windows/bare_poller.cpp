// Baseline of the idle benchmark: a window that, every 500 ms, only sends the
// player the queries a tick must make (position, length, caption, state,
// shuffle, track number), bare, and paints nothing.
#include <windows.h>

static HWND gPlayer;

static void CALLBACK Poll(HWND, UINT, UINT_PTR, DWORD) {
    if (!gPlayer) gPlayer = FindWindowW(L"Winamp v1.x", nullptr);
    if (!gPlayer) return;
    SendMessageW(gPlayer, WM_USER, 0, 105);
    SendMessageW(gPlayer, WM_USER, 1, 105);
    wchar_t caption[512];
    GetWindowTextW(gPlayer, caption, 512);
    SendMessageW(gPlayer, WM_USER, 0, 104);
    SendMessageW(gPlayer, WM_USER, 0, 250);
    SendMessageW(gPlayer, WM_USER, 0, 120);
}

int main() {
    HWND w = CreateWindowExW(0, L"STATIC", L"BarePoller", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    SetTimer(w, 1, 500, Poll);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
    return 0;
}
