#pragma once
// Looking at and driving dialogs of the test's own process from another
// thread: focus, real keys, message boxes, clipped texts, screenshots.
#include <windows.h>

#include <string>

namespace pilotune::testing {

// The control that has the keyboard focus in the thread of `window`.
HWND FocusOf(HWND window);
int FocusedId(HWND window);

// A real key press (SendInput): it goes to the foreground window's thread.
void PressKey(WORD vk, bool shift = false);

// Brings `window` to the front and waits until its thread has the focus in it.
bool MakeForeground(HWND window);

// The texts of a message box (or any dialog) of class #32770, one per static.
std::string ReadMessageBox(HWND box);

// Whether a static's, button's or check box's text fits its client area with
// the control's own font; `why` says what does not fit.
bool TextFits(HWND control, std::string* why = nullptr);
// Every control of `window` whose text does not fit, one per line.
std::string ClippedTexts(HWND window);

// Saves the window (frame included) as a 24-bit BMP file.
bool SaveScreenshot(HWND window, const std::string& path);

// PILOTUNE_BUILD_DIR/screenshots/<name>, its folder made if needed.
std::string ScreenshotPath(const std::string& name);

} // namespace pilotune::testing
