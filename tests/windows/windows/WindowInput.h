#pragma once
// Real clicks at a point of a window, the program's DPI awareness, texts
// measured in a scene's fonts and the seeks the simulator received, for the
// bar's and secondary windows' tests.
#include <windows.h>

#include <string>

#include "DialogDriving.h"
#include "Simulator.h"
#include "base/EncodingWin32.h"
#include "player/Winamp.h"
#include "ui/ScenePainterWin32.h"

namespace pilotune::testing {

// A left (or right) click at (x, y) of `window`'s client area.
inline void ClickAt(HWND window, int x, int y, bool right = false) {
    MouseAt(window, x, y, right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
    MouseAt(window, x, y, right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
}

// Per monitor (v2) DPI awareness where Windows has it, as the program's
// manifest declares, else the system's DPI.
inline void BeDpiAware() {
    using SetContextFn = BOOL(WINAPI*)(HANDLE);
    const auto setContext = reinterpret_cast<SetContextFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
    if (!setContext || !setContext(reinterpret_cast<HANDLE>(-4))) SetProcessDPIAware();
}

// The size of `text` in `font` as the scene's painter draws it.
inline SIZE TextExtent(const Font& font, const std::string& text) {
    ScenePainter painter(nullptr);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, painter.FontFor(font));
    SIZE extent{};
    const std::wstring wide = Widen(text);
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return extent;
}

// The position asked by the last seek the simulator logged, in ms; -1: none.
inline long long LastSeekMs(const Simulator& sim) {
    long long ms = -1;
    for (const auto& m : sim.Log())
        if (m.msg == WM_USER && m.lParam == kQuerySeek) ms = m.wParam;
    return ms;
}

} // namespace pilotune::testing
