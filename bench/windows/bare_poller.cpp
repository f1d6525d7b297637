// Baselines of the idle benchmark. Every 500 ms a window sends the player only
// the queries a tick must make (position, length, caption, state, shuffle,
// track number), bare, and paints nothing. With "--sound" it also asks what a
// bar that follows the sound must ask, as the bar does by default: the volume
// each tick (the display of volume changes is on) and the repeat state every
// 4th tick. With "--paint" it is also the least a see-through bar must do to
// show the time: a visible topmost window of the bar's size, layered with the
// bar's transparent colour as by default, that repaints, through a kept memory
// context, the time, the title and a progress line whenever the shown second
// changes.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>

namespace {
HWND gPlayer;
bool gPaint;
bool gSound;
unsigned gTicks;
wchar_t gTime[32];
wchar_t gCaption[512];
int gPermille;
HDC gMemory;
HBITMAP gBitmap;
constexpr int kWidth = 499, kHeight = 26;
constexpr COLORREF kSeeThrough = RGB(253, 253, 253);

void CALLBACK Poll(HWND window, UINT, UINT_PTR, DWORD) {
    if (!gPlayer) gPlayer = FindWindowW(L"Winamp v1.x", nullptr);
    if (!gPlayer) return;
    const LRESULT position = SendMessageW(gPlayer, WM_USER, 0, 105);
    const LRESULT length = SendMessageW(gPlayer, WM_USER, 1, 105);
    GetWindowTextW(gPlayer, gCaption, 512);
    SendMessageW(gPlayer, WM_USER, 0, 104);
    SendMessageW(gPlayer, WM_USER, 0, 250);
    SendMessageW(gPlayer, WM_USER, 0, 120);
    if (gSound) {
        SendMessageW(gPlayer, WM_USER, static_cast<WPARAM>(-666), 122);
        if (gTicks++ % 4 == 0) SendMessageW(gPlayer, WM_USER, 0, 251);
    }
    if (!gPaint) return;
    wchar_t time[32];
    const long long seconds = position / 1000;
    std::swprintf(time, 32, L"%lld:%02lld", seconds / 60, seconds % 60);
    gPermille = length > 0 ? static_cast<int>(seconds * 1000 / length) : 0;
    if (std::wcscmp(time, gTime) != 0) {
        std::wcscpy(gTime, time);
        InvalidateRect(window, nullptr, FALSE);
    }
}

LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_PAINT) return DefWindowProcW(window, msg, wParam, lParam);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (!gMemory) {
        gMemory = CreateCompatibleDC(dc);
        gBitmap = CreateCompatibleBitmap(dc, kWidth, kHeight);
        SelectObject(gMemory, gBitmap);
        SelectObject(gMemory, GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(gMemory, TRANSPARENT);
        SelectObject(gMemory, GetStockObject(DC_BRUSH));
        SetDCBrushColor(gMemory, kSeeThrough);
    }
    RECT all{0, 0, kWidth, kHeight};
    FillRect(gMemory, &all, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    RECT time{4, 2, 60, 24}, title{64, 2, kWidth - 4, 20};
    DrawTextW(gMemory, gTime, -1, &time, DT_SINGLELINE | DT_VCENTER);
    DrawTextW(gMemory, gCaption, -1, &title, DT_SINGLELINE | DT_END_ELLIPSIS);
    RECT progress{64, 22, 64 + (kWidth - 68) * gPermille / 1000, 24};
    FillRect(gMemory, &progress, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    BitBlt(dc, 0, 0, kWidth, kHeight, gMemory, 0, 0, SRCCOPY);
    EndPaint(window, &ps);
    return 0;
}
} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        gPaint = gPaint || std::strcmp(argv[i], "--paint") == 0;
        gSound = gSound || std::strcmp(argv[i], "--sound") == 0;
    }
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW wc{};
    wc.style = CS_OWNDC;
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.lpszClassName = L"BarePoller";
    RegisterClassW(&wc);
    // Layered from its creation: SetLayeredWindowAttributes does nothing to a
    // window without the style, which would then be drawn opaque.
    HWND w = gPaint ? CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_LAYERED,
                                      L"BarePoller", L"BarePoller", WS_POPUP | WS_VISIBLE, 450, 0,
                                      kWidth, kHeight, nullptr, nullptr, instance, nullptr)
                    : CreateWindowExW(0, L"BarePoller", L"BarePoller", WS_POPUP, 0, 0, 1, 1,
                                      nullptr, nullptr, instance, nullptr);
    if (gPaint) SetLayeredWindowAttributes(w, kSeeThrough, 0, LWA_COLORKEY);
    SetTimer(w, 1, 500, Poll);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
    return 0;
}
