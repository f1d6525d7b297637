#include "FaultHelpers.h"

namespace pilotune::testing {

std::wstring DismissMessageBox(int ms) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ms);
    while (GetTickCount64() < end) {
        Sleep(30);
        HWND box = FindWindowW(L"#32770", nullptr);
        if (!box) continue;
        std::wstring text;
        EnumChildWindows(
            box,
            [](HWND child, LPARAM out) -> BOOL {
                wchar_t cls[16] = {}, t[1024] = {};
                GetClassNameW(child, cls, 16);
                GetWindowTextW(child, t, 1024);
                if (lstrcmpiW(cls, L"Static") == 0 && t[0])
                    *reinterpret_cast<std::wstring*>(out) += t;
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&text));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        if (!text.empty()) return text;
    }
    return {};
}

} // namespace pilotune::testing
