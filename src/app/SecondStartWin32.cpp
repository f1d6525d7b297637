#include "app/SecondStartWin32.h"

#include <string>

#include "base/EncodingWin32.h"

namespace pilotune {

HWND FindOtherInstance(std::string_view className, std::string_view title, HWND self) {
    const std::wstring cls = Widen(className);
    const std::wstring caption = Widen(title);
    HWND found = nullptr;
    while ((found = FindWindowExW(nullptr, found, cls.c_str(), caption.c_str())) != nullptr) {
        if (found != self) return found;
    }
    return nullptr;
}

} // namespace pilotune
