#pragma once
// What the options lists share: deleting the selected row, moving it, and the
// list menu (add, take back, delete, delete all, up, down).
#include <windows.h>

#include <functional>
#include <string>

#include "ui/RowListWin32.h"

namespace pilotune {

inline constexpr int kMnuAjouter = 1400;
inline constexpr int kMnuModifier = 1401;
inline constexpr int kMnuSupprimer = 1402;
inline constexpr int kMnuSupprimerTout = 1403;
inline constexpr int kMnuMonter = 1404;
inline constexpr int kMnuDescendre = 1405;
inline constexpr int kMnuFait = 1406;
inline constexpr int kMnuRafraichir = 1407;
inline constexpr int kMnuCopier = 1408;
inline constexpr int kMnuLast = kMnuCopier;

inline constexpr char kConfirmClearText[] = "Etes-vous sur de vouloir effacer toute la liste.";

// Deletes the selected row and selects the one that took its place (the new
// last one when it was last); the list gets the focus when it is visible.
void DeleteSelected(ListRows& list);
// Moves the selected row to `target`, selected and focused. Nothing happens
// without a selection, with one row, or for a target outside the rows or
// equal to the selected one. True when it moved.
bool MoveItem(ListRows& list, int target);
// The row at height `y` (client pixels of the list); above the first row of
// a list of several rows, the first one; -1 for none.
int ItemIndexAt(const ListView& list, int y);
// Dragging with the left button held moves the selected row to the row under
// `y` (client pixels of the list), as MoveItem does. True when it moved.
bool DragMove(ListRows& list, int y, bool leftHeld);
// What every options list does by itself with an event of the user's: Space
// ticks (a change), Backspace and Delete delete the selected row, dragging
// moves it; with `pressRule`, a left press in the list's first 50 pixels
// (scaled to `dpi`) counts as a change too. True when the page changed.
bool ListChanged(ListRows& list, const ListViewEvent& e, int dpi, bool pressRule);
// Makes `list` answer its user's events as every options list does: what
// ListChanged counts, and a tick (kept in the row), call `changed`; a double
// click calls `takeBack`; a right click calls `menu`.
void WireList(ListRows& list, int dpi, bool pressRule, std::function<void()> changed,
              std::function<void()> takeBack, std::function<void()> menu);

// The list menu's commands for one list.
struct ListCommands {
    ListRows* list = nullptr;
    std::function<void()> add;      // the page's add button
    std::function<void()> takeBack; // the list's double-click
    std::string doneCaption;        // "Fait": shown when not empty
    std::function<void()> done;
    std::function<void()> refresh; // "Rafraichir": shown when set
    std::function<void()> copy;    // "Copier": shown when set
};

// Shows the list menu at `screen` for `commands`; the chosen item comes back
// to `owner` as a WM_COMMAND.
void ShowListMenu(HWND owner, POINT screen, const ListCommands& commands);
// Runs a menu command on the list; false for an id that is not one.
bool RunListCommand(HWND owner, int id, const ListCommands& commands,
                    const std::function<void()>& changed);

} // namespace pilotune
