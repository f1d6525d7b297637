#include "ui/WindowTextWin32.h"

#include "base/EncodingWin32.h"

namespace pilotune {

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return Narrow(text);
}

void SetText(HWND window, std::string_view text) {
    SetWindowTextW(window, Widen(text).c_str());
}

} // namespace pilotune
