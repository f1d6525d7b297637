#include "ui/TooltipWin32.h"

#include <commctrl.h>

#include "base/EncodingWin32.h"

namespace pilotune {

Tooltip::~Tooltip() {
    if (tip_) DestroyWindow(tip_);
}

void Tooltip::Attach(HWND owner) {
    owner_ = owner;
    tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX |
                           TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!tip_) return;
    TOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = owner;
    info.uId = reinterpret_cast<UINT_PTR>(owner);
    info.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, 600);
    SendMessageW(tip_, TTM_ACTIVATE, FALSE, 0);
}

void Tooltip::Set(const std::string& text) {
    if (!tip_) return;
    std::wstring wide = Widen(text);
    if (wide == text_) return;
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
