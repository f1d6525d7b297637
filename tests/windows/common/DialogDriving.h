#pragma once
// Looking at and driving dialogs of the test's own process from another
// thread: focus, real keys and mouse, message boxes, clipped texts, screenshots.
#include <windows.h>

#include <string>

namespace pilotune::testing {

// The id of the control that has the keyboard focus in the thread of `window`.
int FocusedId(HWND window);

// One real key going down or up (SendInput), with its scan code.
void SendKey(WORD vk, bool up);
// A real key press (SendInput): it goes to the foreground window's thread.
void PressKey(WORD vk, bool shift = false);

// Brings `window` to the front and waits until its thread has the focus in it.
bool MakeForeground(HWND window);

// The texts of a message box (or any dialog) of class #32770, one per static.
std::string ReadMessageBox(HWND box);
// Waits up to `ms` for a message box with a text, presses its OK and returns
// the text; empty when none showed.
std::string ReadAndCloseMessageBox(int ms = 8000);

// Real mouse input, as the user's: the pointer put on a point of a window's
// client area, with the button events given (none: the move alone).
inline void MouseAt(HWND window, int x, int y, DWORD buttons = 0) {
    POINT p{x, y};
    ClientToScreen(window, &p);
    SetCursorPos(p.x, p.y);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_MOVE | buttons; // no distance: a move event where the pointer is
    SendInput(1, &in, sizeof in);
}

// Every static, button or check box of `window` whose text does not fit its
// client area with the control's own font, one per line.
std::string ClippedTexts(HWND window);

// Saves the window (frame included) as a 24-bit BMP file.
bool SaveScreenshot(HWND window, const std::string& path);

// Saves the window as build/screenshots/<name>.bmp, the folder made if needed.
bool SaveWindowBmp(HWND window, const std::string& name);

} // namespace pilotune::testing
