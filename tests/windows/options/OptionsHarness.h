#pragma once
// The real program beside the simulator, with its options dialog driven
// through window messages to its real controls.
#include <windows.h>

#include <string>

#include "../schedule/BarHarness.h"
#include "WindowText.h"
#include "DialogDriving.h"
#include "Waiting.h"
#include "bar/Dispatcher.h"
#include "options/FOptionWin32.h"
#include "schedule/Action.h"
#include "ui/WindowWin32.h"

namespace pilotune::testing {

struct OptionsHarness : BarHarness {
    OptionsHarness() : BarHarness(Simulator::Options{}) {}
    explicit OptionsHarness(Simulator::Options o) : BarHarness(std::move(o)) {}

    // Runs the program's loop (dialog keys first) until `done` or `ms`.
    template <class Done> bool Loop(Done done, int ms = 4000) { return RunUntil(done, ms); }
    void Settle(int ms = 100) {
        const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ms);
        Loop([&] { return GetTickCount64() > end; }, ms + 100);
    }

    void Open() { bar.dispatcher.ExecuterAction(AFFICHEOPTION, false); }
    HWND Form() const { return FindWindowW(kOptionClass, nullptr); }

    // The control `id` anywhere in the dialog (its pages included).
    HWND Item(int id) const { return DescendantWithId(Form(), id); }
    void Click(int id) { SendMessageW(Item(id), BM_CLICK, 0, 0); }
    bool Enabled(int id) { return IsWindowEnabled(Item(id)) != FALSE; }
    bool Checked(int id) { return SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    std::string Caption() const { return WindowText(Form()); }
    // Rows and cell texts of the list view `id`.
    int Rows(int id) const {
        return static_cast<int>(SendMessageW(Item(id), LVM_GETITEMCOUNT, 0, 0));
    }
    std::string Cell(int id, int row, int column) const {
        wchar_t buffer[512] = {};
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = buffer;
        item.cchTextMax = 512;
        SendMessageW(Item(id), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        return Narrow(buffer);
    }
    std::string Text(int id) const { return WindowText(Item(id)); }
    static std::string WindowText(HWND h) {
        wchar_t buffer[512] = {};
        GetWindowTextW(h, buffer, 512);
        return Narrow(buffer);
    }
};

} // namespace pilotune::testing
