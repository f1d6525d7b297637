#pragma once
// The pictures of the options lists' menu: one small coloured drawing per
// command, drawn with GDI at any size.
#include <windows.h>

namespace pilotune {

// Draws the picture of the list-menu command `id` (kMnuAjouter...kMnuCopier)
// into the square `r`; nothing for another id.
void DrawListMenuPicture(HDC dc, UINT id, const RECT& r);

} // namespace pilotune
