#pragma once
// One tooltip window for many tools: the controls of a dialog (each with its
// own text), or a window whose elements are windowless and which tells the
// tooltip which hint is under the mouse.
#include <windows.h>

#include <string>
#include <string_view>

namespace pilotune {

class Tooltip {
  public:
    Tooltip() = default;
    Tooltip(const Tooltip&) = delete;
    Tooltip& operator=(const Tooltip&) = delete;
    ~Tooltip();

    // The tooltip window, owned by `owner`.
    bool Create(HWND owner);
    // A control and its text; the tooltip watches the mouse over it by itself.
    void Add(HWND control, std::string_view text);
    void SetText(HWND control, std::string_view text);
    std::string Text(HWND control) const;
    HWND Handle() const { return tip_; }

    // Windowless elements: the owner is the one tool, off until Set; the
    // tooltip window is made on the first hint.
    void Attach(HWND owner);
    // Shows `text` for the pointer's current element; empty text hides it.
    void Set(const std::string& text);
    // Forwards a mouse message so that the tooltip times its showing.
    void Relay(const MSG& msg);

  private:
    HWND tip_ = nullptr;
    HWND owner_ = nullptr;
    bool attached_ = false;
    std::wstring text_;
};

} // namespace pilotune
