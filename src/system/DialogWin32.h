#pragma once
// What the small modal windows of the system actions share: the message font,
// child controls created in code, centring, and a modal loop.
#include <windows.h>

#include <string>

namespace pilotune {

HFONT DialogFont();     // the system's message font
HFONT DialogBoldFont(); // the same, bold

// A child control with the dialog font; `id` is its control id.
HWND DialogChild(HWND parent, const wchar_t* cls, const std::string& text, DWORD style, int x,
                 int y, int w, int h, int id, HFONT font = nullptr);

// Outer size of a window of `style` / `exStyle` for that client size.
SIZE OuterSize(DWORD style, DWORD exStyle, int clientWidth, int clientHeight);

// Top-left corner that centres a `size` window on the primary screen.
POINT CentredOnScreen(SIZE size);

// Wakes RunModal after its window was destroyed inside a message sent from
// another thread (GetMessage would otherwise wait for the next posted one).
void WakeModalLoop();

// Runs messages until `window` is destroyed, with `owner` disabled meanwhile.
// A WM_QUIT that arrives is put back for the main loop and ends the wait.
void RunModal(HWND window, HWND owner);

// The program's icon (resource 1), or the system's application icon.
HICON ProgramIcon();

} // namespace pilotune
