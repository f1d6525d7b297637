#include "base/PathsWin32.h"

#include <windows.h>

#include <vector>

#include "base/EncodingWin32.h"

namespace pilotune {

std::string ExecutablePath() {
    std::vector<wchar_t> buf(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) return {};
        if (n < buf.size()) return Narrow(std::wstring_view(buf.data(), n));
        if (buf.size() >= 32768) return {};
        buf.resize(buf.size() * 2);
    }
}

std::string ProgramFolder() {
    const std::string exe = ExecutablePath();
    const auto cut = exe.find_last_of("\\/");
    return cut == std::string::npos ? std::string() : exe.substr(0, cut + 1);
}

HMODULE LoadSystemLibrary(const wchar_t* name) {
    wchar_t folder[MAX_PATH];
    const UINT n = GetSystemDirectoryW(folder, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return nullptr;
    const std::wstring path = std::wstring(folder, n) + L"\\" + name;
    return LoadLibraryW(path.c_str());
}

void RestrictLibrarySearch() {
    // Windows 8 on, and Windows 7 with its update KB2533623.
    using SetDefaultFn = BOOL(WINAPI*)(DWORD);
    const auto set = reinterpret_cast<SetDefaultFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    constexpr DWORD kSystemAndProgram = 0x00000800 | 0x00000200; // SYSTEM32 | APPLICATION_DIR
    if (set) set(kSystemAndProgram);
    // Never the current folder, wherever the program was started from.
    SetDllDirectoryW(L"");
}

} // namespace pilotune
