#include "player/WinampWin32.h"

#include <shellapi.h>

#include <utility>
#include <vector>

#include "base/EncodingWin32.h"
#include "base/FailureLogWin32.h"
#include "base/HandleWin32.h"
#include "ui/InputBoxWin32.h"
#include "base/Messages.h"

namespace pilotune {

namespace {
constexpr wchar_t kPlayerClass[] = L"Winamp v1.x";
constexpr wchar_t kSearchClass[] = L"BaseWindow_RootWnd";
constexpr std::size_t kMaxCaption = 65536;
constexpr DWORD kLaunchPollMs = 50;
// How long a launched program may wait for input without showing the player's
// window before the launch wait gives it up.
constexpr ULONGLONG kIdleWithoutPlayerMs = 2000;
constexpr wchar_t kAppPathsKey[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\winamp.exe";

} // namespace

bool Win32PlayerWindow::Find() {
    hwnd_ = FindWindowW(kPlayerClass, nullptr);
    hung_ = false;
    return hwnd_ != nullptr;
}

bool Win32PlayerWindow::Exists() {
    return FindWindowW(kPlayerClass, nullptr) != nullptr;
}

std::optional<std::intptr_t> Win32PlayerWindow::Send(unsigned msg, std::uintptr_t wParam,
                                                     std::intptr_t lParam) {
    if (!hwnd_) return std::nullopt;
    DWORD_PTR result = 0;
    const UINT wait = hung_ ? hungTimeoutMs_ : timeoutMs_;
    // Without SMTO_BLOCK: while it waits, this thread still handles the
    // messages other threads send it, so a shortcut key reaches its binding
    // at once even when the player is slow to answer.
    if (!SendMessageTimeoutW(hwnd_, msg, wParam, lParam, SMTO_ABORTIFHUNG, wait, &result)) {
        // Gone, or not answering in time.
        hung_ = IsWindow(hwnd_) != FALSE;
        return std::nullopt;
    }
    hung_ = false;
    return static_cast<std::intptr_t>(result);
}

void Win32PlayerWindow::Post(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) {
    if (hwnd_) PostMessageW(hwnd_, msg, wParam, lParam);
}

std::optional<std::string> Win32PlayerWindow::Caption() {
    if (!hwnd_) return std::nullopt;
    // The system keeps the caption of every window: reading it sends the player
    // no message, so it costs no round trip and a hung player cannot hold us up.
    std::vector<wchar_t> text(512, L'\0');
    int copied = 0;
    while (true) {
        copied = InternalGetWindowText(hwnd_, text.data(), static_cast<int>(text.size()));
        if (copied < static_cast<int>(text.size()) - 1 || text.size() >= kMaxCaption) break;
        text.assign(text.size() * 2, L'\0');
    }
    if (copied <= 0) {
        if (!IsWindow(hwnd_)) return std::nullopt;
        return std::string();
    }
    return Narrow(std::wstring_view(text.data(), static_cast<std::size_t>(copied)));
}

void Win32PlayerWindow::Show(bool visible) {
    if (hwnd_) ShowWindowAsync(hwnd_, visible ? SW_SHOW : SW_HIDE);
}

void Win32PlayerWindow::RaiseSearchWindow() {
    if (HWND search = FindWindowW(kSearchClass, nullptr)) {
        SetWindowPos(search, HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
    }
}

bool Win32PlayerSystem::FileExists(const std::string& path) {
    if (path.empty()) return false;
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string Win32PlayerSystem::RegisteredWinampPath() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kAppPathsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return {};
    std::string result;
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key, nullptr, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ) && size > 0 && size < 65536) {
        std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
        if (RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                             &size) == ERROR_SUCCESS) {
            result = ExpandVariables(Narrow(buffer.data()));
        }
    }
    RegCloseKey(key);
    return result;
}

std::string Win32PlayerSystem::AskText(const std::string& title, const std::string& prompt,
                                       const std::string& value) {
    std::string text = value;
    InputBox(nullptr, title, prompt, text);
    return text;
}

void Win32PlayerSystem::ShowMessage(const std::string& text) {
    Messages().Info(text);
}

bool Win32PlayerSystem::Launch(const std::string& path) {
    const std::wstring file = Widen(path);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.hwnd = GetDesktopWindow();
    info.lpVerb = L"open";
    info.lpFile = file.c_str();
    info.nShow = SW_SHOWNORMAL;
    const bool launched = ShellExecuteExW(&info) != FALSE;
    launched_.Reset(launched ? info.hProcess : nullptr);
    idleSince_ = 0;
    return launched;
}

namespace {
// What the launch wait handles: input, ticks and repaints (sent messages are
// answered by any peek). Other posted messages wait for its end: no window is
// freed under the call that waits.
bool NextWaitMessage(MSG& msg) {
    static constexpr std::pair<UINT, UINT> kRanges[] = {{WM_KEYFIRST, WM_KEYLAST},
                                                        {WM_MOUSEFIRST, WM_MOUSELAST},
                                                        {WM_NCMOUSEMOVE, WM_NCMBUTTONDBLCLK},
                                                        {WM_MOUSEHOVER, WM_MOUSELEAVE},
                                                        {WM_TIMER, WM_TIMER},
                                                        {WM_PAINT, WM_PAINT}};
    for (const auto& [first, last] : kRanges)
        if (PeekMessageW(&msg, nullptr, first, last, PM_REMOVE)) return true;
    return false;
}

// The program is closing: the quit or the close stays queued for the loop.
bool Closing() {
    MSG msg;
    return PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) ||
           PeekMessageW(&msg, nullptr, WM_CLOSE, WM_CLOSE, PM_NOREMOVE);
}
} // namespace

bool Win32PlayerSystem::WaitForLaunch() {
    MsgWaitForMultipleObjectsEx(0, nullptr, kLaunchPollMs,
                                QS_SENDMESSAGE | QS_PAINT | QS_TIMER | QS_INPUT, 0);
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    for (int i = 0; i < 64 && !Closing() && NextWaitMessage(msg); ++i) {
        if (msg.message == WM_QUIT) { // some systems hand it out whatever the filter
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return !Closing() && LaunchedMayShow();
}

bool Win32PlayerSystem::LaunchedMayShow() {
    if (!launched_) return true; // nothing to watch: the time bound alone
    if (WaitForSingleObject(launched_.Get(), 0) == WAIT_OBJECT_0) return false; // it has ended
    // Busy starting, or a program without a message queue (a console one, a
    // launcher) that may still start the player: wait on.
    if (WaitForInputIdle(launched_.Get(), 0) != 0) {
        idleSince_ = 0;
        return true;
    }
    const ULONGLONG now = GetTickCount64();
    if (!idleSince_) idleSince_ = now;
    return now - idleSince_ < kIdleWithoutPlayerMs;
}

std::uint64_t Win32PlayerSystem::NowMs() {
    return GetTickCount64();
}

bool Win32PlayerSystem::ReadFile(const std::string& path,
                                 const std::function<bool(std::string_view)>& chunk,
                                 std::string& error) {
    const KernelHandle file{CreateFileW(
        Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr)};
    if (!file) {
        error = SystemErrorText(GetLastError());
        return false;
    }
    // One small buffer, reused: large fresh allocations are what costs most.
    static thread_local std::vector<char> buffer(64 * 1024);
    while (true) {
        DWORD read = 0;
        if (!::ReadFile(file.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read,
                        nullptr)) {
            error = SystemErrorText(GetLastError());
            return false;
        }
        if (read == 0 || !chunk(std::string_view(buffer.data(), read))) return true;
    }
}

void Win32PlayerSystem::DecodeAnsi(std::string_view bytes, std::string& out) {
    // A single-byte code page decodes byte by byte through a table made once;
    // the others (East Asian code pages) go through the system's conversion.
    static const std::vector<std::string> table = [] {
        std::vector<std::string> t;
        CPINFO info{};
        if (!GetCPInfo(CP_ACP, &info) || info.MaxCharSize != 1) return t;
        t.resize(256);
        for (int b = 0; b < 256; ++b) {
            const char c = static_cast<char>(b);
            t[static_cast<std::size_t>(b)] = b == 0 ? std::string(1, '\0') : AnsiToUtf8({&c, 1});
        }
        return t;
    }();
    if (table.empty()) {
        out += AnsiToUtf8(bytes);
        return;
    }
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while (p < end) {
        const char* run = p;
        while (run < end && static_cast<unsigned char>(*run) < 0x80)
            ++run;
        out.append(p, static_cast<std::size_t>(run - p));
        if (run < end) out += table[static_cast<unsigned char>(*run++)];
        p = run;
    }
}

} // namespace pilotune
