#include "system/ShutdownWin32.h"

#include <windows.h>

#include "base/HandleWin32.h"

namespace pilotune {

namespace {

void EnableShutdownPrivilege() {
    HANDLE opened = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &opened))
        return;
    const KernelHandle token{opened};
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &privileges.Privileges[0].Luid))
        AdjustTokenPrivileges(token.Get(), FALSE, &privileges, 0, nullptr, nullptr);
}

} // namespace

void WindowsShutdown::Request(unsigned flags) {
    EnableShutdownPrivilege();
    ExitWindowsEx(flags, 0);
}

} // namespace pilotune
