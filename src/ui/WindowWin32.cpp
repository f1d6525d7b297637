#include "ui/WindowWin32.h"

#include <algorithm>
#include <string>
#include <vector>

#include "base/EncodingWin32.h"
#include "base/FailureLogWin32.h"

namespace pilotune {

namespace {

// Dialogs of this thread (a window belongs to the thread that created it).
std::vector<HWND>& Dialogs() {
    thread_local std::vector<HWND> dialogs;
    return dialogs;
}

} // namespace

UINT DialogKeyMessage() {
    static const UINT msg = RegisterWindowMessageW(L"PilotuneDialogKey");
    return msg;
}

Window::~Window() {
    Destroy();
}

void Window::Destroy() {
    if (hwnd_) {
        HWND h = hwnd_;
        DestroyWindow(h);
        hwnd_ = nullptr;
    }
}

bool Window::Create(const WindowClass& cls, DWORD exStyle, DWORD style, const wchar_t* caption,
                    int x, int y, int width, int height, HWND parent) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (!GetClassInfoExW(instance, cls.name, &wc)) {
        wc.cbSize = sizeof(wc);
        wc.style = cls.style;
        wc.lpfnWndProc = Proc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hIcon = cls.icon;
        wc.hIconSm = cls.icon;
        wc.hbrBackground = cls.background;
        wc.lpszClassName = cls.name;
        if (!RegisterClassExW(&wc)) {
            LogFailure("Classe de fenêtre « " + Narrow(cls.name) + " » non enregistrée");
            return false;
        }
    }
    HWND h = CreateWindowExW(exStyle, cls.name, caption, style, x, y, width, height, parent,
                             nullptr, instance, this);
    if (!h) LogFailure("Fenêtre « " + Narrow(cls.name) + " » non créée");
    if (h && cls.icon) {
        SendMessageW(h, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(cls.icon));
        SendMessageW(h, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(cls.icon));
    }
    return h != nullptr;
}

bool Window::Create(const wchar_t* className, DWORD exStyle, DWORD style, const wchar_t* caption,
                    int x, int y, int width, int height, HWND parent, HICON icon) {
    return Create(WindowClass{.name = className, .icon = icon}, exStyle, style, caption, x, y,
                  width, height, parent);
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK Window::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* self = nullptr;
    if (msg == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        RemoveDialogWindow(hwnd);
        const LRESULT r = DefWindowProcW(hwnd, msg, wParam, lParam);
        self->hwnd_ = nullptr;
        self->OnDestroyed();
        return r;
    }
    try {
        return self->HandleMessage(msg, wParam, lParam);
    } catch (...) {
        // A fault in one handler must not take the program down from inside
        // a window procedure; the message is treated as handled.
        wchar_t name[256] = {};
        GetClassNameW(hwnd, name, 256);
        char message[16];
        wsprintfA(message, "0x%04X", msg);
        LogException("Exception dans la fenêtre « " + Narrow(name) + " », message " + message,
                     std::current_exception());
        return 0;
    }
}

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

bool FirstBelowTopmost(HWND window) {
    const auto topMost = [](HWND w) {
        return (GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    };
    const HWND above = GetWindow(window, GW_HWNDPREV);
    return !topMost(window) && (!above || topMost(above));
}

void AddDialogWindow(HWND dialog) {
    if (dialog && !IsDialogWindow(dialog)) Dialogs().push_back(dialog);
}

void RemoveDialogWindow(HWND dialog) {
    std::erase(Dialogs(), dialog);
}

bool IsDialogWindow(HWND dialog) {
    const auto& d = Dialogs();
    return std::find(d.begin(), d.end(), dialog) != d.end();
}

void DispatchWindowMessage(MSG& msg) {
    if (msg.hwnd) {
        // The dialog that holds the window of the message, if any.
        HWND dialog = nullptr;
        for (HWND d : Dialogs())
            if (d == msg.hwnd || IsChild(d, msg.hwnd)) dialog = d;
        if (dialog && IsDialogMessageW(dialog, &msg)) {
            if (msg.message == WM_KEYDOWN && IsWindow(dialog))
                SendMessageW(dialog, DialogKeyMessage(), msg.wParam, 0);
            return;
        }
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

int RunMessageLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchWindowMessage(msg);
    return static_cast<int>(msg.wParam);
}

} // namespace pilotune
