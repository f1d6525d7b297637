#pragma once
// Combo box search.
#include <windows.h>

#include <string_view>

namespace pilotune {

// True when one item of the combo box equals `text`, ignoring case (accented
// letters included: "é" equals "É").
bool ComboHasText(HWND combo, std::string_view text);

} // namespace pilotune
