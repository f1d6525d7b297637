#pragma once
// Real clicks at a point of a window, screenshots under build/screenshots/,
// and the program's DPI awareness, for the bar's and secondary windows' tests.
#include <windows.h>

#include <string>

#include "DialogDriving.h"
#include "MouseInput.h"
#include "Simulator.h"
#include "base/EncodingWin32.h"

namespace pilotune::testing {

// A left (or right) click at (x, y) of `window`'s client area.
inline void ClickAt(HWND window, int x, int y, bool right = false) {
    MouseAt(window, x, y, right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
    MouseAt(window, x, y, right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
}

// Saves the screen's pixels under `window` as build/screenshots/<name>.bmp.
inline bool SaveWindowBmp(HWND window, const std::string& name) {
    const std::wstring folder = ToWindowsPath(std::string(PILOTUNE_BUILD_DIR) + "/../screenshots");
    CreateDirectoryW(folder.c_str(), nullptr);
    return SaveScreenshot(window, Narrow(folder) + "\\" + name + ".bmp");
}

// Per monitor (v2) DPI awareness where Windows has it, as the program's
// manifest declares, else the system's DPI.
inline void BeDpiAware() {
    using SetContextFn = BOOL(WINAPI*)(HANDLE);
    const auto setContext = reinterpret_cast<SetContextFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
    if (!setContext || !setContext(reinterpret_cast<HANDLE>(-4))) SetProcessDPIAware();
}

} // namespace pilotune::testing
