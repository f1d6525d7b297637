#pragma once
// The parameter of an action list's selected item, chosen by the user: a file
// for "Exécuter :", a programme for "Lecture du programme :", a schedule line
// for "Relancer une action planifier :".
#include <windows.h>

#include <string>
#include <vector>

#include "ui/ComboBoxWin32.h"

namespace pilotune {

// On a choice the item becomes its label prefix and the choice, and stays
// selected; true then. A cancelled chooser changes nothing.
bool ChooseParameter(HWND owner, const ComboBox& list, const std::vector<std::string>& programmes,
                     const std::vector<std::string>& scheduleLines);

} // namespace pilotune
