#include "WindowInput.h"

#include "DialogDriving.h"
#include "MouseInput.h"

#include <filesystem>
#include <fstream>

#include "Simulator.h"
#include "base/EncodingWin32.h"

namespace pilotune::testing {

void MoveTo(HWND window, int x, int y) {
    MouseAt(window, x, y);
}

void ClickAt(HWND window, int x, int y, bool right) {
    MouseAt(window, x, y, right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
    MouseAt(window, x, y, right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
}

void Type(WORD vk) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
}

bool SaveWindowBmp(HWND window, const std::string& name) {
    const std::filesystem::path folder =
        ToWindowsPath(std::string(PILOTUNE_BUILD_DIR) + "/../screenshots");
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return SaveScreenshot(window, Narrow((folder / (name + ".bmp")).wstring()));
}

void BeDpiAware() {
    using SetContextFn = BOOL(WINAPI*)(HANDLE);
    const auto setContext = reinterpret_cast<SetContextFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
    const HANDLE perMonitorV2 = reinterpret_cast<HANDLE>(-4);
    if (!setContext || !setContext(perMonitorV2)) SetProcessDPIAware();
}

} // namespace pilotune::testing
