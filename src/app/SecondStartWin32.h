#pragma once
// How a second start finds the first: its bar's window.
#include <windows.h>

#include <string_view>

namespace pilotune {

// Another top-level window of class `className` captioned `title`, other than
// `self`; nullptr when there is none.
HWND FindOtherInstance(std::string_view className, std::string_view title, HWND self);

} // namespace pilotune
