#pragma once
// What every standard control offers: its handle and id, UTF-8 text, enabled,
// visible, focus. A control is a child window: it goes with its parent.
#include <windows.h>

#include <string>
#include <string_view>

namespace pilotune {

struct Control {
    HWND hwnd = nullptr;

    HWND Handle() const { return hwnd; }
    int Id() const { return GetDlgCtrlID(hwnd); }
    std::string Text() const;
    void SetText(std::string_view text) const;
    void Enable(bool enabled) const { EnableWindow(hwnd, enabled); }
    bool IsEnabled() const { return IsWindowEnabled(hwnd) != FALSE; }
    void Show(bool visible) const { ShowWindow(hwnd, visible ? SW_SHOW : SW_HIDE); }
    bool IsVisible() const { return IsWindowVisible(hwnd) != FALSE; }
    void Focus() const { SetFocus(hwnd); }
    void SetFont(HFONT font) const;
};

} // namespace pilotune
