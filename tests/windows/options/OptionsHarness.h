#pragma once
// The real program beside the simulator, with its options dialog driven
// through window messages to its real controls.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "../schedule/BarHarness.h"
#include "DialogDriving.h"
#include "ModalDriver.h"
#include "Waiting.h"
#include "WindowText.h"
#include "bar/Dispatcher.h"
#include "components/UEditUpDownWin32.h"
#include "options/FOptionWin32.h"
#include "schedule/Action.h"
#include "ui/GdiWin32.h"
#include "ui/WindowWin32.h"

namespace pilotune::testing {

struct OptionsHarness : BarHarness {
    OptionsHarness() : BarHarness(Simulator::Options{}) {}
    explicit OptionsHarness(Simulator::Options o) : BarHarness(std::move(o)) {}

    // Runs the program's loop (dialog keys first) until `done` or `ms`.
    template <class Done> bool Loop(Done done, int ms = 4000) { return RunUntil(done, ms); }
    void Settle(int ms = 100) {
        Loop([] { return false; }, ms);
    }

    // Opens the dialog, waits for it and shows `page` (none: the one it opens on).
    bool OpenOn(int page = -1) {
        bar.dispatcher.ExecuterAction(AFFICHEOPTION, false);
        if (!Loop([&] { return Form() && IsWindowVisible(Form()); })) return false;
        if (page >= 0) Click(kOptPageButton + page);
        return true;
    }
    bool Closed() {
        return Loop([&] { return Form() == nullptr; });
    }
    HWND Form() const { return FindWindowW(kOptionClass, nullptr); }

    // The control `id` anywhere in the dialog (its pages included).
    HWND Item(int id) const { return DescendantWithId(Form(), id); }
    void Click(int id) { SendMessageW(Item(id), BM_CLICK, 0, 0); }
    bool Enabled(int id) { return IsWindowEnabled(Item(id)) != FALSE; }
    bool Checked(int id) { return SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    std::string Caption() const { return WindowText(Form()); }
    std::string Text(int id) const { return WindowText(Item(id)); }
    TEditUpDown& Spin(int id) { return *TEditUpDown::FromHandle(Item(id)); }
    // A combo box's choice as the user's: the selection, then its notification.
    void Choose(int id, int index) {
        HWND box = Item(id);
        SendMessageW(box, CB_SETCURSEL, index, 0);
        SendMessageW(GetParent(box), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(box));
    }

    // Rows, cells, check marks and selection of the list view `id`.
    int Rows(int id) const {
        return static_cast<int>(SendMessageW(Item(id), LVM_GETITEMCOUNT, 0, 0));
    }
    std::string Cell(int id, int row, int column) const {
        wchar_t buffer[512] = {};
        LVITEMW item{.iSubItem = column, .pszText = buffer, .cchTextMax = 512};
        SendMessageW(Item(id), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        return Narrow(buffer);
    }
    bool RowChecked(int id, int row) const {
        return (SendMessageW(Item(id), LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK) >> 12) > 1;
    }
    void SetRowState(int id, int row, UINT mask, UINT state) {
        LVITEMW item{.state = state, .stateMask = mask};
        SendMessageW(Item(id), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    }
    void SelectRow(int id, int row) {
        SetRowState(id, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    // A list notification as the list view sends it to its page.
    void Notify(int id, UINT code, int row = -1) {
        NMITEMACTIVATE n{.hdr = {Item(id), static_cast<UINT_PTR>(id), code}, .iItem = row};
        SendMessageW(GetParent(Item(id)), WM_NOTIFY, id, reinterpret_cast<LPARAM>(&n));
    }
    // A right click on the list `id`: `onMenu` sees the menu it opens, then
    // the menu is closed.
    void RightClick(int id, int row = -1, std::function<void(HMENU)> onMenu = {}) {
        ModalDriver reader(L"#32768", [&](HWND menu) {
            if (onMenu) onMenu(reinterpret_cast<HMENU>(SendMessageW(menu, MN_GETHMENU, 0, 0)));
            PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        });
        Notify(id, NM_RCLICK, row);
    }
    // Every text of the dialog whole, and its screenshot options-<page>-<dpi>.bmp.
    void Shot(const std::string& page) {
        EXPECT_TRUE(MakeForeground(Form()));
        Settle(200);
        EXPECT_EQ(ClippedTexts(Form()), "") << page;
        EXPECT_TRUE(SaveWindowBmp(Form(), "options-" + page + "-" + std::to_string(ScreenDpi())));
    }
    // A menu item's command as the menu sends it.
    void Command(int id) { SendMessageW(Form(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
};

} // namespace pilotune::testing
