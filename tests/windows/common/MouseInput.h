#pragma once
// Real mouse input, as the user's: the pointer put on a point of a window's
// client area, with the button events given (none: the move alone).
#include <windows.h>

namespace pilotune::testing {

inline void MouseAt(HWND window, int x, int y, DWORD buttons = 0) {
    POINT p{x, y};
    ClientToScreen(window, &p);
    SetCursorPos(p.x, p.y);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_MOVE | buttons; // no distance: a move event where the pointer is
    SendInput(1, &in, sizeof in);
}

} // namespace pilotune::testing
