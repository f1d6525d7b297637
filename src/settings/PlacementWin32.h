#pragma once
// A window's state, position and size kept in a section of the settings file:
// keys "WindowState" (0 normal, 2 maximised), "Left", "Top", "Width", "Height".
#include <windows.h>

#include <string_view>

#include "settings/SettingsStore.h"

namespace pilotune {

enum PlacementMode : int { kPlacementSave = 0, kPlacementLoad = 1 };
enum PlacementState : int { kStateNormal = 0, kStateMaximised = 2 };

// Save: a minimised window writes nothing; a maximised one writes only its
// state; a normal one also its screen rectangle in pixels.
// Load: the state from "WindowState" (`defaultState` when missing or not 0 or
// 2); a maximised state shows the window maximised; a normal state restores it
// if needed and applies the four keys, each defaulting to the current value. A
// size that is not positive keeps the current size, a rectangle that would lie
// on no monitor keeps the current position.
void Placement(SettingsStore& store, HWND window, std::string_view section, int mode, bool perUser,
               int defaultState);

} // namespace pilotune
