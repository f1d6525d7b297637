// The list menu and keys on the keyboard page's list, in the real program.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "ModalDriver.h"
#include "MouseInput.h"
#include "OptionsHarness.h"
#include "options/ListGesturesWin32.h"

namespace pilotune::testing {
namespace {

class ListGesturesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        h.Start();
        h.option.Bindings = {
            {true, 4, "Touche F1", ""}, {true, 5, "Touche F2", ""}, {false, 6, "Touche F3", ""}};
        h.Open();
        ASSERT_TRUE(h.Loop([&] { return h.Form() && IsWindowVisible(h.Form()); }));
        h.Click(kOptPageButton + kPageClavier);
        h.Click(kOptClaActiver);
        h.Click(kOptAppliquer);
        ASSERT_FALSE(h.Enabled(kOptAppliquer));
    }
    HWND List() { return h.Item(kOptClaList); }
    int Rows() { return static_cast<int>(SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0)); }
    std::string Key(int row) {
        wchar_t buffer[128] = {};
        LVITEMW item{};
        item.iSubItem = 1;
        item.pszText = buffer;
        item.cchTextMax = 128;
        SendMessageW(List(), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        return Narrow(buffer);
    }
    std::string Keys() {
        std::string all;
        for (int r = 0; r < Rows(); ++r)
            all += Key(r) + ";";
        return all;
    }
    void SelectRow(int row) {
        LVITEMW item{};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(List(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    }
    // A right click on the list opens the menu; a second thread closes it, and
    // the item's command comes as the menu would send it.
    void Menu(int id) {
        ModalDriver closer(L"#32768",
                           [](HWND menu) { PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0); });
        NMITEMACTIVATE click{};
        click.hdr = {List(), static_cast<UINT_PTR>(kOptClaList), NM_RCLICK};
        click.iItem = -1;
        SendMessageW(GetParent(List()), WM_NOTIFY, kOptClaList, reinterpret_cast<LPARAM>(&click));
        SendMessageW(h.Form(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    }
    OptionsHarness h;
};

TEST_F(ListGesturesTest, UpAndDownMoveTheRowAndChangeNothingAtTheEnds) {
    MakeForeground(h.Form());
    SelectRow(0);
    Menu(kMnuMonter);
    EXPECT_EQ(Keys(), "Touche F1;Touche F2;Touche F3;");
    SelectRow(2);
    Menu(kMnuDescendre);
    EXPECT_EQ(Keys(), "Touche F1;Touche F2;Touche F3;");
    EXPECT_TRUE(h.Enabled(kOptAppliquer)); // as the menu item was chosen
    Menu(kMnuMonter);
    EXPECT_EQ(Keys(), "Touche F1;Touche F3;Touche F2;");
    h.Click(kOptAppliquer);
    ASSERT_EQ(h.option.Bindings.size(), 3u);
    EXPECT_EQ(h.option.Bindings[1].Action, 6); // the row kept its action and check mark
    EXPECT_FALSE(h.option.Bindings[1].Activer);
}

TEST_F(ListGesturesTest, DeleteAndBackspaceRemoveTheSelectedRow) {
    SelectRow(2);
    SendMessageW(List(), WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(Keys(), "Touche F1;Touche F2;");
    EXPECT_TRUE(h.Enabled(kOptAppliquer));
    // The last row took the selection: Backspace removes it too.
    SendMessageW(List(), WM_KEYDOWN, VK_BACK, 0);
    EXPECT_EQ(Keys(), "Touche F1;");
}

TEST_F(ListGesturesTest, CancelToDeleteAllChangesNothingOkEmptiesTheList) {
    MakeForeground(h.Form());
    {
        ModalDriver closer(L"#32768",
                           [](HWND menu) { PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0); });
        NMITEMACTIVATE click{};
        click.hdr = {List(), static_cast<UINT_PTR>(kOptClaList), NM_RCLICK};
        SendMessageW(GetParent(List()), WM_NOTIFY, kOptClaList, reinterpret_cast<LPARAM>(&click));
    }
    {
        ModalDriver answer(L"#32770", [](HWND box) {
            EXPECT_NE(ReadMessageBox(box).find(kConfirmClearText), std::string::npos);
            PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
        });
        SendMessageW(h.Form(), WM_COMMAND, MAKEWPARAM(kMnuSupprimerTout, 0), 0);
    }
    EXPECT_EQ(Rows(), 3);
    EXPECT_FALSE(h.Enabled(kOptAppliquer));
    {
        ModalDriver answer(L"#32770", [](HWND box) { PostMessageW(box, WM_COMMAND, IDOK, 0); });
        SendMessageW(h.Form(), WM_COMMAND, MAKEWPARAM(kMnuSupprimerTout, 0), 0);
    }
    EXPECT_EQ(Rows(), 0);
    EXPECT_TRUE(h.Enabled(kOptAppliquer));
}

// The real mouse, from another thread at a person's pace while this one runs
// the program's loop: a row dragged follows the pointer; a press counts as a
// change only in the list's first 50 pixels.
TEST_F(ListGesturesTest, ARowDraggedFollowsThePointerAndAPressNearTheTopIsAChange) {
    MakeForeground(h.Form());
    auto row = [&](int r) {
        RECT bounds{};
        bounds.left = LVIR_BOUNDS;
        SendMessageW(List(), LVM_GETITEMRECT, r, reinterpret_cast<LPARAM>(&bounds));
        return bounds;
    };
    const int x = 80, y0 = (row(0).top + row(0).bottom) / 2, y1 = (row(1).top + row(1).bottom) / 2,
              y2 = row(2).bottom - 3;
    ASSERT_LT(y0, 50);
    ASSERT_GT(y2, 50);
    auto gesture = [&](std::initializer_list<std::pair<int, DWORD>> steps) {
        std::atomic<bool> done{false};
        std::thread hand([&] {
            for (const auto& [y, buttons] : steps) {
                MouseAt(List(), x, y, buttons);
                Sleep(120);
            }
            done = true;
        });
        const bool ended = h.Loop([&] { return done.load(); }, 5000);
        hand.join();
        return ended;
    };
    // The third row dragged up to the first passes the second on the way.
    ASSERT_TRUE(gesture(
        {{y2, MOUSEEVENTF_LEFTDOWN}, {y2 - 8, 0}, {y1, 0}, {y0, 0}, {y0, MOUSEEVENTF_LEFTUP}}));
    EXPECT_TRUE(h.Loop([&] { return Keys() == "Touche F3;Touche F1;Touche F2;"; })) << Keys();
    EXPECT_TRUE(h.Enabled(kOptAppliquer));

    // Applied, then a click low in the list changes nothing; one near the top does.
    h.Click(kOptAppliquer);
    ASSERT_FALSE(h.Enabled(kOptAppliquer));
    ASSERT_TRUE(gesture({{y2, MOUSEEVENTF_LEFTDOWN}, {y2, MOUSEEVENTF_LEFTUP}}));
    ASSERT_TRUE(
        h.Loop([&] { return SendMessageW(List(), LVM_GETNEXTITEM, -1, LVNI_SELECTED) == 2; }));
    EXPECT_FALSE(h.Enabled(kOptAppliquer));
    ASSERT_TRUE(gesture({{y0, MOUSEEVENTF_LEFTDOWN}, {y0, MOUSEEVENTF_LEFTUP}}));
    EXPECT_TRUE(h.Loop([&] { return h.Enabled(kOptAppliquer); }));
    EXPECT_EQ(Keys(), "Touche F3;Touche F1;Touche F2;");
}

} // namespace
} // namespace pilotune::testing
