#include "ui/TooltipWin32.h"

#include <commctrl.h>

#include "base/EncodingWin32.h"
#include "ui/CommonControlsWin32.h"

namespace pilotune {

namespace {

TOOLINFOW ToolOf(HWND control, wchar_t* text) {
    TOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = GetParent(control) ? GetParent(control) : control;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = text;
    return info;
}

} // namespace

Tooltip::~Tooltip() {
    if (tip_) DestroyWindow(tip_);
}

bool Tooltip::Create(HWND owner) {
    if (tip_) return true;
    owner_ = owner;
    LoadCommonControls(ICC_WIN95_CLASSES);
    tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                           WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, GetModuleHandleW(nullptr),
                           nullptr);
    if (tip_) SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, 600);
    return tip_ != nullptr;
}

void Tooltip::Add(HWND control, std::string_view text) {
    if (!tip_) return;
    std::wstring wide = Widen(text);
    TOOLINFOW info = ToolOf(control, wide.data()); // the tooltip keeps a copy
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void Tooltip::SetText(HWND control, std::string_view text) {
    if (!tip_) return;
    std::wstring wide = Widen(text);
    TOOLINFOW info = ToolOf(control, wide.data());
    SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

std::string Tooltip::Text(HWND control) const {
    if (!tip_) return {};
    std::wstring buffer(1024, L'\0');
    TOOLINFOW info = ToolOf(control, buffer.data());
    // TTM_GETTEXTW: wParam is the buffer size in characters since comctl32 6.
    SendMessageW(tip_, TTM_GETTEXTW, buffer.size(), reinterpret_cast<LPARAM>(&info));
    return Narrow(info.lpszText ? std::wstring_view(info.lpszText) : std::wstring_view());
}

void Tooltip::Attach(HWND owner) {
    // The window is made when there is a first hint to show.
    owner_ = owner;
    attached_ = true;
}

void Tooltip::Set(const std::string& text) {
    std::wstring wide = Widen(text);
    if (wide == text_ || !attached_) return;
    if (!tip_) {
        if (wide.empty() || !Create(owner_)) return;
        TOOLINFOW info{};
        info.cbSize = sizeof(info);
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        info.hwnd = owner_;
        info.uId = reinterpret_cast<UINT_PTR>(owner_);
        info.lpszText = const_cast<wchar_t*>(L"");
        SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
    text_ = std::move(wide);
    TOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = owner_;
    info.uId = reinterpret_cast<UINT_PTR>(owner_);
    info.lpszText = text_.data();
    SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    SendMessageW(tip_, TTM_ACTIVATE, text_.empty() ? FALSE : TRUE, 0);
}

void Tooltip::Relay(const MSG& msg) {
    if (tip_) SendMessageW(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

} // namespace pilotune
