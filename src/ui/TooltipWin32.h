#pragma once
// One tooltip for a window whose elements are windowless: the form tells it
// which hint is under the mouse.
#include <windows.h>

#include <string>

namespace pilotune {

class Tooltip {
public:
    Tooltip() = default;
    Tooltip(const Tooltip&) = delete;
    Tooltip& operator=(const Tooltip&) = delete;
    ~Tooltip();

    void Attach(HWND owner);
    // Shows `text` for the pointer's current element; empty text hides it.
    void Set(const std::string& text);
    // Forwards a mouse message so that the tooltip times its showing.
    void Relay(const MSG& msg);

private:
    HWND tip_ = nullptr;
    HWND owner_ = nullptr;
    std::wstring text_;
};

} // namespace pilotune
