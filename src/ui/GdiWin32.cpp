#include "ui/GdiWin32.h"

#include <map>
#include <utility>

#include "base/EncodingWin32.h"
#include "base/PathsWin32.h"

namespace pilotune {

int ScreenDpi() {
    HDC dc = GetDC(nullptr);
    const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
    if (dc) ReleaseDC(nullptr, dc);
    return dpi > 0 ? dpi : 96;
}

int WindowDpi(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpi = reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpi && window) {
        if (const UINT dpi = getDpi(window)) return static_cast<int>(dpi);
    }
    return ScreenDpi();
}

int MonitorDpi(HMONITOR monitor) {
    // shcore.dll's GetDpiForMonitor (Windows 8.1 on), effective DPI (type 0).
    using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const auto getDpi = [] {
        HMODULE shcore = LoadSystemLibrary(L"shcore.dll");
        return shcore ? reinterpret_cast<GetDpiForMonitorFn>(
                            reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")))
                      : nullptr;
    }();
    UINT x = 0, y = 0;
    if (getDpi && monitor && SUCCEEDED(getDpi(monitor, 0, &x, &y)) && y > 0)
        return static_cast<int>(y);
    return ScreenDpi();
}

std::vector<Screen> DisplayMonitors() {
    std::vector<Screen> monitors;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, LPRECT r, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<Screen>*>(list)->push_back(
                {{r->left, r->top, r->right - r->left, r->bottom - r->top}, MonitorDpi(monitor)});
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&monitors));
    if (monitors.empty())
        monitors.push_back(
            {{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, ScreenDpi()});
    return monitors;
}

HFONT DialogFont(int dpi, bool bold) {
    // One thread makes windows; the map lives until the program ends.
    static std::map<std::pair<int, bool>, FontHandle> fonts;
    FontHandle& font = fonts[{dpi, bold}];
    if (!font.Get()) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof(metrics);
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
        LOGFONTW lf = metrics.lfMessageFont; // at the screen's DPI
        lf.lfHeight = MulDiv(lf.lfHeight, dpi, ScreenDpi());
        if (bold) lf.lfWeight = FW_BOLD;
        font.Reset(CreateFontIndirectW(&lf));
    }
    return font.Get();
}

SIZE MeasureText(HFONT font, std::string_view text, int width, bool wrap) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    const std::wstring wide = Widen(text);
    RECT r{0, 0, wrap ? width : 0, 0};
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &r,
              DT_CALCRECT | DT_NOPREFIX | (wrap ? DT_WORDBREAK | DT_EDITCONTROL : DT_SINGLELINE));
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return {r.right - r.left, r.bottom - r.top};
}

HICON ProgramIcon() {
    HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    return icon ? icon : LoadIconW(nullptr, IDI_APPLICATION);
}

} // namespace pilotune
