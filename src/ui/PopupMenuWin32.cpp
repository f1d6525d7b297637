#include "ui/PopupMenuWin32.h"

#include <commctrl.h>

#include "base/EncodingWin32.h"
#include "base/HandleWin32.h"
#include "ui/SubclassWin32.h"

namespace pilotune {

std::string TrackMenu(const Menu& menu, HWND owner, POINT screen) {
    const MenuHandle menuHandle{CreatePopupMenu()};
    if (!menuHandle) return {};
    HMENU popup = menuHandle.Get();
    const auto& items = menu.Items();
    bool lastWasSeparator = true; // no separator first, none doubled by hidden items
    for (std::size_t i = 0; i < items.size(); ++i) {
        const MenuItem& item = items[i];
        if (!item.visible) continue;
        if (item.separator) {
            if (!lastWasSeparator) AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
            lastWasSeparator = true;
            continue;
        }
        UINT flags = MF_STRING;
        if (item.checked) flags |= MF_CHECKED;
        if (!item.enabled) flags |= MF_GRAYED;
        AppendMenuW(popup, flags, i + 1, Widen(item.caption).c_str());
        if (item.isDefault) SetMenuDefaultItem(popup, static_cast<UINT>(i + 1), FALSE);
        lastWasSeparator = false;
    }
    // The owner must be foreground or the menu does not close when the user
    // clicks elsewhere.
    SetForegroundWindow(owner);
    const UINT chosen =
        static_cast<UINT>(TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                         screen.x, screen.y, 0, owner, nullptr));
    PostMessageW(owner, WM_NULL, 0, 0);
    if (chosen == 0 || chosen > items.size()) return {};
    return items[chosen - 1].name;
}

namespace {

struct PictureMenu {
    int size;
    const MenuPicturePainter* paint;
};

// The owner is asked to measure and draw the pictures of its menu: answered
// here, for the time the menu is open.
LRESULT CALLBACK PictureProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR data) {
    const auto& menu = *reinterpret_cast<const PictureMenu*>(data);
    if (msg == WM_MEASUREITEM) {
        auto& m = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (m.CtlType == ODT_MENU) {
            // A quarter of the picture's width apart from the caption.
            m.itemWidth = static_cast<UINT>(menu.size + menu.size / 4);
            m.itemHeight = static_cast<UINT>(menu.size);
            return TRUE;
        }
    } else if (msg == WM_DRAWITEM) {
        const auto& d = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (d.CtlType == ODT_MENU) {
            // At the left of the place the menu gives it, centred in its height.
            const int x = d.rcItem.left;
            const int y = (d.rcItem.top + d.rcItem.bottom - menu.size) / 2;
            const RECT square{x, y, x + menu.size, y + menu.size};
            const int saved = SaveDC(d.hDC);
            (*menu.paint)(d.hDC, d.itemID, square);
            RestoreDC(d.hDC, saved);
            return TRUE;
        }
    }
    return NextSubclassProc(hwnd, msg, wParam, lParam);
}

constexpr UINT_PTR kPictureSubclass = 0x50696374; // "Pict"

} // namespace

void SetMenuItemPicture(HMENU menu, UINT id) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_BITMAP;
    info.hbmpItem = HBMMENU_CALLBACK;
    SetMenuItemInfoW(menu, id, FALSE, &info);
}

BOOL TrackMenuWithPictures(HMENU menu, UINT flags, POINT screen, HWND owner, int size,
                           const MenuPicturePainter& paint) {
    PictureMenu data{size, &paint};
    const bool hooked =
        AttachSubclass(owner, PictureProc, kPictureSubclass, reinterpret_cast<DWORD_PTR>(&data));
    const BOOL result = TrackPopupMenu(menu, flags, screen.x, screen.y, 0, owner, nullptr);
    if (hooked) DetachSubclass(owner, PictureProc, kPictureSubclass);
    return result;
}

} // namespace pilotune
