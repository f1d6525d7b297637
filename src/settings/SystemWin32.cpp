#include "settings/SystemWin32.h"

#include <vector>

#include "base/EncodingWin32.h"
#include "base/PathsWin32.h"

namespace pilotune {

bool SetTopMost(HWND window, signed char position) {
    HWND after = nullptr;
    if (position == kTopMost)
        after = HWND_TOPMOST;
    else if (position == kNotTopMost)
        after = HWND_NOTOPMOST;
    else
        return false;
    return SetWindowPos(window, after, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE) != 0;
}

bool IsWindowsNT() {
    return (GetVersion() & 0x80000000u) == 0;
}

bool FileVersion(std::string& out) {
    const std::wstring exe = Widen(ExecutablePath());
    if (exe.empty()) return false;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
    if (size == 0) return false;
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoW(exe.c_str(), 0, size, block.data())) return false;
    void* value = nullptr;
    UINT length = 0; // in characters, terminator included
    if (!VerQueryValueW(block.data(), L"\\StringFileInfo\\040C04E4\\FileVersion", &value,
                        &length) ||
        value == nullptr)
        return false;
    const auto* text = static_cast<const wchar_t*>(value);
    std::wstring_view version(text, length);
    version = version.substr(0, version.find(L'\0'));
    out = Narrow(version);
    return true;
}

HWND FindOtherInstance(std::string_view className, std::string_view title, HWND self) {
    const std::wstring cls = Widen(className);
    const std::wstring caption = Widen(title);
    HWND found = nullptr;
    while ((found = FindWindowExW(nullptr, found, cls.c_str(), caption.c_str())) != nullptr) {
        if (found != self) return found;
    }
    return nullptr;
}

} // namespace pilotune
