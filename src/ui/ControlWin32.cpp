#include "ui/ControlWin32.h"

#include "ui/WindowTextWin32.h"

namespace pilotune {

std::string Control::Text() const {
    return WindowText(hwnd);
}

void Control::SetText(std::string_view text) const {
    pilotune::SetText(hwnd, text);
}

void Control::SetFont(HFONT font) const {
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

} // namespace pilotune
