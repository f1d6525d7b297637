// The list menu and keys on the keyboard page's list, in the real program.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "MouseInput.h"
#include "OptionsHarness.h"
#include "options/ListGesturesWin32.h"

namespace pilotune::testing {
namespace {

struct ListGesturesTest : ::testing::Test {
    void SetUp() override {
        h.Start();
        h.option.Bindings = {
            {true, 4, "Touche F1", ""}, {true, 5, "Touche F2", ""}, {false, 6, "Touche F3", ""}};
        ASSERT_TRUE(h.OpenOn(kPageClavier));
        h.Click(kOptClaActiver);
        h.Click(kOptAppliquer);
        ASSERT_FALSE(h.Enabled(kOptAppliquer));
        MakeForeground(h.Form());
    }
    HWND List() { return h.Item(kOptClaList); }
    int Rows() { return h.Rows(kOptClaList); }
    std::string Keys() {
        std::string all;
        for (int r = 0; r < Rows(); ++r)
            all += h.Cell(kOptClaList, r, 1) + ";";
        return all;
    }
    // A right click on the list opens the menu; a second thread closes it, and
    // the item's command comes as the menu would send it.
    void Menu(int id) {
        h.RightClick(kOptClaList);
        h.Command(id);
    }
    OptionsHarness h;
};

TEST_F(ListGesturesTest, UpAndDownMoveTheRowAndChangeNothingAtTheEnds) {
    h.SelectRow(kOptClaList, 0);
    Menu(kMnuMonter);
    EXPECT_EQ(Keys(), "Touche F1;Touche F2;Touche F3;");
    h.SelectRow(kOptClaList, 2);
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
    h.SelectRow(kOptClaList, 2);
    SendMessageW(List(), WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(Keys(), "Touche F1;Touche F2;");
    EXPECT_TRUE(h.Enabled(kOptAppliquer));
    // The last row took the selection: Backspace removes it too.
    SendMessageW(List(), WM_KEYDOWN, VK_BACK, 0);
    EXPECT_EQ(Keys(), "Touche F1;");
}

TEST_F(ListGesturesTest, CancelToDeleteAllChangesNothingOkEmptiesTheList) {
    h.RightClick(kOptClaList, 0);
    {
        ModalDriver answer(L"#32770", [](HWND box) {
            EXPECT_NE(ReadMessageBox(box).find(kConfirmClearText), std::string::npos);
            PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
        });
        h.Command(kMnuSupprimerTout);
    }
    EXPECT_EQ(Rows(), 3);
    EXPECT_FALSE(h.Enabled(kOptAppliquer));
    {
        ModalDriver answer(L"#32770", [](HWND box) { PostMessageW(box, WM_COMMAND, IDOK, 0); });
        h.Command(kMnuSupprimerTout);
    }
    EXPECT_EQ(Rows(), 0);
    EXPECT_TRUE(h.Enabled(kOptAppliquer));
}

// The real mouse, from another thread at a person's pace while this one runs
// the program's loop: a row dragged follows the pointer; a press counts as a
// change only in the list's first 50 pixels.
TEST_F(ListGesturesTest, ARowDraggedFollowsThePointerAndAPressNearTheTopIsAChange) {
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
