#include "base/UserNameWin32.h"

#include <windows.h>

#include "base/EncodingWin32.h"

namespace pilotune {

std::string UserName() {
    wchar_t buf[256 + 1];
    DWORD size = 256 + 1;
    if (GetUserNameW(buf, &size) && size > 1) return Narrow(std::wstring_view(buf, size - 1));
    wchar_t env[256];
    const DWORD n = GetEnvironmentVariableW(L"USERNAME", env, 256);
    if (n > 0 && n < 256) return Narrow(std::wstring_view(env, n));
    return "Utilisateur";
}

} // namespace pilotune
