#include "options/ListGesturesWin32.h"

#include <string>

#include "base/EncodingWin32.h"
#include "options/ListMenuPicturesWin32.h"
#include "ui/GdiWin32.h"
#include "ui/Layout.h"
#include "ui/PopupMenuWin32.h"

namespace pilotune {

void DeleteSelected(ListRows& list) {
    const int row = list.Selected();
    if (row < 0) return;
    list.Erase(row);
    const int count = list.Count();
    if (count > 0) list.view.Select(row < count ? row : count - 1);
    if (IsWindowVisible(list.view.Handle())) list.view.Focus();
}

int ItemIndexAt(const ListView& list, int y) {
    if (list.Count() > 1) {
        const std::optional<int> first = list.RowTop(0);
        if (first && y < *first) return 0;
    }
    return list.RowAt(y);
}

bool DragMove(ListRows& list, int y, bool leftHeld) {
    if (!leftHeld || list.Count() < 2 || list.Selected() < 0) return false;
    return MoveItem(list, ItemIndexAt(list.view, y));
}

bool ListChanged(ListRows& list, const ListViewEvent& e, int dpi, bool pressRule) {
    switch (e.kind) {
    case ListViewEvent::Key:
        if (e.key == VK_BACK || e.key == VK_DELETE) DeleteSelected(list);
        return e.key == VK_SPACE || e.key == VK_BACK || e.key == VK_DELETE;
    case ListViewEvent::MouseDown:
        return pressRule && e.y < ScaleToDpi(50, dpi);
    case ListViewEvent::MouseMove:
        return DragMove(list, e.y, e.on);
    default:
        return false;
    }
}

void WireList(ListRows& list, int dpi, bool pressRule, std::function<void()> changed,
              std::function<void()> takeBack, std::function<void()> menu) {
    list.view.onEvent = [&list, dpi, pressRule, changed = std::move(changed),
                         takeBack = std::move(takeBack),
                         menu = std::move(menu)](const ListViewEvent& e) {
        if (e.kind == ListViewEvent::Checked) list.Ticked(e.row, e.on);
        if (ListChanged(list, e, dpi, pressRule) || e.kind == ListViewEvent::Checked) changed();
        if (e.kind == ListViewEvent::DoubleClick) takeBack();
        if (e.kind == ListViewEvent::RightClick) menu();
    };
}

bool MoveItem(ListRows& list, int target) {
    const int count = list.Count();
    const int row = list.Selected();
    if (count < 2 || row < 0 || row == target || target < 0 || target >= count) return false;
    list.Move(row, target);
    return true;
}

void ShowListMenu(HWND owner, POINT screen, const ListCommands& commands) {
    const MenuHandle menuHandle{CreatePopupMenu()};
    HMENU menu = menuHandle.Get();
    if (!menu) return;
    auto item = [menu](int id, const std::string& caption) {
        AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(id), Widen(caption).c_str());
        SetMenuItemPicture(menu, static_cast<UINT>(id));
    };
    auto separator = [menu] { AppendMenuW(menu, MF_SEPARATOR, 0, nullptr); };
    item(kMnuAjouter, "Ajouter");
    item(kMnuModifier, "Modifier");
    item(kMnuSupprimer, "Supprimer");
    item(kMnuSupprimerTout, "Supprimer tout");
    separator();
    item(kMnuMonter, "Monter");
    item(kMnuDescendre, "Descendre");
    if (commands.refresh || commands.copy || !commands.doneCaption.empty()) separator();
    if (commands.refresh) item(kMnuRafraichir, "Rafraichir");
    if (commands.copy) item(kMnuCopier, "Copier");
    if (!commands.doneCaption.empty()) item(kMnuFait, commands.doneCaption);
    // The pictures are as tall as the menu's text line.
    const int size = ScaleToDpi(16, WindowDpi(owner));
    TrackMenuWithPictures(menu, TPM_RIGHTBUTTON, screen, owner, size, DrawListMenuPicture);
}

bool RunListCommand(HWND owner, int id, const ListCommands& commands,
                    const std::function<void()>& changed) {
    if (!commands.list) return id >= kMnuAjouter && id <= kMnuLast;
    ListRows& list = *commands.list;
    switch (id) {
    case kMnuAjouter:
        changed();
        if (commands.add) commands.add();
        return true;
    case kMnuModifier:
        changed();
        if (commands.takeBack) commands.takeBack();
        return true;
    case kMnuSupprimer:
        changed();
        DeleteSelected(list);
        return true;
    case kMnuSupprimerTout:
        if (MessageBoxW(owner, Widen(kConfirmClearText).c_str(), L"Pilotune",
                        MB_ICONQUESTION | MB_OKCANCEL) == IDOK) {
            changed();
            list.EraseAll();
        }
        return true;
    case kMnuFait:
        if (commands.done && list.Selected() >= 0) {
            commands.done();
            changed();
        }
        return true;
    case kMnuRafraichir:
        if (commands.refresh) commands.refresh();
        return true;
    case kMnuCopier:
        if (commands.copy) commands.copy();
        return true;
    case kMnuMonter:
    case kMnuDescendre:
        if (list.Selected() >= 0) {
            changed();
            MoveItem(list, list.Selected() + (id == kMnuMonter ? -1 : 1));
        }
        return true;
    default:
        return false;
    }
}

} // namespace pilotune
