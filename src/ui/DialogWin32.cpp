#include "ui/DialogWin32.h"

#include "base/EncodingWin32.h"
#include "ui/CommonControlsWin32.h"

namespace pilotune {

namespace {

constexpr DWORD kFixedStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kSizingStyle = kFixedStyle | WS_THICKFRAME; // no minimise or maximise box

SIZE OuterSize(HWND window, Size client) {
    RECT r{0, 0, client.width, client.height};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
    return {r.right - r.left, r.bottom - r.top};
}

bool IsPushButton(HWND control) {
    return (SendMessageW(control, WM_GETDLGCODE, 0, 0) &
            (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

} // namespace

POINT CentredOn(HWND owner, SIZE size) {
    HMONITOR monitor = owner ? MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY)
                             : MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (GetMonitorInfoW(monitor, &info)) screen = info.rcMonitor;
    return {screen.left + (screen.right - screen.left - size.cx) / 2,
            screen.top + (screen.bottom - screen.top - size.cy) / 2};
}

Dialog::~Dialog() {
    // The form's handlers may use its members, which are gone by now.
    DropHandlers();
    Destroy(); // here, so that this class still sees WM_DESTROY
}

bool Dialog::Create(const wchar_t* className, const Frame& frame) {
    if (Handle()) return false;
    // The library's versions of the standard controls, for every dialog.
    LoadCommonControls(ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES);
    owner_ = frame.owner;
    result_ = IDCANCEL;
    defaultId_ = 0;
    lastFocus_ = nullptr;
    minimum_ = frame.resizable ? frame.minimum : Size{};
    const DWORD style = frame.resizable ? kSizingStyle : kFixedStyle;
    const DWORD exStyle = WS_EX_CONTROLPARENT | (frame.resizable ? 0 : WS_EX_DLGMODALFRAME) |
                          (frame.topmost ? WS_EX_TOPMOST : 0);
    const WindowClass cls{.name = className,
                          .background = GetSysColorBrush(COLOR_BTNFACE),
                          .icon = frame.icon ? frame.icon : ProgramIcon()};
    if (!Window::Create(cls, exStyle, style, Widen(frame.caption).c_str(), 0, 0, 0, 0, frame.owner))
        return false;
    StartLayout(frame.client);
    const SIZE outer = OuterSize(Handle(), GetLayout().Client());
    const POINT at = CentredOn(frame.owner, outer);
    SetWindowPos(Handle(), nullptr, at.x, at.y, outer.cx, outer.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

void Dialog::SetClientSize(Size design) {
    SetDesignClient(design);
    const SIZE outer = OuterSize(Handle(), GetLayout().Client());
    SetWindowPos(Handle(), nullptr, 0, 0, outer.cx, outer.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Dialog::Show(HWND focus) {
    HWND w = Handle();
    AddDialogWindow(w);
    ShowWindow(w, SW_SHOW);
    SetForegroundWindow(w);
    if (!focus) focus = GetNextDlgTabItem(w, nullptr, FALSE);
    if (focus) SetFocus(focus);
    ShowDefaultButton();
}

void Dialog::ShowModeless(HWND focus) {
    if (Handle()) Show(focus);
}

int Dialog::ShowModal(HWND focus) {
    if (!Handle()) return IDCANCEL;
    modal_ = true;
    if (owner_ && IsWindowEnabled(owner_)) {
        EnableWindow(owner_, FALSE);
        ownerDisabled_ = true;
    }
    Show(focus);
    MSG msg{};
    while (Handle()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // WM_QUIT belongs to the main loop: put it back and close.
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
            result_ = IDCANCEL;
            Destroy();
            break;
        }
        DispatchWindowMessage(msg);
    }
    modal_ = false;
    ReleaseOwner();
    if (owner_ && IsWindow(owner_)) SetForegroundWindow(owner_);
    return result_;
}

void Dialog::Close(int result) {
    result_ = result;
    ReleaseOwner(); // before the window goes, so that the owner gets the activation
    Destroy();
}

void Dialog::ReleaseOwner() {
    if (ownerDisabled_) {
        ownerDisabled_ = false;
        if (IsWindow(owner_)) EnableWindow(owner_, TRUE);
    }
}

void Dialog::SetDefaultButton(int id) {
    defaultId_ = id;
    ShowDefaultButton();
}

// The default button has the thick border, unless the focus is on another
// push button (which Enter would press instead).
void Dialog::ShowDefaultButton() {
    HWND w = Handle();
    if (!w) return;
    HWND focus = GetFocus();
    const bool onButton = focus && IsChild(w, focus) && IsPushButton(focus);
    for (HWND child = GetWindow(w, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsPushButton(child)) continue;
        const bool isDefault = onButton ? child == focus : GetDlgCtrlID(child) == defaultId_;
        const bool shown = (SendMessageW(child, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) != 0;
        if (isDefault != shown)
            SendMessageW(child, BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    }
}

void Dialog::OnDestroyed() {
    // The modal loop may wait in GetMessage: the window can go inside a
    // message sent from another thread, which GetMessage does not return.
    PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
}

LRESULT Dialog::Unrouted(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND) {
        const int id = LOWORD(wParam);
        if (id == IDOK || id == IDCANCEL) Close(id);
        return 0;
    }
    return Container::Unrouted(msg, wParam, lParam);
}

LRESULT Dialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CLOSE:
        return HandleMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    case DM_GETDEFID:
        return defaultId_ ? MAKELRESULT(defaultId_, DC_HASDEFID) : 0;
    case DM_SETDEFID:
        SetDefaultButton(static_cast<int>(wParam));
        return TRUE;
    case WM_ACTIVATE:
        // Back to the control that had the focus when the dialog was left.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(Handle(), focus)) lastFocus_ = focus;
        } else if (lastFocus_ && IsWindow(lastFocus_) && IsChild(Handle(), lastFocus_)) {
            SetFocus(lastFocus_);
            return 0;
        }
        break;
    case WM_GETMINMAXINFO:
        if (minimum_.width > 0 || minimum_.height > 0) {
            const SIZE outer = OuterSize(Handle(), ScaleToDpi(minimum_, Dpi()));
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            info->ptMinTrackSize = {outer.cx, outer.cy};
            return 0;
        }
        break;
    case WM_DPICHANGED: {
        // Another monitor: the controls take its scale, the window the size
        // the system suggests for it.
        ChangeDpi(HIWORD(wParam));
        const RECT* r = reinterpret_cast<const RECT*>(lParam);
        if (r)
            SetWindowPos(Handle(), nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_DESTROY:
        ReleaseOwner();
        break;
    default:
        if (msg == DialogKeyMessage()) {
            ShowDefaultButton();
            return 0;
        }
    }
    return Container::HandleMessage(msg, wParam, lParam);
}

} // namespace pilotune
