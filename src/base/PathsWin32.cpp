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

} // namespace pilotune
