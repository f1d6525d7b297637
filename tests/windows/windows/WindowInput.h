#pragma once
// Real mouse and key input for the secondary windows' tests: SendInput at a
// point of a window's client area, and a screenshot of a window as a BMP
// under build/screenshots/.
#include <windows.h>

#include <string>

namespace pilotune::testing {

// Moves the pointer to (x, y) of `window`'s client area.
void MoveTo(HWND window, int x, int y);
// A left (or right) click at (x, y) of `window`'s client area.
void ClickAt(HWND window, int x, int y, bool right = false);
// A key typed: pressed and released.
void Type(WORD vk);
// Saves the screen's pixels under `window` as build/screenshots/<name>.bmp.
bool SaveWindowBmp(HWND window, const std::string& name);
// This process aware of the DPI as the program's manifest declares it: per
// monitor (v2) where Windows has it, else the system's DPI.
void BeDpiAware();

} // namespace pilotune::testing
