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

// The library's window subclassing and image-list calls, through the library
// loaded on first use. Each does nothing (false, 0, null) without it.
bool AttachSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data);
bool DetachSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id);
LRESULT NextSubclassProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
HICON ImageListIcon(HIMAGELIST list, int index, UINT flags);
int ImageListCount(HIMAGELIST list);

} // namespace pilotune
