#include "options/ListGesturesWin32.h"

#include <string>
#include <vector>

#include "base/EncodingWin32.h"
#include "ui/Layout.h"

namespace pilotune {

void DeleteSelected(ListView& list) {
    const int row = list.Selected();
    if (row < 0) return;
    list.DeleteRow(row);
    const int count = list.Count();
    if (count > 0) list.Select(row < count ? row : count - 1);
    if (IsWindowVisible(list.Handle())) list.Focus();
}

bool DragMove(ListView& list, int y, bool leftHeld) {
    if (!leftHeld || list.Count() < 2 || list.Selected() < 0) return false;
    const std::optional<int> first = list.RowTop(0), second = list.RowTop(1);
    if (!first || !second || *second <= *first) return false;
    // Above the first row counts as the first (a truncating division).
    return MoveItem(list, (y - *first) / (*second - *first));
}

bool ListChanged(ListView& list, const ListViewEvent& e, int dpi, bool pressRule) {
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

bool MoveItem(ListView& list, int target) {
    const int count = list.Count();
    const int row = list.Selected();
    if (count < 2 || row < 0 || row == target || target < 0 || target >= count) return false;
    const int columns = Header_GetItemCount(ListView_GetHeader(list.Handle()));
    std::vector<std::string> cells;
    for (int c = 0; c < columns; ++c)
        cells.push_back(list.Cell(row, c));
    const bool checked = list.Checked(row);
    const std::string hint = list.Hint(row);
    LVITEMW item{};
    item.mask = LVIF_PARAM | LVIF_IMAGE;
    item.iItem = row;
    SendMessageW(list.Handle(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    SendMessageW(list.Handle(), WM_SETREDRAW, FALSE, 0);
    list.DeleteRow(row);
    const int at = list.InsertRow(cells[0], target, hint);
    for (int c = 1; c < columns; ++c)
        list.SetCell(at, c, cells[static_cast<size_t>(c)]);
    list.SetChecked(at, checked);
    item.iItem = at;
    SendMessageW(list.Handle(), LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    list.Select(at);
    SendMessageW(list.Handle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list.Handle(), nullptr, TRUE);
    return true;
}

void ShowListMenu(HWND owner, POINT screen, const ListCommands& commands) {
    HMENU menu = CreatePopupMenu();
    if (!menu) return;
    struct Item {
        int id;
        const char* caption;
    };
    for (Item i :
         {Item{kMnuAjouter, "Ajouter"}, Item{kMnuModifier, "Modifier"},
          Item{kMnuSupprimer, "Supprimer"}, Item{kMnuSupprimerTout, "Supprimer tout"},
          Item{0, nullptr}, Item{kMnuMonter, "Monter"}, Item{kMnuDescendre, "Descendre"}}) {
        if (i.caption)
            AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(i.id), Widen(i.caption).c_str());
        else
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    }
    if (commands.refresh || commands.copy) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    if (commands.refresh) AppendMenuW(menu, MF_STRING, kMnuRafraichir, L"Rafraichir");
    if (commands.copy) AppendMenuW(menu, MF_STRING, kMnuCopier, L"Copier");
    if (!commands.doneCaption.empty()) {
        if (!commands.refresh && !commands.copy) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu, MF_STRING, kMnuFait, Widen(commands.doneCaption).c_str());
    }
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, screen.x, screen.y, 0, owner, nullptr);
    DestroyMenu(menu);
}

bool RunListCommand(HWND owner, int id, const ListCommands& commands,
                    const std::function<void()>& changed) {
    if (!commands.list) return id >= kMnuAjouter && id <= kMnuLast;
    ListView& list = *commands.list;
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
            list.Clear();
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
