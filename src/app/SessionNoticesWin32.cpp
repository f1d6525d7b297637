#include "app/SessionNoticesWin32.h"

#include "base/PathsWin32.h"

namespace pilotune {

namespace {
// wtsapi32 is loaded only here, from the system folder.
constexpr UINT kWtsSessionChange = 0x02B1; // WM_WTSSESSION_CHANGE
constexpr WPARAM kConsoleConnect = 1, kRemoteConnect = 3, kSessionUnlock = 8;
constexpr WPARAM kResumeSuspend = 7, kResumeAutomatic = 0x12; // PBT_APMRESUME*
constexpr DWORD kThisSession = 0;                             // NOTIFY_FOR_THIS_SESSION

template <class F> F Wts(const char* name) {
    static HMODULE library = LoadSystemLibrary(L"wtsapi32.dll");
    return library ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library, name)))
                   : nullptr;
}
} // namespace

SessionNotices::SessionNotices(HWND window) {
    using RegisterFn = BOOL(WINAPI*)(HWND, DWORD);
    if (auto reg = Wts<RegisterFn>("WTSRegisterSessionNotification");
        reg && reg(window, kThisSession))
        window_ = window;
}

SessionNotices& SessionNotices::operator=(SessionNotices&& other) noexcept {
    if (this != &other) {
        SessionNotices old(std::move(*this));
        window_ = std::exchange(other.window_, nullptr);
    }
    return *this;
}

SessionNotices::~SessionNotices() {
    using UnregisterFn = BOOL(WINAPI*)(HWND);
    if (!window_) return;
    if (auto unreg = Wts<UnregisterFn>("WTSUnRegisterSessionNotification")) unreg(window_);
}

bool IsSessionBack(UINT msg, WPARAM wParam) {
    if (msg == WM_POWERBROADCAST) return wParam == kResumeSuspend || wParam == kResumeAutomatic;
    return msg == kWtsSessionChange &&
           (wParam == kSessionUnlock || wParam == kConsoleConnect || wParam == kRemoteConnect);
}

} // namespace pilotune
