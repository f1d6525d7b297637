#pragma once
// A window's text as UTF-8, both ways (GetWindowTextW / SetWindowTextW).
#include <windows.h>

#include <string>
#include <string_view>

namespace pilotune {

std::string WindowText(HWND window);
void SetText(HWND window, std::string_view text);

} // namespace pilotune
