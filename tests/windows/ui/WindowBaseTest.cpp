// The window base under Wine: its Z order.
#include <windows.h>

#include <gtest/gtest.h>

#include "ui/WindowWin32.h"

using namespace pilotune;

TEST(WindowBase, SetTopMostChangesOnlyTheZOrder) {
    Window w;
    ASSERT_TRUE(w.Create(L"PilotuneZOrder", 0, WS_POPUP, L"", 40, 50, 200, 30));
    const auto topMost = [&] { return GetWindowLongW(w.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST; };
    EXPECT_TRUE(SetTopMost(w.Handle(), kTopMost));
    EXPECT_TRUE(topMost());
    EXPECT_FALSE(SetTopMost(w.Handle(), 3)); // not a Z-order position: nothing happens
    EXPECT_TRUE(topMost());
    EXPECT_TRUE(SetTopMost(w.Handle(), kNotTopMost));
    EXPECT_FALSE(topMost());
    RECT r{};
    GetWindowRect(w.Handle(), &r);
    EXPECT_TRUE(r.left == 40 && r.top == 50 && r.right == 240 && r.bottom == 80); // not moved
}
