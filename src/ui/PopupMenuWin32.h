#pragma once
// Shows a Menu (data) as a real popup menu and tells which item was chosen.
#include <windows.h>

#include <functional>
#include <string>

#include "ui/Elements.h"

namespace pilotune {

// Builds the popup from `menu` (captions, check marks, default item, hidden
// items left out), tracks it at the screen point and returns the name of the
// chosen item, or empty text when the menu was dismissed.
std::string TrackMenu(const Menu& menu, HWND owner, POINT screen);

// Draws the picture of the menu item `id` into `r`.
using MenuPicturePainter = std::function<void(HDC dc, UINT id, const RECT& r)>;

// Gives the item `id` of `menu` a picture that `TrackMenuWithPictures` draws.
void SetMenuItemPicture(HMENU menu, UINT id);
// TrackPopupMenu(menu, flags, ...) for `owner`, drawing the items' pictures
// with `paint` in squares of `size` pixels while the menu is open.
BOOL TrackMenuWithPictures(HMENU menu, UINT flags, POINT screen, HWND owner, int size,
                           const MenuPicturePainter& paint);

} // namespace pilotune
