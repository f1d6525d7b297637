#pragma once
// The common controls library, loaded the first time something needs it
// rather than when the program starts: the bar alone needs none of it, and
// a library that is never loaded costs no memory.
#include <windows.h>

#include <commctrl.h>

namespace pilotune {

// Loads the library and registers the window classes `classes` (ICC_*
// flags); false when the library cannot be had.
bool LoadCommonControls(DWORD classes);

// The library's image-list calls, through the library loaded on first use;
// without it, null and 0.
HICON ImageListIcon(HIMAGELIST list, int index, UINT flags);
int ImageListCount(HIMAGELIST list);

} // namespace pilotune
