// The player's process seen from outside: its program file, strings read in
// its memory, and where it keeps its playlist by the file system's clock.
#include <algorithm>
#include <vector>

#include "base/EncodingWin32.h"
#include "base/HandleWin32.h"
#include "player/WinampWin32.h"

namespace pilotune {

namespace {
constexpr std::size_t kPiece = 256;
constexpr std::size_t kPage = 4096;
constexpr std::size_t kMaxUnits = 32767;
constexpr wchar_t kPlayerKey[] = L"Software\\Winamp";

KernelHandle OpenPlayer(HWND window, DWORD access) {
    DWORD pid = 0;
    if (!window || !GetWindowThreadProcessId(window, &pid) || !pid) return KernelHandle{};
    return KernelHandle{OpenProcess(access, FALSE, pid)};
}

std::uint64_t Ticks(const FILETIME& t) {
    return (std::uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime;
}
} // namespace

std::string ExpandVariables(const std::string& text) {
    if (text.find('%') == std::string::npos) return text;
    const std::wstring wide = Widen(text);
    std::vector<wchar_t> out(wide.size() + 256);
    for (int tries = 0; tries < 3; ++tries) {
        const DWORD n =
            ExpandEnvironmentStringsW(wide.c_str(), out.data(), static_cast<DWORD>(out.size()));
        if (n == 0) return text;
        if (n <= out.size()) return Narrow(out.data());
        out.resize(n);
    }
    return text;
}

std::optional<std::string> Win32PlayerWindow::ProgramFile() {
    const KernelHandle process = OpenPlayer(hwnd_, PROCESS_QUERY_LIMITED_INFORMATION);
    if (!process) return std::nullopt;
    std::vector<wchar_t> path(MAX_PATH);
    for (int tries = 0; tries < 4; ++tries, path.resize(path.size() * 4)) {
        DWORD size = static_cast<DWORD>(path.size());
        if (QueryFullProcessImageNameW(process.Get(), 0, path.data(), &size))
            return Narrow(std::wstring_view(path.data(), size));
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return std::nullopt;
    }
    return std::nullopt;
}

std::optional<std::string> Win32PlayerWindow::ReadString(std::uintptr_t address, int unit) {
    if (unit != 1 && unit != 2) return std::nullopt;
    const KernelHandle process =
        OpenPlayer(hwnd_, PROCESS_VM_READ | PROCESS_QUERY_LIMITED_INFORMATION);
    if (!process) return std::nullopt;
    BOOL wow64 = FALSE;
    // A 32-bit player answers 32 bits, which the system may have widened.
    if (sizeof(void*) == 8 && IsWow64Process(process.Get(), &wow64) && wow64)
        address &= 0xFFFFFFFFu;
    const std::size_t step = static_cast<std::size_t>(unit);
    std::string text;
    char piece[kPiece];
    while (text.size() < kMaxUnits * step) {
        // A piece never crosses into the next page, which may not be readable.
        std::size_t want = std::min(kPiece, kPage - address % kPage);
        want = std::max(want - want % step, step);
        SIZE_T got = 0;
        if (!ReadProcessMemory(process.Get(), reinterpret_cast<LPCVOID>(address), piece, want,
                               &got) ||
            got < step)
            return std::nullopt;
        got -= got % step;
        for (std::size_t i = 0; i < got; i += step) {
            if (piece[i] == 0 && (step == 1 || piece[i + 1] == 0)) return text;
            text.append(piece + i, step);
        }
        address += got;
    }
    return std::nullopt; // no end within the bound
}

std::optional<std::uint64_t> Win32PlayerSystem::FileClock() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return Ticks(now);
}

std::optional<std::uint64_t> Win32PlayerSystem::FileTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (path.empty() || !GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return Ticks(data.ftLastWriteTime);
}

std::string Win32PlayerSystem::RegisteredPlayerFolder() {
    std::vector<wchar_t> value(1024);
    for (int tries = 0; tries < 3; ++tries) {
        DWORD size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
        const LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, kPlayerKey, nullptr,
                                            RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND,
                                            nullptr, value.data(), &size);
        if (status == ERROR_SUCCESS) return ExpandVariables(Narrow(value.data()));
        if (status != ERROR_MORE_DATA || size > 65536) return {};
        value.resize(size / sizeof(wchar_t) + 1);
    }
    return {};
}

} // namespace pilotune
