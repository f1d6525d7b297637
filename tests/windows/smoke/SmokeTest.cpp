#include <windows.h>

#include <gtest/gtest.h>

// Proves the cross build and Wine run: a real window class and window.
TEST(Smoke, CreatesAWindowUnderWine) {
    HWND w = CreateWindowExW(0, L"STATIC", L"smoke", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(DestroyWindow(w));
}
