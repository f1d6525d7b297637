#pragma once
// Shows a Menu (data) as a real popup menu and tells which item was chosen.
#include <windows.h>

#include <string>

#include "ui/Elements.h"

namespace pilotune {

// Builds the popup from `menu` (captions, check marks, default item, hidden
// items left out), tracks it at the screen point and returns the name of the
// chosen item, or empty text when the menu was dismissed.
std::string TrackMenu(const Menu& menu, HWND owner, POINT screen);

} // namespace pilotune
