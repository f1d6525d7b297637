#pragma once
// What every standard control offers: its handle and id, UTF-8 text, enabled,
// visible, focus. A control is a child window: it goes with its parent. Its
// parent hands it its own commands and notifications (reflection): each kind
// of control turns them into its events (Button::onClick...).
#include <windows.h>

#include <string>
#include <string_view>

namespace pilotune {

struct Control {
    HWND hwnd = nullptr;

    Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    HWND Handle() const { return hwnd; }
    int Id() const { return GetDlgCtrlID(hwnd); }
    std::string Text() const;
    void SetText(std::string_view text) const;
    virtual void Enable(bool enabled) const { EnableWindow(hwnd, enabled); }
    bool IsEnabled() const { return IsWindowEnabled(hwnd) != FALSE; }
    void Show(bool visible) const { ShowWindow(hwnd, visible ? SW_SHOW : SW_HIDE); }
    bool IsVisible() const { return IsWindowVisible(hwnd) != FALSE; }
    void Focus() const { SetFocus(hwnd); }
    void SetFont(HFONT font) const;

    // WM_COMMAND's notification code from this control; true when taken.
    virtual bool Command(WORD /*code*/) { return false; }
    // WM_NOTIFY from this control; true when taken, with the answer in `result`.
    virtual bool Notify(const NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
    // WM_DRAWITEM of an owner-drawn control; true when drawn.
    virtual bool Draw(const DRAWITEMSTRUCT& /*item*/) { return false; }
};

} // namespace pilotune
