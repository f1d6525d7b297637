#include "ui/PopupMenuWin32.h"

#include "base/EncodingWin32.h"
#include "base/HandleWin32.h"

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

} // namespace pilotune
