#include "ui/ContainerWin32.h"

#include "base/EncodingWin32.h"
#include "base/FailureLogWin32.h"

namespace pilotune {

void Container::OnCommand(int id, Handler handler) {
    commands_[id] = std::move(handler);
}

void Container::OnMessage(UINT msg, MessageHandler handler) {
    messages_[msg] = std::move(handler);
}

void Container::DropHandlers() {
    commands_.clear();
    messages_.clear();
    controls_.clear();
}

void Container::StartLayout(Size designClient) {
    layout_ = Layout(WindowDpi(Handle()), designClient);
    controls_.clear(); // those of a window before this one
}

HWND Container::AddControl(Control& control, const wchar_t* cls, std::string_view text, DWORD style,
                           const Rect& design, unsigned anchors, DWORD exStyle, int id) {
    if (id == 0) id = nextId_ < 0x7FFF ? nextId_++ : nextId_;
    const Rect r = PlacedNow(design, anchors);
    HWND child = CreateWindowExW(exStyle, cls, Widen(text).c_str(), WS_CHILD | WS_VISIBLE | style,
                                 r.left, r.top, r.width, r.height, Handle(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleW(nullptr), nullptr);
    if (!child) {
        LogFailure("Contrôle « " + Narrow(cls) + " » « " + std::string(text) + " » non créé");
        return nullptr;
    }
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
    layout_.Add(reinterpret_cast<Layout::Key>(child), design, anchors);
    control.hwnd = child;
    Adopt(control);
    return child;
}

void Container::Adopt(Control& control) {
    if (control.hwnd) controls_[control.hwnd] = &control;
}

// A handle can come back for a new window once its own is gone: the entry
// counts only while its control still holds that handle.
Control* Container::ControlOf(HWND child) const {
    const auto it = child ? controls_.find(child) : controls_.end();
    return it != controls_.end() && it->second->hwnd == child ? it->second : nullptr;
}

Rect Container::PlacedNow(const Rect& design, unsigned anchors) const {
    RECT client{};
    if (!Handle() || !GetClientRect(Handle(), &client) || client.right <= 0 || client.bottom <= 0)
        return layout_.Scale(design);
    return Anchored(layout_.Scale(design), anchors, layout_.Client(),
                    {client.right, client.bottom});
}

void Container::Place(HWND child, const Rect& design, unsigned anchors) {
    layout_.Add(reinterpret_cast<Layout::Key>(child), design, anchors);
    const Rect r = PlacedNow(design, anchors);
    // A child made where it goes is not moved again.
    RECT now{};
    GetWindowRect(child, &now);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&now), 2);
    if (now.left != r.left || now.top != r.top || now.right - now.left != r.width ||
        now.bottom - now.top != r.height)
        SetWindowPos(child, nullptr, r.left, r.top, r.width, r.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

void Container::Move(HWND child, const Rect& design) {
    layout_.Move(reinterpret_cast<Layout::Key>(child), design);
    Arrange();
}

int Container::TextHeight(std::string_view text, int designWidth, HFONT font) const {
    const SIZE s = MeasureText(font, text, layout_.Scale(designWidth), true);
    return DesignLength(s.cy, Dpi());
}

void Container::SetBackground(COLORREF colour) {
    colour_ = colour;
    background_.Reset(CreateSolidBrush(colour));
    if (Handle()) InvalidateRect(Handle(), nullptr, TRUE);
}

COLORREF Container::BackgroundColour() const {
    return background_.Get() ? colour_ : GetSysColor(COLOR_BTNFACE);
}

HBRUSH Container::BackgroundBrush() const {
    return background_.Get() ? background_.Get() : GetSysColorBrush(COLOR_BTNFACE);
}

void Container::Arrange() {
    RECT client{};
    if (!Handle() || !GetClientRect(Handle(), &client)) return;
    for (const Layout::Placed& p : layout_.Arrange({client.right, client.bottom}))
        SetWindowPos(reinterpret_cast<HWND>(p.key), nullptr, p.bounds.left, p.bounds.top,
                     p.bounds.width, p.bounds.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT Container::Unrouted(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(Handle(), msg, wParam, lParam);
}

namespace {
// Sent by a container to the containers inside it (wParam: the new DPI).
UINT DpiChangedMessage() {
    static const UINT message = RegisterWindowMessageW(L"PilotuneDpiChanged");
    return message;
}
} // namespace

void Container::ChangeDpi(int dpi) {
    const int old = Dpi();
    if (dpi <= 0 || dpi == old) return;
    layout_.SetDpi(dpi);
    const HFONT plain = DialogFont(old), bold = DialogFont(old, true);
    for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const auto font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
        if (font == plain || font == bold)
            SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont(dpi, font == bold)),
                         TRUE);
        SendMessageW(child, DpiChangedMessage(), static_cast<WPARAM>(dpi), 0);
    }
    Arrange();
}

LRESULT Container::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == DpiChangedMessage()) {
        ChangeDpi(static_cast<int>(wParam));
        return 0;
    }
    if (auto it = messages_.find(msg); it != messages_.end()) {
        const MessageHandler handler = it->second; // it may replace itself
        return handler(wParam, lParam);
    }
    switch (msg) {
    case WM_COMMAND: {
        const WORD code = HIWORD(wParam);
        if (Control* control = ControlOf(reinterpret_cast<HWND>(lParam)))
            if (control->Command(code)) return 0;
        // A menu item (0), an accelerator (1) or a click.
        const bool click = lParam == 0 ? code <= 1 : code == BN_CLICKED;
        if (auto it = commands_.find(LOWORD(wParam)); click && it != commands_.end()) {
            const Handler handler = it->second; // it may replace itself
            handler();
            return 0;
        }
        return Unrouted(msg, wParam, lParam);
    }
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (!header) return 0;
        LRESULT result = 0;
        if (Control* control = ControlOf(header->hwndFrom))
            if (control->Notify(*header, result)) return result;
        return Unrouted(msg, wParam, lParam);
    }
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (Control* control = item ? ControlOf(item->hwndItem) : nullptr)
            if (control->Draw(*item)) return TRUE;
        break;
    }
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) Arrange();
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(Font());
    case WM_ERASEBKGND: {
        RECT r{};
        GetClientRect(Handle(), &r);
        FillRect(reinterpret_cast<HDC>(wParam), &r, BackgroundBrush());
        return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkColor(dc, BackgroundColour());
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(BackgroundBrush());
    }
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

} // namespace pilotune
